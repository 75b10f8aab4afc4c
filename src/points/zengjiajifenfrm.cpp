#include "zengjiajifenfrm.h"

#include "basketgrid.h"
#include "digitfilter.h"
#include "journalnumberlabel.h"
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

BasketWindowVariant BasketWindowVariant::purchase()
{
    BasketWindowVariant v;
    v.title = QStringLiteral("增加积分");
    v.heading = QStringLiteral("购物或换货增加积分");
    v.basketCaption = QStringLiteral("详细消费项目");
    v.amountCaption = QStringLiteral("消费金额");
    v.pointsCaption = QStringLiteral("增加积分");
    v.halfFilledMessage = QStringLiteral("请将商品表格填写完整！");
    v.negativeMessage = QStringLiteral("积分增加小于零，不能保存！");
    v.successMessage = QStringLiteral("增加积分成功！");
    return v;
}

BasketWindowVariant BasketWindowVariant::returnsWindow()
{
    BasketWindowVariant v;
    v.title = QStringLiteral("退/换货减积分");
    v.heading = QStringLiteral("退货或换货减积分");
    v.basketCaption = QStringLiteral("详细退货商品");
    v.amountCaption = QStringLiteral("退货金额");
    v.pointsCaption = QStringLiteral("减少积分");
    v.halfFilledMessage = QStringLiteral("请将退货商品表格填写完整！");
    v.negativeMessage = QStringLiteral("积分减少小于零，不能保存！");
    v.successMessage = QStringLiteral("退/换货减少积分成功！");
    v.returns = true;
    return v;
}

Tzengjiajifen::Tzengjiajifen(QWidget *parent)
    : Tzengjiajifen(BasketWindowVariant::purchase(), MemberPanelVariant::purchase(), parent)
{
}

Tzengjiajifen::Tzengjiajifen(const BasketWindowVariant &variant, const MemberPanelVariant &panelVariant,
                             QWidget *parent)
    : ChildWindow(parent, QPoint(130, 0), QSize(774, 602))
    , m_variant(variant)
{
    setObjectName(QStringLiteral("Tzengjiajifen"));
    setWindowTitle(m_variant.title);
    KeepMinimiseOnly(this);

    auto *heading = new QLabel(m_variant.heading, this);
    heading->setObjectName(QStringLiteral("headingLabel"));
    QFont headingFont = heading->font();
    headingFont.setPixelSize(22);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: #1f3f9f;"));

    m_memberPanel = new MemberPanel(panelVariant, this);
    auto *numberCaption = new QLabel(QStringLiteral("单据编号："), this);
    m_journalNumberLabel = new JournalNumberLabel(this);
    m_memberPanel->cardRow()->addWidget(numberCaption);
    m_memberPanel->cardRow()->addWidget(m_journalNumberLabel);
    auto *memberGroup = new QGroupBox(this);
    memberGroup->setObjectName(QStringLiteral("memberGroup"));
    (new QVBoxLayout(memberGroup))->addWidget(m_memberPanel);

    m_productPicker = new ProductPicker(m_variant.returns, this);

    auto *basketGroup = new QGroupBox(m_variant.basketCaption, this);
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
    m_discountedEdit = makeField(QStringLiteral("discountedEdit"), !m_variant.returns, this);
    if (m_variant.returns)
        m_discountedEdit->setValidator(new DigitFilter(m_discountedEdit));
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
    addField(m_variant.amountCaption, m_amountEdit, QStringLiteral("元"));
    addField(QStringLiteral("折扣"), m_discountEdit, QStringLiteral("%"));
    addField(QStringLiteral("折后金额"), m_discountedEdit, QStringLiteral("元"));
    addField(m_variant.pointsCaption, m_pointsEdit, QStringLiteral("分"));
    amounts->addStretch();
    auto *noteRow = new QHBoxLayout;
    noteRow->addStretch();
    noteRow->addWidget(note);
    noteRow->addStretch();

    m_confirmButton = MakeButton(QStringLiteral("确定"), QStringLiteral("confirmButton"), this);
    m_detailButton = MakeButton(QStringLiteral("详细记录"), QStringLiteral("detailButton"), this);
    m_closeButton = MakeButton(QStringLiteral("退出"), QStringLiteral("closeButton"), this);
    auto *buttons = CentredButtonRow({m_confirmButton, m_detailButton, m_closeButton}, 90, 20);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(4);
    layout->addWidget(heading);
    layout->addWidget(memberGroup);
    layout->addWidget(m_productPicker);
    layout->addWidget(basketGroup, 1);
    m_extraRow = new QHBoxLayout;
    layout->addLayout(m_extraRow);
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
        clearExtras();
    });
    connect(m_productPicker, &ProductPicker::productChosen, this,
            [this](const BasketGrid::Product &product) { m_basketGrid->addProduct(product); });
    connect(m_basketGrid, &BasketGrid::totalChanged, m_amountEdit, &QLineEdit::setText);
    connect(m_deleteLineButton, &QPushButton::clicked, this, [this] { m_basketGrid->deleteCurrentLine(); });
    connect(m_addLinesButton, &QPushButton::clicked, this, [this] { m_basketGrid->addLines(5); });
    connect(m_amountEdit, &QLineEdit::textChanged, this, [this] { amountEditChange(); });
    connect(m_discountedEdit, &QLineEdit::textChanged, this, [this] { discountedEditChange(); });
    connect(m_discountedEdit, &QLineEdit::textEdited, this, [this] { m_discountedTyped = true; });
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
    clearExtras();
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

