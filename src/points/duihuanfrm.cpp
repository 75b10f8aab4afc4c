#include "duihuanfrm.h"

#include "digitfilter.h"
#include "journalnumberlabel.h"
#include "pointsmath.h"
#include "pointstore.h"

#include "common/dialogs.h"
#include "common/numtext.h"
#include "common/shell.h"
#include "common/windowsupport.h"
#include "data/dm1frm.h"
#include "data/sql.h"
#include "receipts/receipts.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit *makeInput(const QString &name, bool digitsOnly, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (digitsOnly)
        edit->setValidator(new DigitFilter(edit));
    return edit;
}

void refuse(const QString &caption, const QString &text, QWidget *parent)
{
    Dialogs::message(caption, text, MsgIcon::Error, MsgButtons::Ok, parent);
}

} // namespace

Tduihuan::Tduihuan(QWidget *parent)
    : ChildWindow(parent, QPoint(200, 0), QSize(556, 438))
{
    setObjectName(QStringLiteral("Tduihuan"));
    setWindowTitle(QStringLiteral("积分兑换"));
    KeepMinimiseOnly(this);

    auto *heading = new QLabel(QStringLiteral("积分兑换"), this);
    heading->setObjectName(QStringLiteral("headingLabel"));
    QFont headingFont = heading->font();
    headingFont.setPixelSize(22);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: #1f3f9f;"));

    auto *kindGroup = new QGroupBox(QStringLiteral("请选择兑换方式"), this);
    kindGroup->setObjectName(QStringLiteral("kindGroup"));
    // The blanks space the two choices as the counter staff know them.
    m_giftButton = new QRadioButton(QStringLiteral("礼品           "), kindGroup);
    m_giftButton->setObjectName(QStringLiteral("giftButton"));
    m_cashButton = new QRadioButton(QStringLiteral("现金"), kindGroup);
    m_cashButton->setObjectName(QStringLiteral("cashButton"));
    auto *kindLayout = new QHBoxLayout(kindGroup);
    kindLayout->setContentsMargins(8, 2, 8, 2);
    kindLayout->addStretch();
    kindLayout->addWidget(m_giftButton);
    kindLayout->addWidget(m_cashButton);
    kindLayout->addStretch();
    m_giftButton->setChecked(true);

    m_memberPanel = new MemberPanel(MemberPanelVariant::redemption(), this);
    m_memberPanel->cardRow()->addWidget(new QLabel(QStringLiteral("单据编号："), this));
    m_journalNumberLabel = new JournalNumberLabel(this);
    m_memberPanel->cardRow()->addWidget(m_journalNumberLabel);
    auto *memberGroup = new QGroupBox(this);
    memberGroup->setObjectName(QStringLiteral("memberGroup"));
    (new QVBoxLayout(memberGroup))->addWidget(m_memberPanel);

    m_pointsEdit = makeInput(QStringLiteral("pointsEdit"), true, this);
    m_giftEdit = makeInput(QStringLiteral("giftEdit"), false, this);
    m_cashEdit = makeInput(QStringLiteral("cashEdit"), true, this);
    auto *inputs = new QGridLayout;
    const QList<QPair<QString, QLineEdit *>> rows{{QStringLiteral("本次兑换积分"), m_pointsEdit},
                                                 {QStringLiteral("本次兑换礼品"), m_giftEdit},
                                                 {QStringLiteral("本次兑换现金"), m_cashEdit}};
    for (int i = 0; i < rows.size(); ++i) {
        auto *caption = new QLabel(rows.at(i).first, this);
        caption->setBuddy(rows.at(i).second);
        inputs->addWidget(caption, i, 0);
        inputs->addWidget(rows.at(i).second, i, 1);
    }
    inputs->setColumnStretch(1, 1);

    m_confirmButton = MakeButton(QStringLiteral("确定"), QStringLiteral("confirmButton"), this);
    m_detailButton = MakeButton(QStringLiteral("详细记录"), QStringLiteral("detailButton"), this);
    m_closeButton = MakeButton(QStringLiteral("退出"), QStringLiteral("closeButton"), this);
    auto *buttons = CentredButtonRow({m_confirmButton, m_detailButton, m_closeButton}, 80, 12);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(4);
    layout->addWidget(heading);
    layout->addWidget(kindGroup);
    layout->addWidget(memberGroup);
    layout->addLayout(inputs);
    layout->addStretch();
    layout->addLayout(buttons);

    // Points and "确定" wait for a member; the rights check decides on gift and cash.
    m_memberPanel->setEnabledWhileLoaded({m_pointsEdit, m_confirmButton});
    connect(m_memberPanel, &MemberPanel::memberLoaded, this,
            [this](MemberPanel::Source source) { checkRights(source); });

    auto *chain = new EnterChain(this);
    chain->add(m_pointsEdit, [this] {
        // With both inputs open the gift field ends with the focus.
        if (m_cashEdit->isEnabled())
            m_cashEdit->setFocus();
        if (m_giftEdit->isEnabled())
            m_giftEdit->setFocus();
    });
    const auto toConfirm = [this] {
        if (m_confirmButton->isEnabled())
            m_confirmButton->setFocus();
    };
    chain->add(m_giftEdit, toConfirm);
    chain->add(m_cashEdit, toConfirm);

    connect(m_confirmButton, &QPushButton::clicked, this, [this] { confirmButtonClick(); });
    connect(m_detailButton, &QPushButton::clicked, this, [this] { detailButtonClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { close(); });

    FormShow();
}

QLabel *Tduihuan::journalNumberLabel() const
{
    return m_journalNumberLabel;
}

void Tduihuan::FormShow()
{
    reset();
    m_cashEdit->setEnabled(false);
    m_giftEdit->setEnabled(true);
    m_memberPanel->pickGroup()->hide();
}

void Tduihuan::showEvent(QShowEvent *event)
{
    ChildWindow::showEvent(event);
    placePickList();
    m_memberPanel->cardEdit()->setFocus();
    m_journalNumberLabel->refresh(true);
}

void Tduihuan::paintEvent(QPaintEvent *event)
{
    ChildWindow::paintEvent(event);
    // Another window may have saved a transaction meanwhile.
    m_journalNumberLabel->refresh(false);
}

void Tduihuan::placePickList()
{
    const QWidget *name = m_memberPanel->nameEdit();
    const QPoint below = name->mapTo(this, QPoint(0, name->height() + 2));
    m_memberPanel->pickGroup()->setGeometry(below.x(), below.y(), 400, 200);
}

void Tduihuan::clearInputs()
{
    m_pointsEdit->clear();
    m_giftEdit->clear();
    m_cashEdit->clear();
}

void Tduihuan::reset()
{
    // The kind and the state of the gift and cash fields stay for the next member.
    m_memberPanel->clear();
    clearInputs();
    m_memberPanel->cardEdit()->setFocus();
    m_journalNumberLabel->refresh(true);
}

void Tduihuan::checkRights(MemberPanel::Source source)
{
    const PointStore::RedemptionRights rights = PointStore::redemptionRights(m_memberPanel->categoryValue()->text());
    const bool gifts = m_giftButton->isChecked();
    if (gifts ? !rights.gifts : !rights.cash) {
        const QString caption = !gifts && source == MemberPanel::Source::Pick ? QStringLiteral("提示！")
                                                                                 : QStringLiteral("提示");
        refuse(caption, gifts ? QStringLiteral("对不起！此卡不允许兑换礼品！") : QStringLiteral("对不起！此卡不允许返现金！"),
               this);
        // A refused member cannot be saved by a "确定" still enabled from an earlier one.
        m_memberPanel->clear();
        clearInputs();
        return;
    }
    m_giftEdit->setEnabled(gifts);
    m_cashEdit->setEnabled(!gifts);
    if (source == MemberPanel::Source::Lookup)
        m_pointsEdit->setFocus();
}

void Tduihuan::confirmButtonClick()
{
    if (!m_memberPanel->isLoaded())
        return;
    const ReceiptSettings receiptSettings = ReceiptSettings::read();
    if (m_pointsEdit->text().isEmpty())
        m_pointsEdit->setText(QStringLiteral("0"));
    if (m_cashEdit->text().isEmpty())
        m_cashEdit->setText(QStringLiteral("0"));
    for (QLineEdit *field : {m_pointsEdit, m_cashEdit}) {
        if (!ReadExtended(field->text())) {
            ShowStandardError(NotANumberMessage(field->text()), this);
            return;
        }
    }
    const double points = double(*ReadExtended(m_pointsEdit->text()));
    if (!(points > 0)) {
        refuse(QStringLiteral("提示"), QStringLiteral("兑换积分小于或等于零，不能保存！"), this);
        return;
    }
    const QString overdrawn = QStringLiteral("兑换积分大于现有积分，不能保存！");
    if (points > TextNumber(m_memberPanel->pointsValue()->text())) {
        refuse(QStringLiteral("提示"), overdrawn, this);
        return;
    }

    PointStore::Redemption redemption;
    redemption.card = m_memberPanel->cardEdit()->text();
    redemption.name = m_memberPanel->nameEdit()->text();
    redemption.points = m_pointsEdit->text().trimmed();
    redemption.gift = m_giftEdit->text();
    redemption.cash = m_cashEdit->text();
    m_memberPanel->setCurrentCard(redemption.card);

    std::optional<QString> number;
    try {
        number = PointStore::saveRedemption(redemption);
    } catch (const DbError &e) {
        ShowSaveFailure(e.text(), this);
        return;
    }
    if (!number) {
        // Another window has spent or taken off points since this member was shown.
        refuse(QStringLiteral("提示"), overdrawn, this);
        return;
    }
    Dialogs::message(QStringLiteral("系统提示"), QStringLiteral("兑换积分成功！"), MsgIcon::Question, MsgButtons::Ok,
                     this);
    TransactionReceipt receipt;
    receipt.kind = ReceiptKind::Redemption;
    receipt.journalNumber = *number;
    receipt.cardNumber = redemption.card;
    receipt.memberName = redemption.name;
    receipt.bodyLines = RedemptionBodyLines(m_pointsEdit->text(), m_giftEdit->text(), m_cashEdit->text());
    PrintTransactionReceipt(receiptSettings, receipt, this);
    reset();
}

void Tduihuan::detailButtonClick()
{
    TDM1::instance()->ADOQuery8.setStatement(PointStore::journalStatement(), {m_memberPanel->currentCard()});
    if (Shell *shell = Shell::instance())
        shell->openChildWindow(QStringLiteral("会员积分增减详细记录"), QStringLiteral("Txiangxijilu"));
}
