#include "gridfind.h"

#include "common/dialogs.h"
#include "recordgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

GridFindDialog::GridFindDialog(RecordGrid *grid)
    : QDialog(grid)
    , columnBox(new QComboBox(this))
    , valueEdit(new QLineEdit(this))
    , wholeCellBox(new QCheckBox(QStringLiteral("整个单元格匹配"), this))
    , findNextButton(new QPushButton(QStringLiteral("查找下一个"), this))
    , closeButton(new QPushButton(QStringLiteral("关闭"), this))
    , m_grid(grid)
{
    setWindowTitle(QStringLiteral("查找"));
    columnBox->setObjectName(QStringLiteral("columnBox"));
    valueEdit->setObjectName(QStringLiteral("valueEdit"));
    wholeCellBox->setObjectName(QStringLiteral("wholeCellBox"));
    findNextButton->setObjectName(QStringLiteral("findNextButton"));
    closeButton->setObjectName(QStringLiteral("closeButton"));
    findNextButton->setDefault(true);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("查找内容:"), this), 0, 0);
    layout->addWidget(valueEdit, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("查找列:"), this), 1, 0);
    layout->addWidget(columnBox, 1, 1);
    layout->addWidget(wholeCellBox, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(findNextButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons, 3, 0, 1, 2);

    connect(findNextButton, &QPushButton::clicked, this, [this] { findNextButtonClick(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

void GridFindDialog::prepare()
{
    const QString value = valueEdit->text();
    columnBox->clear();
    for (const GridColumn &c : m_grid->columns())
        columnBox->addItem(c.heading());
    const int current = m_grid->view()->currentIndex().column();
    columnBox->setCurrentIndex(qMax(0, current));
    valueEdit->setText(value);
    valueEdit->selectAll();
    valueEdit->setFocus();
}

void GridFindDialog::findNextButtonClick()
{
    const QString value = valueEdit->text();
    if (m_grid->findNext(columnBox->currentIndex(), value, wholeCellBox->isChecked()) < 0)
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("找不到“%1”！").arg(value),
                         MsgIcon::Information, MsgButtons::Ok, this);
}
