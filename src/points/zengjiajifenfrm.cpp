#include "zengjiajifenfrm.h"

#include "basketgrid.h"
#include "digitfilter.h"
#include "pointsmath.h"
#include "pointstore.h"
#include "productpicker.h"

#include "common/dialogs.h"
#include "common/numtext.h"
#include "common/shell.h"
#include "common/windowsupport.h"
#include "data/dm1frm.h"
#include "data/journalnumber.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "receipts/receipts.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *makeField(const QString &name, bool readOnly, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(readOnly);
    edit->setFixedWidth(90);
    return edit;
}

} // namespace

Tzengjiajifen::Tzengjiajifen(QWidget *parent)
    : ChildWindow(parent, QPoint(130, 0), QSize(774, 602))
{
    setObjectName(QStringLiteral("Tzengjiajifen"));
    setWindowTitle(QStringLiteral("增加积分"));
    KeepMinimiseOnly(this);

    auto *heading = new QLabel(QStringLiteral("购物或换货增加积分"), this);
    heading->setObjectName(QStringLiteral("headingLabel"));
    QFont headingFont = heading->font();
    headingFont.setPixelSize(22);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: #1f3f9f;"));

    m_memberPanel = new MemberPanel(MemberPanelVariant::purchase(), this);
    auto *numberCaption = new QLabel(QStringLiteral("单据编号："), this);
    m_journalNumberLabel = new QLabel(this);
    m_journalNumberLabel->setObjectName(QStringLiteral("journalNumberLabel"));
    m_journalNumberLabel->setMinimumWidth(90);
    m_journalNumberLabel->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    m_memberPanel->cardRow()->addWidget(numberCaption);
    m_memberPanel->cardRow()->addWidget(m_journalNumberLabel);
    auto *memberGroup = new QGroupBox(this);
    memberGroup->setObjectName(QStringLiteral("memberGroup"));
    (new QVBoxLayout(memberGroup))->addWidget(m_memberPanel);

    m_productPicker = new ProductPicker(false, this);

    auto *basketGroup = new QGroupBox(QStringLiteral("详细消费项目"), this);
    basketGroup->setObjectName(QStringLiteral("basketGroup"));
    m_basketGrid = new BasketGrid(basketGroup);
    m_deleteLineButton = MakeButton(QStringLiteral("删除商品"), QStringLiteral("deleteLineButton"), basketGroup);
    m_addLinesButton = MakeButton(QStringLiteral("增加表格"), QStringLiteral("addLinesButton"), basketGroup);
    auto *basketButtons = new QHBoxLayout;
    basketButtons->addStretch();
    basketButtons->addWidget(m_deleteLineButton);
    basketButtons->addWidget(m_addLinesButton);
    auto *basketLayout = new QVBoxLayout(basketGroup);
    basketLayout->setContentsMargins(4, 4, 4, 4);
    basketLayout->setSpacing(3);
    basketLayout->addWidget(m_basketGrid, 1);
    basketLayout->addLayout(basketButtons);

    m_amountEdit = makeField(QStringLiteral("amountEdit"), false, this);
    m_amountEdit->setValidator(new DigitFilter(m_amountEdit));
    m_discountEdit = makeField(QStringLiteral("discountEdit"), true, this);
    m_discountEdit->setFixedWidth(50);
    m_discountedEdit = makeField(QStringLiteral("discountedEdit"), true, this);
    m_pointsEdit = makeField(QStringLiteral("pointsEdit"), true, this);
    auto *note = new QLabel(QStringLiteral("换货可直接输入差价"), this);
    note->setObjectName(QStringLiteral("exchangeNote"));
    note->setStyleSheet(QStringLiteral("color: #b00000;"));
    auto *amounts = new QHBoxLayout;
    const auto addField = [amounts, this](const QString &caption, QLineEdit *field, const QString &unit) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        amounts->addWidget(label);
        amounts->addWidget(field);
        amounts->addWidget(new QLabel(unit, this));
        amounts->addSpacing(6);
    };
    addField(QStringLiteral("消费金额"), m_amountEdit, QStringLiteral("元"));
    addField(QStringLiteral("折扣"), m_discountEdit, QStringLiteral("%"));
    addField(QStringLiteral("折后金额"), m_discountedEdit, QStringLiteral("元"));
    addField(QStringLiteral("增加积分"), m_pointsEdit, QStringLiteral("分"));
    amounts->addStretch();
    auto *noteRow = new QHBoxLayout;
    noteRow->addStretch();
    noteRow->addWidget(note);
    noteRow->addStretch();

    m_confirmButton = MakeButton(QStringLiteral("确定"), QStringLiteral("confirmButton"), this);
    m_detailButton = MakeButton(QStringLiteral("详细记录"), QStringLiteral("detailButton"), this);
    m_closeButton = MakeButton(QStringLiteral("退出"), QStringLiteral("closeButton"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_confirmButton, m_detailButton, m_closeButton}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
        buttons->addSpacing(20);
    }
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(4);
    layout->addWidget(heading);
    layout->addWidget(memberGroup);
    layout->addWidget(m_productPicker);
    layout->addWidget(basketGroup, 1);
    layout->addLayout(amounts);
    layout->addLayout(noteRow);
    layout->addLayout(buttons);

    m_memberPanel->setDiscountField(m_discountEdit);
    m_memberPanel->setEnabledWhileLoaded({m_amountEdit, m_pointsEdit, m_confirmButton});
    m_memberPanel->setFocusTarget(m_productPicker->searchEdit());

    connect(m_memberPanel, &MemberPanel::memberLoaded, this, [this] { recalculateForMember(); });
    connect(m_memberPanel, &MemberPanel::searchStarted, this, [this] {
        m_productPicker->searchEdit()->clear();
        m_amountEdit->clear();
        m_discountedEdit->clear();
        m_pointsEdit->clear();
    });
    connect(m_productPicker, &ProductPicker::productChosen, this,
            [this](const BasketGrid::Product &product) { m_basketGrid->addProduct(product); });
    connect(m_basketGrid, &BasketGrid::totalChanged, m_amountEdit, &QLineEdit::setText);
    connect(m_deleteLineButton, &QPushButton::clicked, this, [this] { m_basketGrid->deleteCurrentLine(); });
    connect(m_addLinesButton, &QPushButton::clicked, this, [this] { m_basketGrid->addLines(5); });
    connect(m_amountEdit, &QLineEdit::textChanged, this, [this] { amountEditChange(); });
    connect(m_discountedEdit, &QLineEdit::textChanged, this, [this] { discountedEditChange(); });
    connect(m_confirmButton, &QPushButton::clicked, this, [this] { confirmButtonClick(); });
    connect(m_detailButton, &QPushButton::clicked, this, [this] { detailButtonClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { close(); });

    FormShow();
}

