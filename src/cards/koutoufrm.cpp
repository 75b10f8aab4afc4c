#include "koutoufrm.h"

#include "cardstore.h"
#include "cardwindowparts.h"

#include "common/dialogs.h"
#include "common/windowsupport.h"
#include "data/sql.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Tkoutou::Tkoutou(QWidget *parent)
    : ChildWindow(parent, QPoint(200, 0), QSize(556, 330))
{
    setObjectName(QStringLiteral("Tkoutou"));
    setWindowTitle(QStringLiteral("会员卡挂失及取消"));
    KeepMinimiseOnly(this);

    m_memberPanel = new MemberPanel(MemberPanelVariant::verbalLoss(), this);
    auto *memberGroup = new QGroupBox(this);
    memberGroup->setObjectName(QStringLiteral("memberGroup"));
    (new QVBoxLayout(memberGroup))->addWidget(m_memberPanel);

    auto *choiceGroup = new QGroupBox(QStringLiteral("请选择"), this);
    choiceGroup->setObjectName(QStringLiteral("choiceGroup"));
    // The blanks space the two choices as the counter staff know them.
    m_reportButton = new QRadioButton(QStringLiteral("挂失           "), choiceGroup);
    m_reportButton->setObjectName(QStringLiteral("reportButton"));
    m_cancelReportButton = new QRadioButton(QStringLiteral("取消挂失"), choiceGroup);
    m_cancelReportButton->setObjectName(QStringLiteral("cancelReportButton"));
    auto *choiceLayout = new QHBoxLayout(choiceGroup);
    choiceLayout->setContentsMargins(8, 2, 8, 2);
    choiceLayout->addStretch();
    choiceLayout->addWidget(m_reportButton);
    choiceLayout->addWidget(m_cancelReportButton);
    choiceLayout->addStretch();
    m_reportButton->setChecked(true);

    m_confirmButton = MakeButton(QStringLiteral("确定"), QStringLiteral("confirmButton"), this);
    m_closeButton = MakeButton(QStringLiteral("退出"), QStringLiteral("closeButton"), this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(6);
    layout->addWidget(MakeCardHeading(QStringLiteral("会员卡挂失及取消挂失"), this));
    layout->addWidget(memberGroup);
    layout->addWidget(choiceGroup);
    layout->addStretch();
    layout->addLayout(CentredButtonRow({ m_confirmButton, m_closeButton }, 80, 12));

    // "确定" follows the loaded member rather than the panel: a search keeps its state, so
    // a report after a search meets the empty card number. A typed card number always
    // names someone else until it is looked up.
    connect(m_memberPanel, &MemberPanel::memberLoaded, this, [this] {
        m_confirmButton->setEnabled(true);
        m_confirmButton->setFocus();
    });
    connect(m_memberPanel->cardEdit(), &QLineEdit::textEdited, this,
            [this] { m_confirmButton->setEnabled(false); });

    connect(m_confirmButton, &QPushButton::clicked, this, [this] { confirmButtonClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { close(); });

    FormShow();
}

void Tkoutou::FormShow()
{
    reset();
    m_confirmButton->setEnabled(false);
    m_memberPanel->pickGroup()->hide();
}

void Tkoutou::showEvent(QShowEvent *event)
{
    ChildWindow::showEvent(event);
    PlaceCardPickList(m_memberPanel, this);
    m_memberPanel->cardEdit()->setFocus();
}

void Tkoutou::reset()
{
    // The choice between report and cancellation stays for the next card.
    m_memberPanel->clear();
    m_memberPanel->cardEdit()->setFocus();
}

void Tkoutou::confirmButtonClick()
{
    const auto refuse = [this](const QString &text) {
        Dialogs::message(QStringLiteral("提示"), text, MsgIcon::Error, MsgButtons::Ok, this);
    };
    // The flag as the last lookup showed it, not read again.
    const bool shownLost = m_memberPanel->lossBox()->isChecked();
    const bool report = m_reportButton->isChecked();
    if (report && shownLost) {
        refuse(QStringLiteral("此卡号已经挂失！"));
        m_confirmButton->setEnabled(false);
        return;
    }
    if (!report && !shownLost) {
        refuse(QStringLiteral("此卡号还没有挂失！"));
        m_confirmButton->setEnabled(false);
        return;
    }
    const QString card = m_memberPanel->cardEdit()->text();
    if (card.isEmpty()) {
        refuse(QStringLiteral("请将卡号填写完整！"));
        return;
    }

    bool saved = false;
    try {
        saved = report ? CardStore::ReportLoss(card, m_memberPanel->nameEdit()->text())
                       : CardStore::CancelLoss(card);
    } catch (const DbError &e) {
        ShowSaveFailure(e.text(), this);
        return;
    }
    if (!saved) {
        // The member was renumbered by a replacement since the lookup.
        refuse(QStringLiteral("此卡号不存在！"));
        m_confirmButton->setEnabled(false);
        return;
    }
    Dialogs::message(QStringLiteral("提示"),
                     report ? QStringLiteral("挂失成功！") : QStringLiteral("取消挂失成功！"),
                     MsgIcon::Information, MsgButtons::Ok, this);
    m_confirmButton->setEnabled(false);
    reset();
}
