#pragma once

#include "common/childwindow.h"

#include "data/memberpanel.h"

class QLineEdit;
class QPushButton;

// The card replacement window: a member whose card is lost or damaged gets a new card
// number that takes over the record, the points and the history; the old number is kept in
// the replacement records and refused everywhere from then on.
class Tguashi : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tguashi(QWidget *parent = nullptr);

    MemberPanel *memberPanel() const { return m_memberPanel; }
    QLineEdit *newCardEdit() const { return m_newCardEdit; }
    QPushButton *confirmButton() const { return m_confirmButton; }
    QPushButton *closeButton() const { return m_closeButton; }
    QPushButton *allRecordsButton() const { return m_allRecordsButton; }

    void FormShow();
    void confirmButtonClick();
    void allRecordsButtonClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void reset();
    void setReady(bool ready);

    MemberPanel *m_memberPanel;
    QLineEdit *m_newCardEdit;
    QPushButton *m_confirmButton;
    QPushButton *m_closeButton;
    QPushButton *m_allRecordsButton;
};
