#include "xiugaifrm.h"

#include "memberform.h"
#include "common/windowsupport.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "data/sql.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter belongs to the fields, never to a default button.
    b->setAutoDefault(false);
    return b;
}

// Dates are stored "yyyy-MM-dd"; anything else cannot be shown in a date picker.
bool parseStoredDate(const QString &text, QDate *date)
{
    *date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (date->isValid())
        return true;
    ShowStandardError(QStringLiteral("“%1”不是有效的日期").arg(text));
    return false;
}

} // namespace

Txiugai::Txiugai(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Txiugai"));
    setWindowTitle(QStringLiteral("修改会员信息"));
    setModal(true);

    m_form = new MemberForm(QStringLiteral("直接刷卡或输入卡号后回车"), this);
    m_saveButton = button(QStringLiteral("保存"), "saveButton", this);
    m_deleteButton = button(QStringLiteral("删除"), "deleteButton", this);
    m_exitButton = button(QStringLiteral("退出"), "exitButton", this);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { saveButtonClick(); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { deleteButtonClick(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { reject(); });

    auto *buttons = CentredButtonRow({m_saveButton, m_deleteButton, m_exitButton});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(640, 350);

    auto *chain = new EnterChain(this);
    for (QWidget *input : m_form->inputs()) {
        if (input == m_form->cardEdit())
            chain->add(input, [this] { cardEditEnter(); });
        else if (input == m_form->referrerNameEdit())
            chain->add(input, [this] {
                if (m_saveButton->isEnabled())
                    m_saveButton->setFocus(Qt::TabFocusReason);
            });
        else
            chain->add(input);
    }

    FormShow();
}

void Txiugai::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

bool Txiugai::isLoaded() const
{
    return m_form->cardEdit()->isReadOnly();
}

void Txiugai::FormShow()
{
    try {
        m_form->loadLists(MemberStore::categoryNames());
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
    }
    m_form->clearFields();
    setLoaded(false);
}

void Txiugai::setLoaded(bool loaded)
{
    m_form->cardEdit()->setReadOnly(loaded);
    m_saveButton->setEnabled(loaded);
    m_deleteButton->setEnabled(loaded);
}

void Txiugai::cardEditEnter()
{
    // The locked number belongs to the member shown; Enter there must not reload it over
    // the corrections typed since.
    if (isLoaded())
        return;
    const QString card = m_form->cardEdit()->text();
    std::optional<MemberStore::MemberRow> row;
    try {
        if (MemberStore::isReplacedCard(card)) {
            Dialogs::message(QStringLiteral("系统提示"), QStringLiteral("此卡已经挂失，不能使用！"),
                             MsgIcon::Question, MsgButtons::Ok, this);
            return;
        }
        row = MemberStore::member(card);
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
        return;
    }
    if (!row) {
        Dialogs::message(QStringLiteral("提示！"), QStringLiteral("此卡号不存在！"), MsgIcon::Error,
                         MsgButtons::Ok, this);
        return;
    }
    if (row->verballyLost) {
        Dialogs::message(QStringLiteral("系统提示"), QStringLiteral("此卡已经口头挂失，不能使用!"),
                         MsgIcon::Question, MsgButtons::Ok, this);
        return;
    }
    if (!fill(*row))
        return;
    setLoaded(true);
    m_form->categoryBox()->setFocus(Qt::OtherFocusReason);
}

bool Txiugai::fill(const MemberStore::MemberRow &row)
{
    SetComboText(m_form->categoryBox(), row.category);
    m_form->nameEdit()->setText(row.name);
    SetComboText(m_form->sexBox(), row.sex);
    m_form->idEdit()->setText(row.idNumber);
    QDate date;
    if (!parseStoredDate(row.birthday, &date))
        return false;
    m_form->birthdayEdit()->setDate(date);
    m_form->addressEdit()->setText(row.address);
    m_form->phoneEdit()->setText(row.phone);
    m_form->mobileEdit()->setText(row.mobile);
    if (!parseStoredDate(row.startDate, &date))
        return false;
    m_form->startDateEdit()->setDate(date);
    m_form->referrerCardEdit()->setText(row.referrerCard);
    m_form->referrerNameEdit()->setText(row.referrerName);
    return true;
}

void Txiugai::saveButtonClick()
{
    if (!isLoaded())
        return;
    try {
        MemberStore::updateMember(m_form->entry());
    } catch (const DbError &e) {
        // Both updates are undone; the member stays loaded for another try.
        ShowSaveFailure(e.text(), this);
        return;
    }
    m_form->clearFields();
    setLoaded(false);
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("修改成功！"), MsgIcon::Information,
                     MsgButtons::Ok, this);
}

void Txiugai::deleteButtonClick()
{
    if (!isLoaded())
        return;
    if (!Dialogs::confirm(QStringLiteral("提示"),
                          QStringLiteral("确实要删除该会员？该操作不可恢复！请谨慎操作！"),
                          MsgIcon::Question, this))
        return;
    try {
        MemberStore::deleteMember(m_form->cardEdit()->text());
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
        return;
    }
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("删除成功！"), MsgIcon::Information,
                     MsgButtons::Ok, this);
    setLoaded(false);
}
