#include "historywindow.h"

#include "common/dialogs.h"
#include "common/windowsupport.h"
#include "data/dm1frm.h"
#include "historystore.h"
#include "records/exportgrid.h"
#include "records/gridsql.h"
#include "records/recordgrid.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

HistoryWindow::HistoryWindow(QWidget *parent, const Setup &setup, SharedQuery *query)
    : ChildWindow(parent, setup.position, setup.size)
    , m_setup(setup)
    , m_query(query)
{
    showAllButton = MakeButton(QStringLiteral("显示全部"), QStringLiteral("showAllButton"), this);

    findGroup = new QGroupBox(QStringLiteral("快速查找"), this);
    findGroup->setObjectName(QStringLiteral("findGroup"));
    columnBox = new QComboBox(findGroup);
    columnBox->setObjectName(QStringLiteral("columnBox"));
    columnBox->setEditable(true);
    columnBox->setInsertPolicy(QComboBox::NoInsert);
    columnBox->addItems(setup.findColumns);
    columnBox->setMinimumWidth(90);
    valueEdit = new QLineEdit(findGroup);
    valueEdit->setObjectName(QStringLiteral("valueEdit"));
    findButton = MakeButton(QStringLiteral("查找"), QStringLiteral("findButton"), findGroup);
    auto *find = new QHBoxLayout(findGroup);
    find->addWidget(columnBox);
    find->addWidget(new QLabel(QStringLiteral("="), findGroup));
    find->addWidget(valueEdit, 1);
    find->addWidget(findButton);

    excelButton = MakeButton(QStringLiteral("EXCEL"), QStringLiteral("excelButton"), this);
    exitButton = MakeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), this);

    listGroup = new QGroupBox(setup.listTitle, this);
    listGroup->setObjectName(QStringLiteral("listGroup"));
    recordGrid = new RecordGrid(listGroup);
    recordGrid->setObjectName(QStringLiteral("recordGrid"));
    recordGrid->setColumns(setup.columns);
    recordGrid->setHint(QStringLiteral("单击列头可实现排序"));
    (new QVBoxLayout(listGroup))->addWidget(recordGrid);

    auto *top = new QHBoxLayout;
    top->addWidget(showAllButton);
    top->addWidget(findGroup, 1);
    top->addWidget(excelButton);
    top->addWidget(exitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(listGroup, 1);

    connect(showAllButton, &QPushButton::clicked, this, [this] { showAllButtonClick(); });
    connect(findButton, &QPushButton::clicked, this, [this] { findButtonClick(); });
    connect(valueEdit, &QLineEdit::returnPressed, this, [this] { valueEditReturnPressed(); });
    connect(excelButton, &QPushButton::clicked, this, [this] { excelButtonClick(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { exitButtonClick(); });

    columnBox->setCurrentIndex(0);
    valueEdit->clear();
    // Opening runs nothing: the grid shows what the opener put into the query.
    recordGrid->setQuery(query);
}

void HistoryWindow::showAllButtonClick()
{
    const RecordStore::Statement s = HistoryStore::all(m_setup.table);
    m_query->setStatement(s.text, s.values);
}

void HistoryWindow::findButtonClick()
{
    const QString column = columnBox->currentText();
    // The drop-down is editable: only a real column of the table may reach the statement.
    if (!GridSql::isTableColumn(m_setup.table, column)) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("“%1”不是可查询的列！").arg(column),
                         MsgIcon::Error, MsgButtons::Ok, this);
        columnBox->setFocus();
        return;
    }
    const RecordStore::Statement s = HistoryStore::equal(m_setup.table, column, valueEdit->text());
    m_query->setStatement(s.text, s.values);
}

void HistoryWindow::valueEditReturnPressed()
{
    findButtonClick();
}

void HistoryWindow::excelButtonClick()
{
    if (ExportGrid(recordGrid))
        Dialogs::message(QStringLiteral("提示！"), QStringLiteral("倒出数据成功！"),
                         MsgIcon::Information, MsgButtons::Ok, this);
}

void HistoryWindow::exitButtonClick()
{
    close();
}
