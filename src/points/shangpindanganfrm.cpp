#include "shangpindanganfrm.h"

#include "common/dialogs.h"
#include "common/windowsupport.h"
#include "data/memberlookupstore.h"
#include "data/sql.h"
#include "records/exportgrid.h"
#include "records/recordgrid.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

RefreshingComboBox::RefreshingComboBox(std::function<QStringList()> entries, QWidget *parent)
    : QComboBox(parent)
    , m_entries(std::move(entries))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void RefreshingComboBox::showPopup()
{
    // Replacing the entries must not replace what is typed.
    const QString typed = currentText();
    const QSignalBlocker quiet(this);
    clear();
    addItems(m_entries());
    setCurrentIndex(findText(typed, Qt::MatchExactly));
    setEditText(typed);
    QComboBox::showPopup();
}

Tshangpindangan::Tshangpindangan(QWidget *parent)
    : ChildWindow(parent, QPoint(100, 0), QSize(829, 601))
{
    setObjectName(QStringLiteral("Tshangpindangan"));
    setWindowTitle(QStringLiteral("商品档案预录入"));
    KeepMinimiseOnly(this);

    auto *listGroup = new QGroupBox(QStringLiteral("商品档案列表"), this);
    listGroup->setObjectName(QStringLiteral("listGroup"));
    m_productGrid = new RecordGrid(listGroup);
    m_productGrid->setObjectName(QStringLiteral("productGrid"));
    m_productGrid->setColumns({{QStringLiteral("所属类别"), {}, 80},
                               {QStringLiteral("商品编号"), {}, 100},
                               {QStringLiteral("商品名称"), {}, 150},
                               {QStringLiteral("单位"), {}, 65},
                               {QStringLiteral("预设单价"), {}, 65}});
    m_productGrid->setHint(QStringLiteral("单击列头可实现排序"));
    (new QVBoxLayout(listGroup))->addWidget(m_productGrid);

    m_exportButton = MakeButton(QStringLiteral("导出到EXCEL"), QStringLiteral("exportButton"), this);
    m_closeButton = MakeButton(QStringLiteral("退出"), QStringLiteral("closeButton"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_exportButton);
    buttons->addWidget(m_closeButton);

    auto *left = new QVBoxLayout;
    left->addWidget(buildNavigator());
    left->addWidget(buildPanel());
    left->addWidget(buildSearch());
    left->addLayout(buttons);
    left->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addLayout(left);
    layout->addWidget(listGroup, 1);

    auto *chain = new EnterChain(this);
    for (QWidget *w : std::initializer_list<QWidget *>{m_categoryBox, m_codeEdit, m_nameEdit, m_unitEdit, m_priceEdit})
        chain->add(w);

    connect(m_productGrid, &RecordGrid::currentRowChanged, this, [this] { showCurrent(); });
    // As a freshly opened query, the grid stands on its first record.
    connect(m_productGrid, &RecordGrid::refreshed, this, [this] {
        if (m_productGrid->currentRow() < 0)
            m_productGrid->setCurrentRow(0);
        showCurrent();
    });
    connect(m_searchButton, &QPushButton::clicked, this, [this] { searchButtonClick(); });
    connect(m_searchEdit, &QLineEdit::returnPressed, this, [this] { searchButtonClick(); });
    connect(m_cancelSearchButton, &QPushButton::clicked, this, [this] { cancelSearchButtonClick(); });
    connect(m_exportButton, &QPushButton::clicked, this, [this] { exportButtonClick(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { close(); });

    m_productGrid->setQuery(&m_products);
    FormShow();
}

QGroupBox *Tshangpindangan::buildNavigator()
{
    auto *group = new QGroupBox(QStringLiteral("操作导航"), this);
    group->setObjectName(QStringLiteral("navigatorGroup"));
    auto *layout = new QHBoxLayout(group);
    layout->setContentsMargins(6, 2, 6, 2);
    const auto button = [&](const QString &caption, const char *name, QStyle::StandardPixmap icon) {
        return MakeNavigatorButton(group, layout, caption, QString::fromLatin1(name), icon, 48);
    };
    m_newButton = button(QStringLiteral("新增"), "newButton", QStyle::SP_FileDialogNewFolder);
    m_deleteButton = button(QStringLiteral("删除"), "deleteButton", QStyle::SP_TrashIcon);
    m_editButton = button(QStringLiteral("修改"), "editButton", QStyle::SP_FileDialogDetailedView);
    m_saveButton = button(QStringLiteral("保存"), "saveButton", QStyle::SP_DialogSaveButton);
    m_cancelButton = button(QStringLiteral("取消"), "cancelButton", QStyle::SP_DialogCancelButton);
    connect(m_newButton, &QToolButton::clicked, this, [this] { newButtonClick(); });
    connect(m_deleteButton, &QToolButton::clicked, this, [this] { deleteButtonClick(); });
    connect(m_editButton, &QToolButton::clicked, this, [this] { editButtonClick(); });
    connect(m_saveButton, &QToolButton::clicked, this, [this] { saveButtonClick(); });
    connect(m_cancelButton, &QToolButton::clicked, this, [this] { cancelButtonClick(); });
    return group;
}

QWidget *Tshangpindangan::buildPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("editPanel"));
    m_categoryBox = new RefreshingComboBox([] { return ProductStore::categories(); }, panel);
    m_categoryBox->setObjectName(QStringLiteral("categoryBox"));
    const auto edit = [panel](const char *name) {
        auto *e = new QLineEdit(panel);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    m_codeEdit = edit("codeEdit");
    m_nameEdit = edit("nameEdit");
    m_unitEdit = edit("unitEdit");
    m_priceEdit = edit("priceEdit");
    auto *form = new QFormLayout(panel);
    form->setContentsMargins(4, 4, 4, 4);
    form->addRow(QStringLiteral("所属类别"), m_categoryBox);
    form->addRow(QStringLiteral("商品编号"), m_codeEdit);
    form->addRow(QStringLiteral("商品名称"), m_nameEdit);
    form->addRow(QStringLiteral("单位"), m_unitEdit);
    form->addRow(QStringLiteral("预设单价"), m_priceEdit);
    for (QLineEdit *e : {m_codeEdit, m_nameEdit, m_unitEdit, m_priceEdit})
        connect(e, &QLineEdit::textEdited, this, [this] { panelEdited(); });
    connect(m_categoryBox->lineEdit(), &QLineEdit::textEdited, this, [this] { panelEdited(); });
    connect(m_categoryBox, &QComboBox::activated, this, [this] { panelEdited(); });
    return panel;
}

QGroupBox *Tshangpindangan::buildSearch()
{
    auto *group = new QGroupBox(QStringLiteral("快速模糊查找"), this);
    group->setObjectName(QStringLiteral("searchGroup"));
    m_columnBox = new QComboBox(group);
    m_columnBox->setObjectName(QStringLiteral("columnBox"));
    m_columnBox->addItems(ProductStore::searchColumns());
    m_searchEdit = new QLineEdit(group);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchButton = MakeButton(QStringLiteral("查找"), QStringLiteral("searchButton"), group);
    m_cancelSearchButton = MakeButton(QStringLiteral("取消查找"), QStringLiteral("cancelSearchButton"), group);
    auto *row = new QHBoxLayout;
    row->addWidget(m_columnBox);
    row->addWidget(new QLabel(QStringLiteral("包含"), group));
    row->addWidget(m_searchEdit, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_searchButton);
    buttons->addWidget(m_cancelSearchButton);
    auto *layout = new QVBoxLayout(group);
    layout->addLayout(row);
    layout->addLayout(buttons);
    return group;
}

void Tshangpindangan::FormShow()
{
    m_columnBox->setCurrentIndex(0);
    m_searchEdit->clear();
    m_products.setStatement(ProductStore::byCategoryStatement());
    setState(State::Browse);
}

void Tshangpindangan::setState(State state)
{
    m_state = state;
    const bool browsing = state == State::Browse;
    const bool any = m_productGrid->currentRow() >= 0;
    m_newButton->setEnabled(browsing);
    m_editButton->setEnabled(browsing && any);
    m_deleteButton->setEnabled(!browsing || any);
    m_saveButton->setEnabled(!browsing);
    m_cancelButton->setEnabled(!browsing);
    // A record being edited stays the grid's current one until it is saved or cancelled.
    m_productGrid->setEnabled(browsing);
    for (QWidget *w : std::initializer_list<QWidget *>{m_searchButton, m_cancelSearchButton, m_exportButton})
        w->setEnabled(browsing);
}

qint64 Tshangpindangan::currentNumber() const
{
    const int row = m_productGrid->currentRow();
    return row < 0 ? -1 : m_productGrid->value(row, QStringLiteral("编号")).toLongLong();
}

void Tshangpindangan::showCurrent()
{
    if (m_state != State::Browse)
        return;
    const int row = m_productGrid->currentRow();
    const auto text = [&](const char *field) {
        return row < 0 ? QString() : Sql::text(m_productGrid->value(row, QString::fromUtf8(field)));
    };
    m_showing = true;
    m_categoryBox->setEditText(text("所属类别"));
    m_codeEdit->setText(text("商品编号"));
    m_nameEdit->setText(text("商品名称"));
    m_unitEdit->setText(text("单位"));
    m_priceEdit->setText(text("预设单价"));
    m_showing = false;
    setState(State::Browse);
}

void Tshangpindangan::panelEdited()
{
    if (m_showing || m_state != State::Browse)
        return;
    setState(m_productGrid->currentRow() >= 0 ? State::Edit : State::Insert);
}

ProductStore::Product Tshangpindangan::panelProduct() const
{
    return {m_categoryBox->currentText(), m_codeEdit->text(), m_nameEdit->text(), m_unitEdit->text(),
            m_priceEdit->text()};
}

void Tshangpindangan::newButtonClick()
{
    m_showing = true;
    m_categoryBox->setEditText(QString());
    for (QLineEdit *e : {m_codeEdit, m_nameEdit, m_unitEdit, m_priceEdit})
        e->clear();
    m_showing = false;
    setState(State::Insert);
    m_categoryBox->setFocus();
}

void Tshangpindangan::editButtonClick()
{
    if (m_state == State::Browse && m_productGrid->currentRow() >= 0) {
        setState(State::Edit);
        m_categoryBox->setFocus();
    }
}

bool Tshangpindangan::saveButtonClick()
{
    if (m_state == State::Browse)
        return true;
    const int row = m_productGrid->currentRow();
    qint64 number = currentNumber();
    try {
        if (m_state == State::Insert)
            number = ProductStore::insert(panelProduct());
        else
            ProductStore::update(number, panelProduct());
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
        return false;
    }
    m_state = State::Browse;
    m_products.refresh();
    selectRecord(number, row);
    return true;
}

void Tshangpindangan::cancelButtonClick()
{
    m_state = State::Browse;
    showCurrent();
}

void Tshangpindangan::deleteButtonClick()
{
    // Deleting a record that is being added only abandons it.
    if (m_state == State::Insert) {
        cancelButtonClick();
        return;
    }
    const int row = m_productGrid->currentRow();
    if (row < 0)
        return;
    if (!Dialogs::confirm(QStringLiteral("确认"), QStringLiteral("Delete record?"), MsgIcon::Question, this))
        return;
    try {
        ProductStore::remove(currentNumber());
    } catch (const DbError &e) {
        ShowStandardError(e.text(), this);
        return;
    }
    m_state = State::Browse;
    m_products.refresh();
    selectRecord(-1, row);
}

void Tshangpindangan::selectRecord(qint64 number, int fallbackRow)
{
    const qint64 total = m_productGrid->totalRowCount();
    int found = -1;
    for (int row = 0; number >= 0 && row < total && found < 0; ++row)
        if (m_productGrid->value(row, QStringLiteral("编号")).toLongLong() == number)
            found = row;
    if (found < 0)
        found = int(qMin<qint64>(fallbackRow, total - 1));
    if (found >= 0)
        m_productGrid->setCurrentRow(found);
    showCurrent();
}

void Tshangpindangan::searchButtonClick()
{
    m_products.setStatement(ProductStore::searchStatement(m_columnBox->currentText()),
                            {MemberLookupStore::containsPattern(m_searchEdit->text())});
}

void Tshangpindangan::cancelSearchButtonClick()
{
    m_products.setStatement(ProductStore::byNumberStatement());
}

void Tshangpindangan::exportButtonClick()
{
    if (ExportGrid(m_productGrid))
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("导出数据成功！"), MsgIcon::Information, MsgButtons::Ok,
                         this);
}
