#include "recordfilterwindow.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/windowsupport.h"
#include "data/dm1frm.h"
#include "exportgrid.h"
#include "gridsql.h"
#include "recordgrid.h"
#include "recordstore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDateEdit *dateEdit(QWidget *parent, const QString &name)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(name);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    return edit;
}

} // namespace

RecordFilterWindow::RecordFilterWindow(QWidget *parent, const Setup &setup, SharedQuery *query)
    : ChildWindow(parent, QPoint(0, 0), setup.size)
    , m_setup(setup)
    , m_query(query)
{
    KeepMinimiseOnly(this);
    dateGroup = new QGroupBox(QStringLiteral("日期条件"), this);
    dateGroup->setObjectName(QStringLiteral("dateGroup"));
    fromDateEdit = dateEdit(dateGroup, QStringLiteral("fromDateEdit"));
    toDateEdit = dateEdit(dateGroup, QStringLiteral("toDateEdit"));
    auto *dates = new QHBoxLayout(dateGroup);
    dates->addWidget(new QLabel(QStringLiteral("日期从"), dateGroup));
    dates->addWidget(fromDateEdit);
    dates->addWidget(new QLabel(QStringLiteral("到"), dateGroup));
    dates->addWidget(toDateEdit);

    otherGroup = new QGroupBox(QStringLiteral("其他条件"), this);
    otherGroup->setObjectName(QStringLiteral("otherGroup"));
    columnBox = new QComboBox(otherGroup);
    columnBox->setObjectName(QStringLiteral("columnBox"));
    columnBox->setEditable(true);
    columnBox->setInsertPolicy(QComboBox::NoInsert);
    columnBox->addItems(setup.filterColumns);
    columnBox->setMinimumWidth(100);
    valueEdit = new QLineEdit(otherGroup);
    valueEdit->setObjectName(QStringLiteral("valueEdit"));
    auto *other = new QHBoxLayout(otherGroup);
    other->addWidget(columnBox);
    other->addWidget(new QLabel(QStringLiteral("="), otherGroup));
    other->addWidget(valueEdit, 1);

    allDatesBox = new QCheckBox(setup.allDatesText, this);
    allDatesBox->setObjectName(QStringLiteral("allDatesBox"));
    allMembersBox = new QCheckBox(setup.allMembersText, this);
    allMembersBox->setObjectName(QStringLiteral("allMembersBox"));
    auto *boxes = new QVBoxLayout;
    boxes->addWidget(allDatesBox);
    boxes->addWidget(allMembersBox);

    queryButton = MakeButton(setup.queryText, QStringLiteral("queryButton"), this);
    excelButton = MakeButton(QStringLiteral("EXCEL"), QStringLiteral("excelButton"), this);
    exitButton = MakeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), this);

    recordGrid = new RecordGrid(this);
    recordGrid->setObjectName(QStringLiteral("recordGrid"));
    recordGrid->setColumns(setup.columns);
    recordGrid->setFitColumnsToWidth(true);
    recordGrid->setHint(QStringLiteral("单击列头可实现排序"));

    auto *top = new QHBoxLayout;
    top->addWidget(dateGroup);
    top->addWidget(otherGroup, 1);
    top->addLayout(boxes);
    top->addWidget(queryButton);
    top->addWidget(excelButton);
    top->addWidget(exitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(recordGrid, 1);

    connect(queryButton, &QPushButton::clicked, this, [this] { queryButtonClick(); });
    connect(excelButton, &QPushButton::clicked, this, [this] { excelButtonClick(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { exitButtonClick(); });

    reset();
    if (setup.startsEmpty)
        query->close();
    recordGrid->setQuery(query);
}

void RecordFilterWindow::reset()
{
    columnBox->setCurrentIndex(0);
    valueEdit->clear();
    fromDateEdit->setDate(Clock::today());
    toDateEdit->setDate(Clock::today());
    allDatesBox->setChecked(false);
    allMembersBox->setChecked(false);
}

void RecordFilterWindow::queryButtonClick()
{
    RecordStore::Filter filter;
    filter.allDates = allDatesBox->isChecked();
    filter.allMembers = allMembersBox->isChecked();
    filter.from = fromDateEdit->date();
    filter.to = toDateEdit->date();
    filter.column = columnBox->currentText();
    filter.value = valueEdit->text();
    // The drop-down is editable: only a real column of the table may reach the statement.
    if (!filter.allMembers && !GridSql::isTableColumn(m_setup.table, filter.column)) {
        Dialogs::message(QStringLiteral("提示"),
                         QStringLiteral("“%1”不是可查询的列！").arg(filter.column), MsgIcon::Error,
                         MsgButtons::Ok, this);
        columnBox->setFocus();
        return;
    }
    const RecordStore::Statement s = RecordStore::filtered(m_setup.table, filter);
    m_query->setStatement(s.text, s.values);
}

void RecordFilterWindow::excelButtonClick()
{
    if (ExportGrid(recordGrid))
        Dialogs::message(m_setup.exportCaption, QStringLiteral("导出数据成功！"),
                         MsgIcon::Information, MsgButtons::Ok, this);
}

void RecordFilterWindow::exitButtonClick()
{
    close();
}
