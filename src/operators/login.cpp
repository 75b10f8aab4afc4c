#include "login.h"

#include "common/windowsupport.h"
#include "operatorstore.h"
#include "permissions.h"

#include "common/dialogs.h"
#include "common/session.h"
#include "common/shell.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tloginform::Tloginform(Shell *shell, QWidget *parent)
    : QDialog(parent)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("Tloginform"));
    setWindowTitle(QStringLiteral("进入系统"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);

    m_operatorBox = new QComboBox(this);
    m_operatorBox->setObjectName(QStringLiteral("operatorBox"));
    m_operatorBox->setEditable(true);
    m_operatorBox->setInsertPolicy(QComboBox::NoInsert);

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setReadOnly(true);
    m_nameEdit->setFocusPolicy(Qt::NoFocus);

    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);

    auto *hint = new QLabel(QStringLiteral("系统管理员初始密码为 空"), this);
    hint->setObjectName(QStringLiteral("hintLabel"));
    hint->setStyleSheet(QStringLiteral("color: blue;"));

    m_loginButton = new QPushButton(QStringLiteral("进入"), this);
    m_loginButton->setObjectName(QStringLiteral("loginButton"));
    m_loginButton->setAutoDefault(false);
    m_quitButton = new QPushButton(QStringLiteral("退出"), this);
    m_quitButton->setObjectName(QStringLiteral("quitButton"));
    m_quitButton->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("操作员编号"), m_operatorBox);
    form->addRow(QStringLiteral("操作员姓名"), m_nameEdit);
    form->addRow(QStringLiteral("操作员密码"), m_passwordEdit);
    form->addRow(QString(), hint);
    auto *buttons = CentredButtonRow({m_loginButton, m_quitButton});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(340, 200);

    connect(m_operatorBox, &QComboBox::currentTextChanged, this, [this] { operatorBoxChange(); });
    connect(m_passwordEdit, &QLineEdit::returnPressed, this, [this] { loginButtonClick(); });
    connect(m_loginButton, &QPushButton::clicked, this, [this] { loginButtonClick(); });
    connect(m_quitButton, &QPushButton::clicked, this, [this] { done(Quit); });
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        // Leaving the operator box for the password field with a code nobody has.
        if (!isVisible() || !old || !(old == m_operatorBox || m_operatorBox->isAncestorOf(old)))
            return;
        const int index = m_operatorBox->findText(m_operatorBox->currentText(), Qt::MatchExactly);
        if (index >= 0) {
            if (m_operatorBox->currentIndex() != index)
                m_operatorBox->setCurrentIndex(index);
        } else if (now == m_passwordEdit) {
            refuseUnknownOperator();
        }
    });

    FormShow();
}

Tloginform::~Tloginform()
{
    // Hiding the destroyed dialog moves the focus; this object is no login window by then.
    disconnect(m_focusWatch);
}

void Tloginform::FormShow()
{
    m_loading = true;
    m_operatorBox->clear();
    m_passwords.clear();
    for (const OperatorStore::Login &login : OperatorStore::logins()) {
        m_operatorBox->addItem(login.code);
        m_passwords << login.password;
    }
    m_operatorBox->setCurrentIndex(m_operatorBox->count() > 0 ? 0 : -1);
    m_passwordEdit->clear();
    m_operatorBox->setFocus();
    m_nameEdit->clear();
    m_loading = false;
    showOperatorName();
}

void Tloginform::showOperatorName()
{
    m_nameEdit->setText(OperatorStore::nameOf(m_operatorBox->currentText()));
}

void Tloginform::operatorBoxChange()
{
    if (m_loading)
        return;
    showOperatorName();
    m_passwordEdit->setFocus();
}

void Tloginform::refuseUnknownOperator()
{
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("不存在的用户！"), MsgIcon::Error,
                     MsgButtons::Ok, this);
    m_operatorBox->setFocus();
    if (m_operatorBox->lineEdit())
        m_operatorBox->lineEdit()->selectAll();
}

void Tloginform::loginButtonClick()
{
    const QString code = m_operatorBox->currentText();
    const int index = m_operatorBox->findText(code, Qt::MatchExactly);
    if (index < 0) {
        refuseUnknownOperator();
        return;
    }
    const QString typed = m_passwordEdit->text();
    if (!OperatorStore::passwordsMatch(typed, m_passwords.value(index))) {
        ++m_failures;
        if (m_failures > 4) {
            Dialogs::message(QStringLiteral("提示"), QStringLiteral("密码错误超过五次，软件将被关闭！"),
                             MsgIcon::Error, MsgButtons::Ok, this);
            reject();
            return;
        }
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("密码错误，请重新输入！"),
                         MsgIcon::Error, MsgButtons::Ok, this);
        m_passwordEdit->clear();
        return;
    }

    SetCurrentOperator(code, typed);
    if (m_shell) {
        m_shell->setOperatorText(QStringLiteral("当前用户为:") + code);
        ApplyPermissions(*m_shell, OperatorStore::permissionsOf(code));
    }
    accept();
}
