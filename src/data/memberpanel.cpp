#include "memberpanel.h"

#include "dm1frm.h"
#include "sql.h"

#include "common/windowsupport.h"
#include "common/dialogs.h"
#include "common/shell.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString replacedAskChange = QStringLiteral("此卡已经更换，不能使用,需要打开换卡记录吗？");
const QString replacedAskRecords = QStringLiteral("此卡已经更换，不能使用,需要打开更换记录吗？");

QIcon magnifierIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x3f, 0x9f), 2));
    p.drawEllipse(QRectF(2, 2, 8, 8));
    p.setPen(QPen(QColor(0x1f, 0x3f, 0x9f), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14, 14));
    return QIcon(pixmap);
}

QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setMinimumWidth(90);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void openRecords(const QString &title, const QString &windowClass)
{
    if (Shell *shell = Shell::instance())
        shell->openChildWindow(title, windowClass);
}

} // namespace

MemberPanelVariant MemberPanelVariant::purchase()
{
    MemberPanelVariant v;
    v.replacedQuestion = replacedAskChange;
    v.replacedTitle = QStringLiteral("换卡历史记录");
    v.lostTitle = QStringLiteral("挂失记录");
    v.lostTitleOnPick = QStringLiteral("挂失记录");
    v.totals = true;
    v.discount = true;
    v.searchHint = QStringLiteral("输入信息后模糊查找！");
    v.pickTitle = QStringLiteral("请双击选中的会员");
    v.colon = QStringLiteral(":");
    return v;
}

MemberPanelVariant MemberPanelVariant::returns()
{
    MemberPanelVariant v = purchase();
    v.searchHint.clear();
    return v;
}

MemberPanelVariant MemberPanelVariant::redemption()
{
    MemberPanelVariant v;
    v.replacedQuestion = replacedAskRecords;
    v.replacedTitle = QStringLiteral("全部挂失历史记录");
    v.replacedCheckOnPick = true;
    v.pickListStaysOpenAfterReplacedQuestion = true;
    v.lostTitle = QStringLiteral("口头挂失记录");
    v.lostTitleOnPick = QStringLiteral("挂失记录");
    v.searchHint = QStringLiteral("模糊查找");
    v.colon = QStringLiteral("：");
    return v;
}

MemberPanelVariant MemberPanelVariant::query()
{
    MemberPanelVariant v = purchase();
    v.discount = false;
    v.lossBox = true;
    v.searchHint.clear();
    return v;
}

MemberPanelVariant MemberPanelVariant::verbalLoss()
{
    MemberPanelVariant v;
    v.replacedQuestion = replacedAskChange;
    v.replacedTitle = QStringLiteral("全部挂失历史记录");
    v.refuseLost = false;
    v.lossBox = true;
    v.searchClearsLossBox = true;
    v.remembersCard = false;
    v.focusAfterPick = true;
    v.searchHint = QStringLiteral("模糊查找");
    v.colon = QStringLiteral("：");
    return v;
}

MemberPanelVariant MemberPanelVariant::replacement()
{
    MemberPanelVariant v = redemption();
    v.refuseLost = false;
    v.lostTitle.clear();
    v.lostTitleOnPick.clear();
    v.remembersCard = false;
    v.focusAfterPick = true;
    return v;
}

