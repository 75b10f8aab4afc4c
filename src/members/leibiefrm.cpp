#include "leibiefrm.h"

#include "categorymodel.h"
#include "memberstore.h"
#include "common/windowsupport.h"

#include "common/dialogs.h"
#include "data/sql.h"

#include <QCheckBox>
#include <QDataWidgetMapper>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QStringList noteLines{
    QStringLiteral("   说明："),
    QStringLiteral("1、积分比例是指每消费多少元增加积分1分,积分的计算是四舍五"),
    QStringLiteral("入、保留两位小数。"),
    QStringLiteral("2、消费折扣率是指本类型卡消费的折扣，比如8折就填写“80”，"),
    QStringLiteral("7.5折就填75，如果没有折扣就填100；   "),
    QStringLiteral("3、卡类别自动改变积分底限是指积分达到多少后卡类别自动变成"),
    QStringLiteral("当前的类别（设置了“卡类别根据积分自动改变”的前提下）。"),
};

QLineEdit *lineEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

Tleibie::Tleibie(QWidget *parent)
    : ChildWindow(parent, QPoint(90, 0), QSize(824, 430))
    , m_categories(new CategoryModel(this))
    , m_mapper(new QDataWidgetMapper(this))
{
    setObjectName(QStringLiteral("Tleibie"));
    setWindowTitle(QStringLiteral("会员卡类别设置"));
    KeepMinimiseOnly(this);

    auto *left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(buildSwitchGroup());
    left->addWidget(buildNavigationGroup());
    left->addWidget(buildFields());
    auto *note = new QLabel(noteLines.join(QLatin1Char('\n')), this);
    note->setObjectName(QStringLiteral("noteLabel"));
    note->setTextFormat(Qt::PlainText);
    note->setStyleSheet(QStringLiteral("color: red;"));
    left->addWidget(note);
    left->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addLayout(left);
    layout->addWidget(buildGrid(), 1);

    m_mapper->setModel(m_categories);
    m_mapper->setItemDelegate(new CategoryFieldDelegate(m_categories, m_mapper));
    m_mapper->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
    m_mapper->addMapping(m_nameEdit, m_categories->nameColumn());
    m_mapper->addMapping(m_ratioEdit, m_categories->ratioColumn());
    m_mapper->addMapping(m_giftCheck, m_categories->giftColumn());
    m_mapper->addMapping(m_cashCheck, m_categories->cashColumn());
    m_mapper->addMapping(m_discountEdit, m_categories->discountColumn());
    m_mapper->addMapping(m_thresholdEdit, m_categories->thresholdColumn());
    buildEnterChain();

    FormShow();
}

QWidget *Tleibie::buildSwitchGroup()
{
    auto *group = new QGroupBox(QStringLiteral("卡类别自动改变配置"), this);
    group->setObjectName(QStringLiteral("switchGroup"));
    m_autoChangeRadio = new QRadioButton(QStringLiteral("卡类别根据积分自动改变"), group);
    m_autoChangeRadio->setObjectName(QStringLiteral("autoChangeRadio"));
    m_manualChangeRadio = new QRadioButton(QStringLiteral("卡类别不根据积分自动改变（手动改变卡类别）"), group);
    m_manualChangeRadio->setObjectName(QStringLiteral("manualChangeRadio"));
    m_switchConfirmButton = new QPushButton(QStringLiteral("确定"), group);
    m_switchConfirmButton->setObjectName(QStringLiteral("switchConfirmButton"));
    connect(m_switchConfirmButton, &QPushButton::clicked, this, [this] { switchConfirmButtonClick(); });

    auto *choices = new QVBoxLayout;
    choices->addWidget(m_autoChangeRadio);
    choices->addWidget(m_manualChangeRadio);
    auto *layout = new QHBoxLayout(group);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->addLayout(choices, 1);
    layout->addWidget(m_switchConfirmButton);
    return group;
}

