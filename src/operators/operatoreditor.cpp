#include "operatoreditor.h"

#include "common/windowsupport.h"
#include "permissionboxes.h"

#include "common/apptexts.h"
#include "common/dialogs.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

OperatorEditor::OperatorEditor(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("operatorEditor"));
    const auto makeEdit = [this](const QString &name, bool secret) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        if (secret)
            edit->setEchoMode(QLineEdit::Password);
        return edit;
    };
    m_codeEdit = makeEdit(QStringLiteral("codeEdit"), false);
    m_nameEdit = makeEdit(QStringLiteral("nameEdit"), false);
    m_passwordEdit = makeEdit(QStringLiteral("passwordEdit"), true);
    m_repeatEdit = makeEdit(QStringLiteral("repeatEdit"), true);

    auto *basic = new QGroupBox(QStringLiteral("基本信息"), this);
    basic->setObjectName(QStringLiteral("basicGroup"));
    auto *form = new QFormLayout(basic);
    form->addRow(QStringLiteral("编号"), m_codeEdit);
    form->addRow(QStringLiteral("姓名"), m_nameEdit);
    form->addRow(QStringLiteral("密码"), m_passwordEdit);
    form->addRow(QStringLiteral("重复密码"), m_repeatEdit);

    m_permissions = new PermissionBoxes(PermissionBoxes::Toggle::Shown, this);

    m_saveButton = new QPushButton(QStringLiteral("保存"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setAutoDefault(false);
    m_closeButton = new QPushButton(QStringLiteral("退出"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setAutoDefault(false);

    // Enter moves on to the next field.
    const QList<QLineEdit *> chain{m_codeEdit, m_nameEdit, m_passwordEdit, m_repeatEdit};
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
        QLineEdit *next = chain.at(i + 1);
        connect(chain.at(i), &QLineEdit::returnPressed, next, [next] { next->setFocus(); });
    }

    auto *buttons = CentredButtonRow({m_saveButton, m_closeButton});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(basic);
    layout->addWidget(m_permissions, 1);
    layout->addLayout(buttons);
}

OperatorStore::Operator OperatorEditor::input() const
{
    OperatorStore::Operator op;
    op.code = m_codeEdit->text();
    op.name = m_nameEdit->text();
    op.password = m_passwordEdit->text();
    op.flags = m_permissions->flags();
    return op;
}

bool OperatorEditor::checkCodeGiven()
{
    if (!m_codeEdit->text().isEmpty())
        return true;
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("编号不能为空！"), MsgIcon::Error,
                     MsgButtons::Ok, window());
    m_codeEdit->clear();
    return false;
}

bool OperatorEditor::checkPasswordsMatch()
{
    if (m_passwordEdit->text() == m_repeatEdit->text())
        return true;
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("两次密码不一致！"), MsgIcon::Error,
                     MsgButtons::Ok, window());
    m_passwordEdit->clear();
    m_repeatEdit->clear();
    return false;
}

void OperatorEditor::showSaveError(const QString &text)
{
    Dialogs::message(AppTexts::ApplicationTitle, text, MsgIcon::None, MsgButtons::Ok, window());
}
