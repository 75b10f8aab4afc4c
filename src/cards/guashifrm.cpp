#include "guashifrm.h"

#include "cardstore.h"
#include "cardwindowparts.h"
#include "historystore.h"

#include "common/dialogs.h"
#include "common/shell.h"
#include "common/windowsupport.h"
#include "data/dm1frm.h"
#include "data/sql.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tguashi::Tguashi(QWidget *parent)
    : ChildWindow(parent, QPoint(250, 0), QSize(556, 300))
{
    setObjectName(QStringLiteral("Tguashi"));
    setWindowTitle(QStringLiteral("会员卡更换"));
    KeepMinimiseOnly(this);

    m_memberPanel = new MemberPanel(MemberPanelVariant::replacement(), this);
    m_newCardEdit = new QLineEdit(this);
    m_newCardEdit->setObjectName(QStringLiteral("newCardEdit"));
    m_newCardEdit->setMinimumWidth(150);
    auto *newCardCaption = new QLabel(QStringLiteral("新卡号"), this);
    newCardCaption->setBuddy(m_newCardEdit);
    QHBoxLayout *cardRow = m_memberPanel->cardRow();
    // Beside the old number, ahead of the row's closing stretch.
    const int end = cardRow->count() - 1;
    cardRow->insertSpacing(end, 16);
    cardRow->insertWidget(end + 1, newCardCaption);
    cardRow->insertWidget(end + 2, m_newCardEdit);
    auto *memberGroup = new QGroupBox(this);
    memberGroup->setObjectName(QStringLiteral("memberGroup"));
    (new QVBoxLayout(memberGroup))->addWidget(m_memberPanel);

    m_confirmButton = MakeButton(QStringLiteral("确定"), QStringLiteral("confirmButton"), this);
    m_closeButton = MakeButton(QStringLiteral("退出"), QStringLiteral("closeButton"), this);
    m_allRecordsButton
        = MakeButton(QStringLiteral("全部更换记录"), QStringLiteral("allRecordsButton"), this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(6);
    layout->addWidget(MakeCardHeading(QStringLiteral("会员卡更换"), this));
    layout->addWidget(memberGroup);
    layout->addStretch();
    layout->addLayout(
        CentredButtonRow({ m_confirmButton, m_closeButton, m_allRecordsButton }, 80, 12));

    // The new number and "确定" follow the loaded member rather than the panel: a search
    // keeps their state. A typed old number names someone else until it is looked up.
    connect(m_memberPanel, &MemberPanel::memberLoaded, this, [this] {
        setReady(true);
        m_newCardEdit->setFocus();
    });
    connect(m_memberPanel->cardEdit(), &QLineEdit::textEdited, this, [this] { setReady(false); });
    connect(m_memberPanel, &MemberPanel::searchStarted, m_newCardEdit, &QLineEdit::clear);

    auto *chain = new EnterChain(this);
    chain->add(m_newCardEdit, [this] {
        if (m_confirmButton->isEnabled())
            m_confirmButton->setFocus();
    });

    connect(m_confirmButton, &QPushButton::clicked, this, [this] { confirmButtonClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { close(); });
    connect(m_allRecordsButton, &QPushButton::clicked, this, [this] { allRecordsButtonClick(); });

    FormShow();
}

void Tguashi::FormShow()
{
    reset();
    setReady(false);
    m_memberPanel->pickGroup()->hide();
}

void Tguashi::showEvent(QShowEvent *event)
{
    ChildWindow::showEvent(event);
    PlaceCardPickList(m_memberPanel, this);
    m_memberPanel->cardEdit()->setFocus();
}

void Tguashi::setReady(bool ready)
{
    m_newCardEdit->setEnabled(ready);
    m_confirmButton->setEnabled(ready);
}

void Tguashi::reset()
{
    m_memberPanel->clear();
    m_newCardEdit->clear();
    m_memberPanel->cardEdit()->setFocus();
}

void Tguashi::confirmButtonClick()
{
    const auto refuse = [this](const QString &text) {
        Dialogs::message(QStringLiteral("提示"), text, MsgIcon::Error, MsgButtons::Ok, this);
    };
    CardStore::Replacement outcome;
    try {
        // The points as the lookup showed them, not read again.
        outcome = CardStore::ReplaceCard(m_memberPanel->cardEdit()->text(), m_newCardEdit->text(),
                                         m_memberPanel->nameEdit()->text(),
                                         m_memberPanel->pointsValue()->text());
    } catch (const DbError &e) {
        ShowSaveFailure(e.text(), this);
        return;
    }
    switch (outcome) {
    case CardStore::Replacement::NewEmpty:
        refuse(QStringLiteral("请输入新卡号！"));
        return;
    case CardStore::Replacement::NewReplacedAway:
        refuse(QStringLiteral("此新卡号已经被更换，不能使用！"));
        return;
    case CardStore::Replacement::NewExists:
        refuse(QStringLiteral("选定的新卡号已经存在！"));
        m_newCardEdit->clear();
        return;
    case CardStore::Replacement::OldMissing:
        // After a search, or the member was renumbered elsewhere since the lookup.
        refuse(QStringLiteral("此卡号不存在！"));
        return;
    case CardStore::Replacement::Done:
        break;
    }
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("会员卡更换、补发新卡成功!"),
                     MsgIcon::Information, MsgButtons::Ok, this);
    reset();
    setReady(false);
    m_memberPanel->pickGroup()->hide();
}

void Tguashi::allRecordsButtonClick()
{
    const RecordStore::Statement all = HistoryStore::all(QStringLiteral("挂失记录"));
    TDM1::instance()->ADOQuery9.setStatement(all.text, all.values);
    if (Shell *shell = Shell::instance())
        shell->openChildWindow(QStringLiteral("全部会员卡更换历史记录"),
                               QStringLiteral("Tguashilishi"));
}