QWidget *Tleibie::buildNavigationGroup()
{
    auto *group = new QGroupBox(QStringLiteral("操作导航"), this);
    group->setObjectName(QStringLiteral("navigationGroup"));
    auto *layout = new QHBoxLayout(group);
    layout->setContentsMargins(8, 2, 8, 2);
    const auto button = [&](const QString &caption, const char *name, QStyle::StandardPixmap icon) {
        return MakeNavigatorButton(group, layout, caption, QString::fromLatin1(name), icon, 52);
    };
    m_newButton = button(QStringLiteral("新增"), "newButton", QStyle::SP_FileDialogNewFolder);
    m_deleteButton = button(QStringLiteral("删除"), "deleteButton", QStyle::SP_TrashIcon);
    m_editButton = button(QStringLiteral("修改"), "editButton", QStyle::SP_FileDialogDetailedView);
    m_saveButton = button(QStringLiteral("保存"), "saveButton", QStyle::SP_DialogSaveButton);
    m_cancelButton = button(QStringLiteral("取消"), "cancelButton", QStyle::SP_DialogCancelButton);
    m_exitButton = button(QStringLiteral("退出"), "exitButton", QStyle::SP_DialogCloseButton);
    layout->addStretch();
    connect(m_newButton, &QToolButton::clicked, this, [this] { newButtonClick(); });
    connect(m_deleteButton, &QToolButton::clicked, this, [this] { deleteButtonClick(); });
    connect(m_editButton, &QToolButton::clicked, this, [this] { editButtonClick(); });
    connect(m_saveButton, &QToolButton::clicked, this, [this] { saveButtonClick(); });
    connect(m_cancelButton, &QToolButton::clicked, this, [this] { cancelButtonClick(); });
    connect(m_exitButton, &QToolButton::clicked, this, [this] { close(); });
    return group;
}

QWidget *Tleibie::buildFields()
{
    auto *box = new QWidget(this);
    box->setObjectName(QStringLiteral("fieldsPanel"));
    m_nameEdit = lineEdit(box, "nameEdit");
    m_ratioEdit = lineEdit(box, "ratioEdit");
    m_giftCheck = new QCheckBox(QStringLiteral("允许兑换礼品"), box);
    m_giftCheck->setObjectName(QStringLiteral("giftCheck"));
    m_cashCheck = new QCheckBox(QStringLiteral("允许返现金"), box);
    m_cashCheck->setObjectName(QStringLiteral("cashCheck"));
    m_discountEdit = lineEdit(box, "discountEdit");
    m_thresholdEdit = lineEdit(box, "thresholdEdit");

    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(QStringLiteral("卡类别"), box), 0, 0);
    grid->addWidget(m_nameEdit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("积分比例"), box), 0, 2);
    grid->addWidget(m_ratioEdit, 0, 3);
    grid->addWidget(m_giftCheck, 1, 1);
    grid->addWidget(m_cashCheck, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("消费折扣率"), box), 2, 0);
    auto *discount = new QHBoxLayout;
    discount->addWidget(m_discountEdit);
    discount->addWidget(new QLabel(QStringLiteral("%"), box));
    grid->addLayout(discount, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("卡类别自动改变积分底限"), box), 3, 0, 1, 2);
    grid->addWidget(m_thresholdEdit, 3, 2, 1, 2);
    return box;
}

QWidget *Tleibie::buildGrid()
{
    auto *group = new QGroupBox(QStringLiteral("卡类别列表"), this);
    group->setObjectName(QStringLiteral("listGroup"));
    m_categoryGrid = new QTableView(group);
    m_categoryGrid->setObjectName(QStringLiteral("categoryGrid"));
    m_categoryGrid->setModel(m_categories);
    m_categoryGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_categoryGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_categoryGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_categoryGrid->verticalHeader()->hide();
    m_categoryGrid->verticalHeader()->setDefaultSectionSize(20);
    QHeaderView *header = m_categoryGrid->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setHighlightSections(false);
    m_categoryGrid->setColumnHidden(m_categories->thresholdColumn(), true);
    const QList<QPair<int, int>> columns{{m_categories->nameColumn(), 85},
                                         {m_categories->ratioColumn(), 85},
                                         {m_categories->giftColumn(), 80},
                                         {m_categories->cashColumn(), 80},
                                         {m_categories->discountColumn(), 40}};
    for (int visual = 0; visual < columns.size(); ++visual) {
        const auto [logical, width] = columns.at(visual);
        header->moveSection(header->visualIndex(logical), visual);
        m_categoryGrid->setColumnWidth(logical, width);
    }
    connect(m_categoryGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && !isPending())
                    m_mapper->setCurrentIndex(current.row());
            });
    (new QVBoxLayout(group))->addWidget(m_categoryGrid);
    return group;
}

void Tleibie::buildEnterChain()
{
    auto *chain = new EnterChain(this);
    chain->add(m_nameEdit);
    chain->add(m_ratioEdit);
    chain->add(m_giftCheck);
    chain->add(m_cashCheck);
    // The threshold is only reached while it can be typed into.
    chain->add(m_discountEdit, [this] {
        if (m_thresholdEdit->isEnabled())
            m_thresholdEdit->setFocus(Qt::TabFocusReason);
    });
    chain->add(m_thresholdEdit);
}

void Tleibie::FormShow()
{
    try {
        const bool on = MemberStore::autoChangeOn();
        (on ? m_autoChangeRadio : m_manualChangeRadio)->setChecked(true);
        m_thresholdEdit->setEnabled(on);
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
    }
    if (!m_categories->select())
        ShowStandardError(m_categories->failureText(), this);
    setPending(Pending::None);
    showRow(0);
}

