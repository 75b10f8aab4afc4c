#pragma once

#include "common/childwindow.h"

class QLineEdit;
class QPushButton;

// The logged-in operator changes his own password. The screen lock keeps expecting the
// password typed at login until the next start.
class Txiugaimima : public ChildWindow
{
    Q_OBJECT
public:
    explicit Txiugaimima(QWidget *parent = nullptr);

    QLineEdit *codeEdit() const { return m_codeEdit; }
    QLineEdit *oldPasswordEdit() const { return m_oldPasswordEdit; }
    QLineEdit *newPasswordEdit() const { return m_newPasswordEdit; }
    QLineEdit *confirmPasswordEdit() const { return m_confirmPasswordEdit; }
    QPushButton *confirmButton() const { return m_confirmButton; }
    QPushButton *closeButton() const { return m_closeButton; }

    void confirmButtonClick() { ChangePassword(); }
    void ChangePassword();

private:
    QLineEdit *m_codeEdit;
    QLineEdit *m_oldPasswordEdit;
    QLineEdit *m_newPasswordEdit;
    QLineEdit *m_confirmPasswordEdit;
    QPushButton *m_confirmButton;
    QPushButton *m_closeButton;
};
