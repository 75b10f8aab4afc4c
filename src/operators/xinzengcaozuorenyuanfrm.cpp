#include "xinzengcaozuorenyuanfrm.h"

#include "operatoreditor.h"
#include "operatorstore.h"
#include "permissionboxes.h"

#include "common/dialogs.h"
#include "data/sql.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

Txinzengcaozuorenyuan::Txinzengcaozuorenyuan(QWidget *parent)
    : ChildWindow(parent, QPoint(250, 0), QSize(430, 540))
{
    setObjectName(QStringLiteral("Txinzengcaozuorenyuan"));
    setWindowTitle(QStringLiteral("新增操作人员"));
    m_editor = new OperatorEditor(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);

    connect(m_editor->saveButton(), &QPushButton::clicked, this, [this] { saveButtonClick(); });
    connect(m_editor->closeButton(), &QPushButton::clicked, this, [this] { close(); });
    connect(m_editor->repeatEdit(), &QLineEdit::returnPressed, this, [this] {
        m_editor->saveButton()->setFocus();
    });
}

void Txinzengcaozuorenyuan::showEvent(QShowEvent *event)
{
    ChildWindow::showEvent(event);
    // Once per opening: a window restored from its minimised state keeps its input.
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void Txinzengcaozuorenyuan::FormShow()
{
    m_editor->codeEdit()->clear();
    m_editor->nameEdit()->clear();
    m_editor->passwordEdit()->clear();
    m_editor->repeatEdit()->clear();
    m_editor->permissions()->setAll(false);
    m_editor->codeEdit()->setFocus();
}

void Txinzengcaozuorenyuan::AddOperator()
{
    if (!m_editor->checkCodeGiven())
        return;
    if (OperatorStore::exists(m_editor->codeEdit()->text())) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("此编号已经存在！"), MsgIcon::Error,
                         MsgButtons::Ok, window());
        m_editor->codeEdit()->clear();
        return;
    }
    if (!m_editor->checkPasswordsMatch())
        return;
    try {
        OperatorStore::add(m_editor->input());
    } catch (const DbError &e) {
        m_editor->showSaveError(e.text());
        return;
    }
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("新增操作人员成功！"),
                     MsgIcon::Information, MsgButtons::Ok, window());
    FormShow();
}