QLabel *Tzengjiajifen::journalNumberLabel() const
{
    return m_journalNumberLabel;
}

void Tzengjiajifen::showJournalNumber(bool report)
{
    m_journalNumberLabel->refresh(report);
}

void Tzengjiajifen::amountEditChange()
{
    m_discountedTyped = false;
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
    // A typed exchange difference is no discounted amount: only its points follow the ratio.
    if (m_discountedTyped) {
        discountedEditChange();
        return;
    }
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
        Dialogs::message(QStringLiteral("提示"), m_variant.halfFilledMessage, MsgIcon::Error, MsgButtons::Ok, this);
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
        Dialogs::message(QStringLiteral("提示"), m_variant.negativeMessage, MsgIcon::Error, MsgButtons::Ok, this);
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
    purchase.returned = m_variant.returns;
    m_memberPanel->setCurrentCard(purchase.card);
    for (const int row : m_basketGrid->linesWithAmount()) {
        const std::optional<long double> amount = ReadExtended(m_basketGrid->cellText(row, BasketGrid::Amount));
        purchase.lines << PointStore::ConsumptionLine{m_basketGrid->cellText(row, BasketGrid::Name),
                                                      m_basketGrid->cellText(row, BasketGrid::Unit),
                                                      m_basketGrid->cellText(row, BasketGrid::Quantity),
                                                      ExtendedText(DiscountedAmount(*discount, amount.value_or(0)))};
    }

    completeSave(purchase);
    QString number;
    try {
        number = PointStore::savePurchase(purchase);
    } catch (const DbError &e) {
        ShowSaveFailure(e.text(), this);
        return;
    }
    Dialogs::message(QStringLiteral("提示"), m_variant.successMessage, MsgIcon::Information, MsgButtons::Ok, this);
    PrintTransactionReceipt(receiptSettings, receipt(number), this);
    reset();
    showJournalNumber(true);
}

TransactionReceipt Tzengjiajifen::receipt(const QString &journalNumber) const
{
    TransactionReceipt receipt;
    receipt.kind = m_variant.returns ? ReceiptKind::Return : ReceiptKind::Purchase;
    receipt.journalNumber = journalNumber;
    receipt.cardNumber = m_memberPanel->cardEdit()->text();
    receipt.memberName = m_memberPanel->nameEdit()->text();
    // A purchase lists the lines holding a product name, a return those holding a category.
    const int listed = m_variant.returns ? BasketGrid::Category : BasketGrid::Name;
    QStringList productNames;
    for (int row = 0; row < m_basketGrid->rowCount(); ++row)
        if (!m_basketGrid->cellText(row, listed).isEmpty())
            productNames << m_basketGrid->cellText(row, BasketGrid::Name);
    receipt.bodyLines = m_variant.returns
                            ? ReturnBodyLines(productNames, m_discountedEdit->text(), m_pointsEdit->text())
                            : PurchaseBodyLines(productNames, m_discountedEdit->text(), m_pointsEdit->text());
    return receipt;
}

void Tzengjiajifen::detailButtonClick()
{
    TDM1::instance()->ADOQuery8.setStatement(PointStore::journalStatement(), {m_memberPanel->currentCard()});
    if (Shell *shell = Shell::instance())
        shell->openChildWindow(QStringLiteral("会员积分增减详细记录"), QStringLiteral("Txiangxijilu"));
}
