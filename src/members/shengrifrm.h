#pragma once

#include "common/childwindow.h"

class QCheckBox;
class QPushButton;
class RecordGrid;

// The birthday reminder: the members whose birthday falls today or within the next two
// (or four) days, for print and export. Its tick box is the setting 提醒, which opens the
// window by itself after start-up.
class Tshengri : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tshengri(QWidget *parent = nullptr);

    QPushButton *threeDayButton() const { return m_threeDayButton; }
    QPushButton *fiveDayButton() const { return m_fiveDayButton; }
    QPushButton *printButton() const { return m_printButton; }
    QPushButton *excelButton() const { return m_excelButton; }
    QPushButton *exitButton() const { return m_exitButton; }
    QCheckBox *autoShowBox() const { return m_autoShowBox; }
    RecordGrid *birthdayGrid() const { return m_birthdayGrid; }

    void FormShow();
    void threeDayButtonClick();
    void fiveDayButtonClick();
    void printButtonClick();
    void excelButtonClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showDays(int days);

    QPushButton *m_threeDayButton;
    QPushButton *m_fiveDayButton;
    QPushButton *m_printButton;
    QPushButton *m_excelButton;
    QPushButton *m_exitButton;
    QCheckBox *m_autoShowBox;
    RecordGrid *m_birthdayGrid;
};
