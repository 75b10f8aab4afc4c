#pragma once

#include "common/childwindow.h"

class QDateEdit;
class QPushButton;

// History cleanup: deletes replacement, verbal loss and journal rows dated before a day.
class Tzhengli : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tzhengli(QWidget *parent = nullptr);

    QDateEdit *dateEdit() const { return m_dateEdit; }
    QPushButton *confirmButton() const { return m_confirmButton; }
    QPushButton *closeButton() const { return m_closeButton; }

    void confirmButtonClick() { CleanupHistory(); }
    // Asks, deletes the rows dated before the picker's day, and reports.
    void CleanupHistory();

private:
    QDateEdit *m_dateEdit;
    QPushButton *m_confirmButton;
    QPushButton *m_closeButton;
};