MemberPanel::MemberPanel(const MemberPanelVariant &variant, QWidget *parent)
    : QWidget(parent)
    , m_variant(variant)
{
    setObjectName(QStringLiteral("memberPanel"));

    m_cardPrompt = new QLabel(QStringLiteral("刷卡或输入卡号后回车"), this);
    m_cardPrompt->setObjectName(QStringLiteral("cardPrompt"));
    m_cardPrompt->setStyleSheet(QStringLiteral("color: #1f3f9f;"));
    m_cardEdit = new QLineEdit(this);
    m_cardEdit->setObjectName(QStringLiteral("cardEdit"));
    m_cardEdit->setMinimumWidth(150);
    auto *cardCaption = new QLabel(QStringLiteral("会员卡号"), this);
    cardCaption->setObjectName(QStringLiteral("cardCaption"));
    cardCaption->setBuddy(m_cardEdit);

    m_cardRow = new QHBoxLayout;
    m_cardRow->addWidget(cardCaption);
    m_cardRow->addWidget(m_cardEdit);
    if (m_variant.lossBox) {
        m_lossBox = new QCheckBox(QStringLiteral("挂失标志"), this);
        m_lossBox->setObjectName(QStringLiteral("lossBox"));
        // It shows the stored flag; only the loss report changes it.
        m_lossBox->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_lossBox->setFocusPolicy(Qt::NoFocus);
        m_cardRow->addWidget(m_lossBox);
    }
    m_cardRow->addStretch();

    static const char *const editNames[4] = {"nameEdit", "identityEdit", "phoneEdit", "mobileEdit"};
    static const char *const buttonNames[4] = {"nameSearchButton", "identitySearchButton",
                                               "phoneSearchButton", "mobileSearchButton"};
    const QStringList captions{QStringLiteral("会员姓名"), QStringLiteral("身份证号"), QStringLiteral("固定电话"),
                               QStringLiteral("手机号码")};
    const QIcon icon = magnifierIcon();
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    for (int i = 0; i < 4; ++i) {
        auto *caption = new QLabel(captions.at(i), this);
        m_searchEdits[i] = new QLineEdit(this);
        m_searchEdits[i]->setObjectName(QString::fromLatin1(editNames[i]));
        caption->setBuddy(m_searchEdits[i]);
        m_searchButtons[i] = new QToolButton(this);
        m_searchButtons[i]->setObjectName(QString::fromLatin1(buttonNames[i]));
        m_searchButtons[i]->setIcon(icon);
        m_searchButtons[i]->setToolTip(m_variant.searchHint);
        m_searchButtons[i]->setAutoRaise(false);
        grid->addWidget(caption, i, 0);
        grid->addWidget(m_searchEdits[i], i, 1);
        grid->addWidget(m_searchButtons[i], i, 2);
        const auto column = SearchColumn(i);
        connect(m_searchButtons[i], &QToolButton::clicked, this, [this, column] { SearchMembers(column); });
        connect(m_searchEdits[i], &QLineEdit::returnPressed, this, [this, column] { SearchMembers(column); });
    }

    const auto caption = [this](const QString &text) { return new QLabel(text + m_variant.colon, this); };
    m_categoryValue = valueLabel(QStringLiteral("categoryValue"), this);
    m_sexValue = valueLabel(QStringLiteral("sexValue"), this);
    m_birthdayValue = valueLabel(QStringLiteral("birthdayValue"), this);
    m_issuedValue = valueLabel(QStringLiteral("issuedValue"), this);
    m_pointsValue = valueLabel(QStringLiteral("pointsValue"), this);
    m_addressValue = valueLabel(QStringLiteral("addressValue"), this);
    grid->addWidget(caption(QStringLiteral("卡类别")), 0, 3);
    grid->addWidget(m_categoryValue, 0, 4);
    grid->addWidget(caption(QStringLiteral("会员性别")), 0, 5);
    grid->addWidget(m_sexValue, 0, 6);
    grid->addWidget(caption(QStringLiteral("会员生日")), 1, 3);
    grid->addWidget(m_birthdayValue, 1, 4);
    grid->addWidget(caption(QStringLiteral("起用日期")), 1, 5);
    grid->addWidget(m_issuedValue, 1, 6);
    grid->addWidget(caption(QStringLiteral("现有积分")), 2, 3);
    grid->addWidget(m_pointsValue, 2, 4);
    grid->addWidget(caption(QStringLiteral("地址")), 3, 3);
    if (m_variant.totals) {
        m_purchaseCountValue = valueLabel(QStringLiteral("purchaseCountValue"), this);
        m_totalAmountValue = valueLabel(QStringLiteral("totalAmountValue"), this);
        grid->addWidget(caption(QStringLiteral("消费次数")), 2, 5);
        grid->addWidget(m_purchaseCountValue, 2, 6);
        grid->addWidget(m_addressValue, 3, 4);
        grid->addWidget(caption(QStringLiteral("累计金额")), 3, 5);
        grid->addWidget(m_totalAmountValue, 3, 6);
    } else {
        grid->addWidget(m_addressValue, 3, 4, 1, 3);
    }
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(4, 2);
    grid->setColumnStretch(6, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_cardPrompt);
    layout->addLayout(m_cardRow);
    layout->addLayout(grid);

    // The pick list pops up over the window's other controls.
    QWidget *host = parent ? parent : this;
    m_pickModel = new QSqlQueryModel(this);
    const PickListParts pick = MakePickList(m_variant.pickTitle, QStringLiteral("member"), host,
                                            m_pickModel, this, QSize(420, 220));
    m_pickGroup = pick.group;
    m_pickGrid = pick.grid;
    m_hideButton = pick.hideButton;

    connect(m_hideButton, &QPushButton::clicked, this, [this] { hidePickList(); });
    connect(m_cardEdit, &QLineEdit::returnPressed, this, [this] { LookUpCard(); });
    // A card number edited after the lookup no longer names the member shown.
    connect(m_cardEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_loaded && text != m_loadedCard)
            setLoaded(false);
    });
}