void Tzengjiajifen::FormShow()
{
    reset();
    m_memberPanel->pickGroup()->hide();
    m_productPicker->pickGroup()->hide();
    showJournalNumber(true);
}

void Tzengjiajifen::reset()
{
    m_memberPanel->clear();
    m_productPicker->searchEdit()->clear();
    // The change rules run as the fields empty, also on fields that were empty already:
    // "0" amounts, discount "100".
    m_discountEdit->clear();
    if (m_amountEdit->text().isEmpty())
        amountEditChange();
    else
        m_amountEdit->clear();
    if (m_discountedEdit->text().isEmpty())
        discountedEditChange();
    else
        m_discountedEdit->clear();
    m_pointsEdit->clear();
    m_basketGrid->clearLines();
    m_memberPanel->cardEdit()->setFocus();
}

void Tzengjiajifen::showEvent(QShowEvent *event)
{
    ChildWindow::showEvent(event);
    placePickLists();
    m_memberPanel->cardEdit()->setFocus();
    showJournalNumber(true);
}

void Tzengjiajifen::paintEvent(QPaintEvent *event)
{
    ChildWindow::paintEvent(event);
    // Another window may have saved a transaction meanwhile.
    showJournalNumber(false);
}

void Tzengjiajifen::resizeEvent(QResizeEvent *event)
{
    ChildWindow::resizeEvent(event);
    placePickLists();
}

void Tzengjiajifen::placePickLists()
{
    const QWidget *name = m_memberPanel->nameEdit();
    const QPoint below = name->mapTo(this, QPoint(0, name->height() + 2));
    m_memberPanel->pickGroup()->setGeometry(below.x(), below.y(), 430, 230);
    const QWidget *search = m_productPicker->searchEdit();
    const QPoint underSearch = search->mapTo(this, QPoint(0, search->height() + 2));
    m_productPicker->pickGroup()->setGeometry(underSearch.x(), underSearch.y(), 560, 230);
}

void Tzengjiajifen::showJournalNumber(bool report)
{
    try {
        const QString number = NextJournalNumber();
        m_journalError.clear();
        if (m_journalNumberLabel->text() != number)
            m_journalNumberLabel->setText(number);
    } catch (const DbError &e) {
        // A repaint must not raise the same message again and again.
        if (!report && e.text() == m_journalError)
            return;
        m_journalError = e.text();
        ShowStandardError(e.text(), this);
    }
}

void Tzengjiajifen::amountEditChange()
{
    if (m_amountEdit->text().isEmpty()) {
        m_amountEdit->setText(QStringLiteral("0"));
        return;
    }
    if (m_discountEdit->text().isEmpty())
        m_discountEdit->setText(QStringLiteral("100"));
    const std::optional<long double> discount = ReadExtended(m_discountEdit->text());
    const std::optional<long double> amount = ReadExtended(m_amountEdit->text());
    if (!discount || !amount) {
        ShowStandardError(NotANumberMessage(!amount ? m_amountEdit->text() : m_discountEdit->text()), this);
        return;
    }
    m_discountedEdit->setText(ExtendedText(DiscountedAmount(*discount, *amount)));
}

