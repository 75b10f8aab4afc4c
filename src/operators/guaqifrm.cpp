#include "guaqifrm.h"

#include "common/dialogs.h"
#include "common/session.h"
#include "common/windowsupport.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tguaqi::Tguaqi(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Tguaqi"));
    setWindowTitle(QStringLiteral("暂时离开"));
    // A title bar without any buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    m_lockGroup = new QGroupBox(QStringLiteral("暂时离开"), this);
    m_lockGroup->setObjectName(QStringLiteral("lockGroup"));
    m_lockGroup->setStyleSheet(QStringLiteral("QGroupBox { color: red; }"));
    m_passwordEdit = new QLineEdit(m_lockGroup);
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);

    const auto makeButton = [this](const QString &text, const QString &name) {
        auto *button = new QPushButton(text, m_lockGroup);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    m_leaveButton = makeButton(QStringLiteral("离开"), QStringLiteral("leaveButton"));
    m_wakeButton = makeButton(QStringLiteral("唤醒"), QStringLiteral("wakeButton"));
    m_cancelButton = makeButton(QStringLiteral("取消"), QStringLiteral("cancelButton"));

    auto *passwordRow = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("密码"), m_lockGroup);
    label->setStyleSheet(QStringLiteral("color: black;"));
    passwordRow->addWidget(label);
    passwordRow->addWidget(m_passwordEdit, 1);
    auto *buttons = CentredButtonRow({m_leaveButton, m_wakeButton, m_cancelButton});
    auto *groupLayout = new QVBoxLayout(m_lockGroup);
    groupLayout->addLayout(passwordRow);
    groupLayout->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lockGroup);
    setFixedSize(300, 130);

    connect(m_leaveButton, &QPushButton::clicked, this, [this] { leaveButtonClick(); });
    connect(m_wakeButton, &QPushButton::clicked, this, [this] { wakeButtonClick(); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { cancelButtonClick(); });
    // Enter acts as the one button that can use the password now.
    connect(m_passwordEdit, &QLineEdit::returnPressed, this, [this] {
        if (m_locked)
            wakeButtonClick();
        else
            leaveButtonClick();
    });
    m_wakeButton->hide();
}

void Tguaqi::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void Tguaqi::FormShow()
{
    m_passwordEdit->clear();
    m_wakeButton->setVisible(m_locked);
    m_passwordEdit->setFocus();
}

bool Tguaqi::passwordRight()
{
    if (m_passwordEdit->text() == CurrentOperatorPassword())
        return true;
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("对不起，密码错误！"), MsgIcon::Error,
                     MsgButtons::Ok, this);
    return false;
}

void Tguaqi::leaveButtonClick()
{
    if (m_locked || !passwordRight())
        return;
    m_locked = true;
    m_wakeButton->show();
    m_leaveButton->hide();
    m_cancelButton->hide();
    setWindowTitle(QStringLiteral("唤醒系统"));
    m_lockGroup->setTitle(QStringLiteral("唤醒系统"));
    m_passwordEdit->clear();
    m_passwordEdit->setFocus();
}

void Tguaqi::wakeButtonClick()
{
    if (!m_locked || !passwordRight())
        return;
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("系统已被成功唤醒！"), MsgIcon::Information,
                     MsgButtons::Ok, this);
    finish(Accepted);
}

void Tguaqi::cancelButtonClick()
{
    if (!m_locked)
        finish(Rejected);
}

void Tguaqi::finish(int result)
{
    m_mayClose = true;
    done(result);
}

void Tguaqi::reject()
{
    // Escape and the window manager's close land here; only the buttons end the dialog.
    if (m_mayClose)
        QDialog::reject();
}

void Tguaqi::closeEvent(QCloseEvent *event)
{
    if (m_mayClose)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void Tguaqi::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LockScreen()
{
    Tguaqi lock;
    lock.exec();
}
