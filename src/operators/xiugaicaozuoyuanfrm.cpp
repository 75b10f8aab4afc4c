#include "xiugaicaozuoyuanfrm.h"

#include "operatoreditor.h"
#include "operatorstore.h"
#include "permissionboxes.h"

#include "common/dialogs.h"
#include "common/shell.h"
#include "data/sql.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
Txiugaicaozuoyuan *current = nullptr;
}

Txiugaicaozuoyuan::Txiugaicaozuoyuan(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Txiugaicaozuoyuan"));
    setWindowTitle(QStringLiteral("修改操作人员"));
    setModal(true);
    m_editor = new OperatorEditor(this);
    m_editor->codeEdit()->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFixedSize(430, 520);

    connect(m_editor->saveButton(), &QPushButton::clicked, this, [this] { saveButtonClick(); });
    connect(m_editor->closeButton(), &QPushButton::clicked, this, [this] { reject(); });
    connect(m_editor->repeatEdit(), &QLineEdit::returnPressed, this, [this] {
        m_editor->saveButton()->setFocus();
    });
    if (!current)
        current = this;
}

Txiugaicaozuoyuan::~Txiugaicaozuoyuan()
{
    if (current == this)
        current = nullptr;
}

Txiugaicaozuoyuan *Txiugaicaozuoyuan::instance()
{
    if (!current) {
        // Owned by the main window when there is one, so it goes with it.
        QWidget *owner = Shell::instance() ? Shell::instance()->mainWidget() : nullptr;
        new Txiugaicaozuoyuan(owner);
    }
    return current;
}

void Txiugaicaozuoyuan::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void Txiugaicaozuoyuan::FormShow()
{
    m_editor->nameEdit()->clear();
    m_editor->passwordEdit()->clear();
    m_editor->repeatEdit()->clear();
    m_editor->codeEdit()->setText(m_heldCode);
    // The toggle keeps the caption it had when the dialog was last closed.
    const std::optional<OperatorStore::Operator> op = OperatorStore::find(m_heldCode);
    m_editor->permissions()->setFlags(op ? op->flags : PermissionSet{});
    if (op) {
        m_editor->nameEdit()->setText(op->name);
        m_editor->passwordEdit()->setText(op->password);
    }
    m_editor->nameEdit()->setFocus();
}

void Txiugaicaozuoyuan::ModifyOperator()
{
    if (!m_editor->checkCodeGiven() || !m_editor->checkPasswordsMatch())
        return;
    try {
        OperatorStore::modify(m_heldCode, m_editor->input());
    } catch (const DbError &e) {
        m_editor->showSaveError(e.text());
        return;
    }
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("修改操作人员成功！请牢记编号和密码！"),
                     MsgIcon::Information, MsgButtons::Ok, this);
    accept();
}