QLineEdit *MemberPanel::searchEdit(SearchColumn column) const
{
    return m_searchEdits[int(column)];
}

QToolButton *MemberPanel::searchButton(SearchColumn column) const
{
    return m_searchButtons[int(column)];
}

int MemberPanel::pickRowCount() const
{
    while (m_pickModel->canFetchMore())
        m_pickModel->fetchMore();
    return m_pickModel->rowCount();
}

void MemberPanel::setEnabledWhileLoaded(const QList<QWidget *> &widgets)
{
    m_whileLoaded.clear();
    for (QWidget *w : widgets) {
        m_whileLoaded << w;
        w->setEnabled(m_loaded);
    }
}

void MemberPanel::setLoaded(bool loaded)
{
    if (!loaded)
        m_member.reset();
    for (const QPointer<QWidget> &w : std::as_const(m_whileLoaded))
        if (w)
            w->setEnabled(loaded);
    if (loaded == m_loaded)
        return;
    m_loaded = loaded;
    Q_EMIT loadedChanged(loaded);
}

bool MemberPanel::refuseReplaced(const QString &card, bool onPick)
{
    if (!MemberLookupStore::isReplaced(card))
        return false;
    setLoaded(false);
    if (Dialogs::confirm(QStringLiteral("系统提示"), m_variant.replacedQuestion, MsgIcon::Question, window())) {
        TDM1::instance()->ADOQuery9.setStatement(MemberLookupStore::replacementRecordsStatement(), {card});
        openRecords(m_variant.replacedTitle, QStringLiteral("Tguashilishi"));
    }
    if (onPick && !m_variant.pickListStaysOpenAfterReplacedQuestion)
        hidePickList();
    return true;
}

void MemberPanel::offerLossRecords(const QString &card, const QString &title)
{
    if (!Dialogs::confirm(QStringLiteral("系统提示"), QStringLiteral("此卡已经挂失，不能使用,需要打开挂失记录吗？"),
                          MsgIcon::Question, window()))
        return;
    TDM1::instance()->ADOQuery10.setStatement(MemberLookupStore::lossRecordsStatement(), {card});
    openRecords(title, QStringLiteral("Tkoutoujilu"));
}

bool MemberPanel::loadMember(const QString &card, Source source)
{
    const std::optional<MemberLookupStore::Member> m = MemberLookupStore::member(card);
    if (!m) {
        setLoaded(false);
        if (source == Source::Pick)
            hidePickList();
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("此卡号不存在！"), MsgIcon::Error, MsgButtons::Ok,
                         window());
        return false;
    }
    if (m_variant.refuseLost && m->verballyLost) {
        setLoaded(false);
        if (source == Source::Pick)
            hidePickList();
        offerLossRecords(card, source == Source::Pick ? m_variant.lostTitleOnPick : m_variant.lostTitle);
        return false;
    }

    fill(*m);
    if (source == Source::Pick)
        m_cardEdit->setText(m->card);
    if (m_variant.remembersCard)
        m_currentCard = m_cardEdit->text();
    if (m_variant.totals) {
        m_purchaseCountValue->setText(QString::number(MemberLookupStore::purchaseCount(card)));
        m_totalAmountValue->setText(MemberLookupStore::totalAmount(card));
    }
    if (m_variant.discount && m_discountField)
        m_discountField->setText(MemberLookupStore::categoryDiscount(m->category));
    m_member = m;
    m_loadedCard = m_cardEdit->text();
    setLoaded(true);
    return true;
}

