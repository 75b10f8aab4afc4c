#pragma once

#include "common/childwindow.h"

class QLineEdit;
class QPushButton;

// Characters the referral bonus field takes: digits, control characters and code 255.
bool ReferralKeyAccepted(QChar c);

// The points a referrer earns for each new member who names him.
class Tyinjianjifen : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tyinjianjifen(QWidget *parent = nullptr);

    QLineEdit *bonusEdit() const { return m_bonusEdit; }
    QPushButton *confirmButton() const { return m_confirmButton; }
    QPushButton *exitButton() const { return m_exitButton; }

    void FormShow();
    void confirmButtonClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_bonusEdit;
    QPushButton *m_confirmButton;
    QPushButton *m_exitButton;
};