void Tleibie::setPending(Pending pending)
{
    m_pending = pending;
    const bool editing = pending != Pending::None;
    m_saveButton->setEnabled(editing);
    for (QLineEdit *edit : {m_nameEdit, m_ratioEdit, m_discountEdit, m_thresholdEdit})
        edit->setReadOnly(!editing);
    m_giftCheck->setEnabled(editing);
    m_cashCheck->setEnabled(editing);
    // The list shows the pending row until it is saved or cancelled.
    m_categoryGrid->setEnabled(!editing);
}

int Tleibie::currentRow() const
{
    return m_mapper->currentIndex();
}

void Tleibie::showRow(int row)
{
    const int count = m_categories->rowCount();
    if (count == 0) {
        m_mapper->setCurrentIndex(-1);
        for (QLineEdit *edit : {m_nameEdit, m_ratioEdit, m_discountEdit, m_thresholdEdit})
            edit->clear();
        m_giftCheck->setChecked(false);
        m_cashCheck->setChecked(false);
        return;
    }
    row = qBound(0, row, count - 1);
    m_mapper->setCurrentIndex(row);
    m_categoryGrid->selectRow(row);
}

void Tleibie::switchConfirmButtonClick()
{
    const bool on = m_autoChangeRadio->isChecked();
    try {
        MemberStore::setAutoChange(on);
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
        return;
    }
    m_thresholdEdit->setEnabled(on);
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("修改成功！"), MsgIcon::Information,
                     MsgButtons::Ok, this);
}

void Tleibie::newButtonClick()
{
    // Like a data set, a new entry first stores the one pending.
    if (isPending() && !saveButtonClick())
        return;
    const int row = m_categories->rowCount();
    if (!m_categories->insertRow(row)) {
        ShowStandardError(m_categories->failureText(), this);
        return;
    }
    m_mapper->setCurrentIndex(row);
    m_categoryGrid->selectRow(row);
    setPending(Pending::New);
    m_nameEdit->setFocus(Qt::OtherFocusReason);
}

void Tleibie::editButtonClick()
{
    if (isPending())
        return;
    if (m_categories->rowCount() == 0) {
        newButtonClick(); // nothing to edit: the edit starts a new row, as on a data set
        return;
    }
    setPending(Pending::Edit);
    m_nameEdit->setFocus(Qt::OtherFocusReason);
}

bool Tleibie::saveButtonClick()
{
    if (!isPending())
        return true;
    const int row = currentRow();
    m_mapper->submit();
    const QString name = m_categories->data(m_categories->index(row, m_categories->nameColumn()),
                                            Qt::EditRole)
                             .toString();
    if (!m_categories->submitAll()) {
        // The refused row stays pending: correct it and save again, or cancel.
        ShowStandardError(m_categories->failureText(), this);
        return false;
    }
    setPending(Pending::None);
    int saved = row;
    for (int r = 0; r < m_categories->rowCount(); ++r) {
        if (m_categories->data(m_categories->index(r, m_categories->nameColumn()), Qt::EditRole)
                .toString()
            == name) {
            saved = r;
            break;
        }
    }
    showRow(saved);
    return true;
}

void Tleibie::cancelButtonClick()
{
    if (!isPending())
        return;
    const int row = currentRow();
    const bool wasNew = m_pending == Pending::New;
    m_categories->revertAll();
    setPending(Pending::None);
    showRow(wasNew ? row - 1 : row);
}

void Tleibie::deleteButtonClick()
{
    if (!Dialogs::confirm(QStringLiteral("删除提示"),
                          QStringLiteral("确实删除当前会员类别？该操作不可恢复！"),
                          MsgIcon::Question, this))
        return;
    const QString done = QStringLiteral("删除当前会员类别成功！");
    const int row = currentRow();
    if (m_pending == Pending::New) {
        // Only the entry goes; no stored row is touched.
        m_categories->revertAll();
        setPending(Pending::None);
        showRow(row - 1);
        Dialogs::message(QStringLiteral("提示"), done, MsgIcon::Information, MsgButtons::Ok, this);
        return;
    }
    if (isPending()) {
        m_categories->revertAll();
        setPending(Pending::None);
    }
    if (row < 0 || row >= m_categories->rowCount()) {
        ShowStandardError(QStringLiteral("列表中没有会员类别，不能删除！"), this);
        return;
    }
    if (!m_categories->removeRow(row) || !m_categories->submitAll()) {
        const QString text = m_categories->failureText();
        m_categories->revertAll();
        ShowStandardError(text, this);
        showRow(row);
        return;
    }
    showRow(row);
    Dialogs::message(QStringLiteral("提示"), done, MsgIcon::Information, MsgButtons::Ok, this);
}