void MemberPanel::LookUpCard()
{
    const QString card = m_cardEdit->text();
    if (refuseReplaced(card, false))
        return;
    if (!loadMember(card, Source::Lookup))
        return;
    if (m_focusTarget && m_focusTarget->isEnabled())
        m_focusTarget->setFocus();
    Q_EMIT memberLoaded(Source::Lookup);
}

void MemberPanel::PickMember()
{
    const QModelIndex current = m_pickGrid->currentIndex();
    const QString card = current.isValid() ? Sql::text(m_pickModel->index(current.row(), 0).data()) : QString();
    if (m_variant.replacedCheckOnPick && refuseReplaced(card, true))
        return;
    if (!loadMember(card, Source::Pick))
        return;
    hidePickList();
    if (m_variant.focusAfterPick && m_focusTarget && m_focusTarget->isEnabled())
        m_focusTarget->setFocus();
    Q_EMIT memberLoaded(Source::Pick);
}

void MemberPanel::SearchMembers(SearchColumn column)
{
    setLoaded(false);
    clearValues();
    m_cardEdit->clear();
    if (m_lossBox && m_variant.searchClearsLossBox)
        m_lossBox->setChecked(false);
    if (m_variant.discount && m_discountField)
        m_discountField->clear();
    for (int i = 0; i < 4; ++i)
        if (SearchColumn(i) != column)
            m_searchEdits[i]->clear();
    Q_EMIT searchStarted();

    m_pickModel->setQuery(MemberLookupStore::search(column, searchEdit(column)->text()));
    m_pickModel->setHeaderData(0, Qt::Horizontal, QStringLiteral("会员卡号"));
    m_pickModel->setHeaderData(1, Qt::Horizontal, QStringLiteral("会员姓名"));
    m_pickModel->setHeaderData(2, Qt::Horizontal, QStringLiteral("身份证号"));
    if (m_pickModel->rowCount() > 0)
        m_pickGrid->setCurrentIndex(m_pickModel->index(0, 0));
    m_pickGroup->show();
    m_pickGroup->raise();
}

void MemberPanel::clear()
{
    setLoaded(false);
    m_cardEdit->clear();
    for (QLineEdit *edit : m_searchEdits)
        edit->clear();
    clearValues();
    if (m_lossBox)
        m_lossBox->setChecked(false);
    if (m_variant.discount && m_discountField)
        m_discountField->clear();
}

void MemberPanel::fill(const MemberLookupStore::Member &m)
{
    m_categoryValue->setText(m.category);
    m_sexValue->setText(m.sex);
    m_birthdayValue->setText(m.birthday);
    m_addressValue->setText(m.address);
    m_pointsValue->setText(m.points);
    m_issuedValue->setText(m.issued);
    searchEdit(SearchColumn::Name)->setText(m.name);
    searchEdit(SearchColumn::Identity)->setText(m.identity);
    searchEdit(SearchColumn::Phone)->setText(m.phone);
    searchEdit(SearchColumn::Mobile)->setText(m.mobile);
    if (m_lossBox)
        m_lossBox->setChecked(m.verballyLost);
    if (m_purchaseCountValue) {
        m_purchaseCountValue->clear();
        m_totalAmountValue->clear();
    }
}

void MemberPanel::clearValues()
{
    for (QLabel *label : {m_categoryValue, m_sexValue, m_birthdayValue, m_addressValue, m_pointsValue,
                          m_issuedValue, m_purchaseCountValue, m_totalAmountValue})
        if (label)
            label->clear();
}

void MemberPanel::hidePickList()
{
    // A hidden list would hand the focus to whatever control comes next in the window.
    if (m_pickGroup->isAncestorOf(QApplication::focusWidget()))
        m_cardEdit->setFocus();
    m_pickGroup->hide();
}

bool MemberPanel::eventFilter(QObject *watched, QEvent *event)
{
    // A double click anywhere in the list picks its current row, also below the last row.
    // The type first: the list's own destruction sends events here while it is no longer a
    // whole view.
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_pickGrid->viewport()) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex at = m_pickGrid->indexAt(mouse->position().toPoint());
        if (at.isValid())
            m_pickGrid->setCurrentIndex(at);
        PickMember();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
