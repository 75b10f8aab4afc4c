#include "xinhuiyuanfrm.h"

#include "birthday.h"
#include "memberform.h"
#include "memberstore.h"
#include "common/windowsupport.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/shell.h"
#include "data/sql.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Leaving a field by the operator's own move, not by a message box or a closing window.
bool leftByOperator(const QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    switch (static_cast<const QFocusEvent *>(event)->reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        return true;
    default:
        return false;
    }
}

} // namespace

std::function<int(QDialog *)> &Txinhuiyuan::modalRunner()
{
    static std::function<int(QDialog *)> runner = [](QDialog *d) { return d->exec(); };
    return runner;
}

Txinhuiyuan::Txinhuiyuan(QWidget *parent)
    : ChildWindow(parent, QPoint(250, 0), QSize(640, 330))
{
    setObjectName(QStringLiteral("Txinhuiyuan"));
    setWindowTitle(QStringLiteral("新增/修改会员信息"));

    m_form = new MemberForm(QString(), this);
    m_saveButton = new QPushButton(QStringLiteral("保存"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_editButton = new QPushButton(QStringLiteral("修改/删除"), this);
    m_editButton->setObjectName(QStringLiteral("editButton"));
    m_exitButton = new QPushButton(QStringLiteral("退出"), this);
    m_exitButton->setObjectName(QStringLiteral("exitButton"));
    connect(m_saveButton, &QPushButton::clicked, this, [this] { saveButtonClick(); });
    connect(m_editButton, &QPushButton::clicked, this, [this] { editButtonClick(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { close(); });

    auto *buttons = CentredButtonRow({m_saveButton, m_editButton, m_exitButton});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    layout->addStretch();
    layout->addLayout(buttons);

    auto *chain = new EnterChain(this);
    for (QWidget *input : m_form->inputs()) {
        if (input == m_form->referrerCardEdit())
            chain->add(input, [this] { referrerCardEditEnter(); });
        else if (input == m_form->referrerNameEdit())
            chain->add(input, [this] { m_saveButton->setFocus(Qt::TabFocusReason); });
        else
            chain->add(input);
    }
    m_form->cardEdit()->installEventFilter(this);
    m_form->idEdit()->installEventFilter(this);

    FormShow();
}

void Txinhuiyuan::FormShow()
{
    try {
        m_form->loadLists(MemberStore::categoryNames());
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
    }
    m_form->clearFields();
}

bool Txinhuiyuan::eventFilter(QObject *watched, QEvent *event)
{
    // The checks run once the focus has moved, so their message boxes never cut into it.
    if (leftByOperator(event)) {
        if (watched == m_form->cardEdit())
            QMetaObject::invokeMethod(this, [this] { cardEditExit(); }, Qt::QueuedConnection);
        else if (watched == m_form->idEdit())
            QMetaObject::invokeMethod(this, [this] { idEditExit(); }, Qt::QueuedConnection);
    }
    return ChildWindow::eventFilter(watched, event);
}

bool Txinhuiyuan::cardEditExit()
{
    QLineEdit *card = m_form->cardEdit();
    const auto refuse = [&](const QString &caption, const QString &text, MsgIcon icon) {
        Dialogs::message(caption, text, icon, MsgButtons::Ok, this);
        card->clear();
        card->setFocus(Qt::OtherFocusReason);
        return false;
    };
    try {
        if (MemberStore::isReplacedCard(card->text()))
            return refuse(QStringLiteral("系统提示"), QStringLiteral("此卡已经挂失，不能使用!"),
                          MsgIcon::Question);
        if (MemberStore::memberExists(card->text()))
            return refuse(QStringLiteral("提示"), QStringLiteral("此卡号已经存在！"), MsgIcon::Error);
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
        return false;
    }
    return true;
}

void Txinhuiyuan::idEditExit()
{
    const IdBirthday found = BirthdayFromIdNumber(m_form->idEdit()->text(), Clock::today().year());
    if (found.outcome == IdBirthday::Valid)
        m_form->birthdayEdit()->setDate(found.date);
    else if (found.outcome == IdBirthday::Invalid)
        ShowStandardError(QStringLiteral("“%1”不是有效的日期").arg(found.dateText), this);
}

void Txinhuiyuan::referrerCardEditEnter()
{
    std::optional<MemberStore::MemberRow> referrer;
    try {
        referrer = MemberStore::member(m_form->referrerCardEdit()->text());
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
        return;
    }
    if (!referrer) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("引荐人卡号不存在！"),
                         MsgIcon::Error, MsgButtons::Ok, this);
        return;
    }
    m_form->referrerNameEdit()->setText(referrer->name);
    m_form->referrerNameEdit()->setFocus(Qt::TabFocusReason);
}

void Txinhuiyuan::saveButtonClick()
{
    if (m_form->cardEdit()->text().isEmpty()) {
        Dialogs::message(QStringLiteral("系统提示"), QStringLiteral("卡号不能为空!"),
                         MsgIcon::Question, MsgButtons::Ok, this);
        return;
    }
    if (!cardEditExit())
        return;
    try {
        MemberStore::registerMember(m_form->entry());
    } catch (const DbError &e) {
        // Nothing of the save remains and every field keeps what was typed.
        ShowSaveFailure(e.text(), this);
        return;
    }
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("新增会员成功！"),
                     MsgIcon::Information, MsgButtons::Ok, this);
    reset();
}

void Txinhuiyuan::reset()
{
    m_form->clearFields();
    m_form->selectFirstEntries();
    m_form->cardEdit()->setFocus(Qt::OtherFocusReason);
}

void Txinhuiyuan::editButtonClick()
{
    QWidget *window = WindowRegistry::create(QStringLiteral("Txiugai"), this);
    auto *dialog = qobject_cast<QDialog *>(window);
    if (!dialog) {
        delete window;
        return;
    }
    modalRunner()(dialog);
    delete dialog;
}