void Tzengjiajifen::discountedEditChange()
{
    if (m_discountedEdit->text().isEmpty()) {
        m_discountedEdit->setText(QStringLiteral("0"));
        return;
    }
    const double ratio = PointStore::pointsRatio(m_memberPanel->categoryValue()->text());
    if (ratio == 0)
        return;
    const std::optional<long double> discounted = ReadExtended(m_discountedEdit->text());
    if (!discounted) {
        ShowStandardError(NotANumberMessage(m_discountedEdit->text()), this);
        return;
    }
    m_pointsEdit->setText(ExtendedText(*discounted / ratio));
    m_pointsEdit->setText(NumberText(RoundTwoDecimals(TextNumber(m_pointsEdit->text()))));
}

void Tzengjiajifen::recalculateForMember()
{
    // The basket may have been filled before the card was read, or a search may have
    // emptied the amount since: the basket's total, the member's discount and points ratio
    // apply now. Without a member the amount field was closed to typing, so the basket is
    // all there is. An empty discount counts as 100 and stays empty.
    if (const std::optional<double> total = m_basketGrid->total())
        m_amountEdit->setText(NumberText(*total));
    const std::optional<long double> amount = ReadExtended(m_amountEdit->text());
    const QString discountText = m_discountEdit->text().isEmpty() ? QStringLiteral("100") : m_discountEdit->text();
    const std::optional<long double> discount = ReadExtended(discountText);
    if (amount && discount) {
        const QString discounted = ExtendedText(DiscountedAmount(*discount, *amount));
        if (m_discountedEdit->text() != discounted) {
            m_discountedEdit->setText(discounted);
            return;
        }
    }
    discountedEditChange();
}

void Tzengjiajifen::confirmButtonClick()
{
    if (!m_memberPanel->isLoaded())
        return;
    const ReceiptSettings receiptSettings = ReceiptSettings::read();
    const int halfFilled = m_basketGrid->halfFilledLine();
    if (halfFilled >= 0) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("请将商品表格填写完整！"), MsgIcon::Error,
                         MsgButtons::Ok, this);
        m_basketGrid->selectLine(halfFilled);
        return;
    }
    if (m_pointsEdit->text().isEmpty())
        m_pointsEdit->setText(QStringLiteral("0"));
    // The points must belong to the amount shown: a text the rules could not work with has
    // left them as they were.
    for (QLineEdit *field : {m_amountEdit, m_discountedEdit, m_pointsEdit}) {
        if (!ReadExtended(field->text())) {
            ShowStandardError(NotANumberMessage(field->text()), this);
            return;
        }
    }
    const long double points = *ReadExtended(m_pointsEdit->text());
    if (points < 0) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("积分增加小于零，不能保存！"), MsgIcon::Error,
                         MsgButtons::Ok, this);
        return;
    }
    const QString discountText = m_discountEdit->text().isEmpty() ? QStringLiteral("100") : m_discountEdit->text();
    const std::optional<long double> discount = ReadExtended(discountText);
    if (!discount) {
        ShowStandardError(NotANumberMessage(discountText), this);
        return;
    }

    PointStore::Purchase purchase;
    purchase.card = m_memberPanel->cardEdit()->text();
    purchase.name = m_memberPanel->nameEdit()->text();
    purchase.points = m_pointsEdit->text();
    m_memberPanel->setCurrentCard(purchase.card);
    QStringList productNames;
    for (int row = 0; row < m_basketGrid->rowCount(); ++row)
        if (!m_basketGrid->cellText(row, BasketGrid::Name).isEmpty())
            productNames << m_basketGrid->cellText(row, BasketGrid::Name);
    for (const int row : m_basketGrid->linesWithAmount()) {
        const std::optional<long double> amount = ReadExtended(m_basketGrid->cellText(row, BasketGrid::Amount));
        purchase.lines << PointStore::ConsumptionLine{m_basketGrid->cellText(row, BasketGrid::Name),
                                                      m_basketGrid->cellText(row, BasketGrid::Unit),
                                                      m_basketGrid->cellText(row, BasketGrid::Quantity),
                                                      ExtendedText(DiscountedAmount(*discount, amount.value_or(0)))};
    }

    QString number;
    try {
        number = PointStore::savePurchase(purchase);
    } catch (const DbError &e) {
        ShowSaveFailure(e.text(), this);
        return;
    }
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("增加积分成功！"), MsgIcon::Information, MsgButtons::Ok,
                     this);

    TransactionReceipt receipt;
    receipt.kind = ReceiptKind::Purchase;
    receipt.journalNumber = number;
    receipt.cardNumber = purchase.card;
    receipt.memberName = purchase.name;
    receipt.bodyLines = PurchaseBodyLines(productNames, m_discountedEdit->text(), m_pointsEdit->text());
    PrintTransactionReceipt(receiptSettings, receipt, this);
    reset();
    showJournalNumber(true);
}

void Tzengjiajifen::detailButtonClick()
{
    TDM1::instance()->ADOQuery8.setStatement(PointStore::journalStatement(), {m_memberPanel->currentCard()});
    if (Shell *shell = Shell::instance())
        shell->openChildWindow(QStringLiteral("会员积分增减详细记录"), QStringLiteral("Txiangxijilu"));
}
