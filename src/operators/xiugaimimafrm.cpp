#include "common/windowsupport.h"
#include "xiugaimimafrm.h"

#include "operatorstore.h"

#include "common/dialogs.h"
#include "common/session.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Txiugaimima::Txiugaimima(QWidget *parent)
    : ChildWindow(parent, QPoint(330, 0), QSize(330, 225))
{
    setObjectName(QStringLiteral("Txiugaimima"));
    setWindowTitle(QStringLiteral("修改密码"));

    const auto makeEdit = [this](const QString &name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setEchoMode(QLineEdit::Password);
        return edit;
    };
    m_codeEdit = new QLineEdit(this);
    m_codeEdit->setObjectName(QStringLiteral("codeEdit"));
    m_codeEdit->setEnabled(false);
    m_oldPasswordEdit = makeEdit(QStringLiteral("oldPasswordEdit"));
    m_newPasswordEdit = makeEdit(QStringLiteral("newPasswordEdit"));
    m_confirmPasswordEdit = makeEdit(QStringLiteral("confirmPasswordEdit"));

    auto *group = new QGroupBox(QStringLiteral("密码修改"), this);
    group->setObjectName(QStringLiteral("passwordGroup"));
    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("操作员编号"), m_codeEdit);
    form->addRow(QStringLiteral("旧密码"), m_oldPasswordEdit);
    form->addRow(QStringLiteral("新密码"), m_newPasswordEdit);
    form->addRow(QStringLiteral("确认新密码"), m_confirmPasswordEdit);

    m_confirmButton = MakeButton(QStringLiteral("确认"), QStringLiteral("confirmButton"), this);
    m_closeButton = MakeButton(QStringLiteral("退出"), QStringLiteral("closeButton"), this);

    auto *buttons = CentredButtonRow({m_confirmButton, m_closeButton});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    connect(m_oldPasswordEdit, &QLineEdit::returnPressed, this, [this] { m_newPasswordEdit->setFocus(); });
    connect(m_newPasswordEdit, &QLineEdit::returnPressed, this, [this] {
        m_confirmPasswordEdit->setFocus();
    });
    connect(m_confirmPasswordEdit, &QLineEdit::returnPressed, this, [this] { m_confirmButton->setFocus(); });
    connect(m_confirmButton, &QPushButton::clicked, this, [this] { confirmButtonClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { close(); });

    m_codeEdit->setText(CurrentOperatorCode());
    m_oldPasswordEdit->setFocus();
}

void Txiugaimima::ChangePassword()
{
    const std::optional<QString> stored = OperatorStore::storedPassword(m_codeEdit->text());
    // Without a row there is nothing to change; saying "修改成功！" would be a lie.
    if (!stored) {
        Dialogs::message(QStringLiteral("错误！"), QStringLiteral("不存在的用户！"), MsgIcon::Error,
                         MsgButtons::Ok, window());
        return;
    }
    if (m_oldPasswordEdit->text() != *stored) {
        Dialogs::message(QStringLiteral("错误！"), QStringLiteral("旧密码不正确！"), MsgIcon::Error,
                         MsgButtons::Ok, window());
        return;
    }
    if (m_newPasswordEdit->text() != m_confirmPasswordEdit->text()) {
        Dialogs::message(QStringLiteral("错误！"), QStringLiteral("两次密码不一致！"), MsgIcon::Error,
                         MsgButtons::Ok, window());
        return;
    }
    OperatorStore::setPassword(m_codeEdit->text(), m_confirmPasswordEdit->text());
    Dialogs::message(QStringLiteral("提示！"), QStringLiteral("修改成功！"), MsgIcon::Information,
                     MsgButtons::Ok, window());
}
