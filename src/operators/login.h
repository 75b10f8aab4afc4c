#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;
class Shell;

// The modal login window shown by start-up. After a successful login it stays alive,
// hidden, for the whole run.
class Tloginform : public QDialog
{
    Q_OBJECT
public:
    // Close results besides Accepted (a login) and Rejected (close box, five failures).
    enum { Quit = 2 };

    explicit Tloginform(Shell *shell, QWidget *parent = nullptr);
    ~Tloginform() override;

    QComboBox *operatorBox() const { return m_operatorBox; }
    QLineEdit *nameEdit() const { return m_nameEdit; }
    QLineEdit *passwordEdit() const { return m_passwordEdit; }
    QPushButton *loginButton() const { return m_loginButton; }
    QPushButton *quitButton() const { return m_quitButton; }
    int failures() const { return m_failures; }

    void FormShow();
    void loginButtonClick();

private:
    void operatorBoxChange();
    void showOperatorName();
    void refuseUnknownOperator();

    Shell *m_shell;
    QComboBox *m_operatorBox;
    QLineEdit *m_nameEdit;
    QLineEdit *m_passwordEdit;
    QPushButton *m_loginButton;
    QPushButton *m_quitButton;
    QStringList m_passwords;
    int m_failures = 0;
    bool m_loading = false;
    QMetaObject::Connection m_focusWatch;
};
