#include "quanbuhuiyuanfrm.h"

#include "memberstore.h"
#include "memberviewstore.h"

#include "common/dialogs.h"
#include "common/numtext.h"
#include "common/windowsupport.h"
#include "data/dm1frm.h"
#include "records/exportgrid.h"
#include "records/recordgrid.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QList<GridColumn> memberColumns()
{
    return {
        { QStringLiteral("会员卡号"),
          {},
          90,
          CellFormat::Plain,
          GridFooter::label(QStringLiteral("合计数量"), Qt::AlignRight | Qt::AlignVCenter) },
        { QStringLiteral("卡类别"), {}, 70, CellFormat::Plain, GridFooter::count() },
        { QStringLiteral("会员姓名"), {}, 70 },
        { QStringLiteral("性别"), {}, 40 },
        { QStringLiteral("身份证号"), {}, 150 },
        { QStringLiteral("会员生日"), {}, 80 },
        { QStringLiteral("积分"), {}, 60 },
        { QStringLiteral("地址"), {}, 110 },
        { QStringLiteral("固定电话"), {}, 105 },
        { QStringLiteral("起用日期"), {}, 80 },
        { QStringLiteral("手机"), {}, 95 },
        { QStringLiteral("口头挂失标志"), QStringLiteral("挂失标志"), 55, CellFormat::Boolean },
    };
}

// Puts the statement on the query and the query in the grid, running it once: a grid
// already showing the query follows its change by itself.
void showStatement(RecordGrid *grid, SharedQuery &query, const MemberViewStore::Statement &s)
{
    query.setStatement(s.text, s.values);
    if (grid->query() != &query)
        grid->setQuery(&query);
}

} // namespace

Tquanbuhuiyuan::Tquanbuhuiyuan(QWidget *parent)
    : ChildWindow(parent, QPoint(0, 0), QSize(1017, 601))
{
    setObjectName(QStringLiteral("Tquanbuhuiyuan"));
    setWindowTitle(QStringLiteral("全部会员信息"));
    KeepMinimiseOnly(this);

    auto *listGroup = new QGroupBox(QStringLiteral("会员列表"), this);
    listGroup->setObjectName(QStringLiteral("listGroup"));

    m_showAllButton
        = MakeButton(QStringLiteral("显示全部"), QStringLiteral("showAllButton"), listGroup);
    m_excelButton = MakeButton(QStringLiteral("EXCEL"), QStringLiteral("excelButton"), listGroup);
    m_printButton = MakeButton(QStringLiteral("打印"), QStringLiteral("printButton"), listGroup);
    m_exitButton = MakeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), listGroup);

    auto *top = new QHBoxLayout;
    top->addWidget(m_showAllButton);
    top->addWidget(buildPointsGroup(listGroup));
    top->addWidget(buildCategoryGroup(listGroup));
    top->addStretch();
    for (QPushButton *b : { m_excelButton, m_printButton, m_exitButton })
        top->addWidget(b);

    m_memberGrid = new RecordGrid(listGroup);
    m_memberGrid->setObjectName(QStringLiteral("memberGrid"));
    m_memberGrid->setColumns(memberColumns());
    m_memberGrid->setFitColumnsToWidth(true);
    m_memberGrid->setHint(QStringLiteral("单击列头可实现排序"));

    auto *groupLayout = new QVBoxLayout(listGroup);
    groupLayout->addLayout(top);
    groupLayout->addWidget(m_memberGrid, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(listGroup);

    auto *chain = new EnterChain(this);
    chain->add(m_pointsEdit, [this] { pointsQueryButtonClick(); });
    chain->add(m_categoryBox, [this] { categoryQueryButtonClick(); });

    connect(m_showAllButton, &QPushButton::clicked, this, [this] { showAllButtonClick(); });
    connect(m_pointsQueryButton, &QPushButton::clicked, this, [this] { pointsQueryButtonClick(); });
    connect(m_categoryQueryButton, &QPushButton::clicked, this,
            [this] { categoryQueryButtonClick(); });
    connect(m_excelButton, &QPushButton::clicked, this, [this] { excelButtonClick(); });
    connect(m_printButton, &QPushButton::clicked, this, [this] { printButtonClick(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { close(); });

    FormShow();
}

QGroupBox *Tquanbuhuiyuan::buildPointsGroup(QWidget *parent)
{
    auto *group = new QGroupBox(QStringLiteral("分类查询"), parent);
    group->setObjectName(QStringLiteral("pointsGroup"));
    m_pointsEdit = new QLineEdit(group);
    m_pointsEdit->setObjectName(QStringLiteral("pointsEdit"));
    m_pointsEdit->setFixedWidth(90);
    m_pointsQueryButton
        = MakeButton(QStringLiteral("查询"), QStringLiteral("pointsQueryButton"), group);
    auto *caption = new QLabel(QStringLiteral("积分"), group);
    caption->setBuddy(m_pointsEdit);
    auto *row = new QHBoxLayout(group);
    row->addWidget(caption);
    row->addWidget(new QLabel(QStringLiteral(">"), group));
    row->addWidget(m_pointsEdit);
    row->addWidget(m_pointsQueryButton);
    return group;
}

QGroupBox *Tquanbuhuiyuan::buildCategoryGroup(QWidget *parent)
{
    auto *group = new QGroupBox(QStringLiteral("分类查询1"), parent);
    group->setObjectName(QStringLiteral("categoryGroup"));
    m_categoryBox = new QComboBox(group);
    m_categoryBox->setObjectName(QStringLiteral("categoryBox"));
    m_categoryBox->setEditable(true);
    m_categoryBox->setInsertPolicy(QComboBox::NoInsert);
    m_categoryBox->setMinimumWidth(110);
    m_categoryQueryButton
        = MakeButton(QStringLiteral("查询"), QStringLiteral("categoryQueryButton"), group);
    auto *caption = new QLabel(QStringLiteral("卡类别"), group);
    caption->setBuddy(m_categoryBox);
    auto *row = new QHBoxLayout(group);
    row->addWidget(caption);
    row->addWidget(m_categoryBox);
    row->addWidget(m_categoryQueryButton);
    return group;
}

void Tquanbuhuiyuan::FormShow()
{
    m_categoryBox->clear();
    m_categoryBox->addItems(MemberStore::categoryNames());
    m_categoryBox->setCurrentIndex(0);
    m_pointsEdit->clear();
    // Not run here: the grid shows what the query last found in this run, if anything.
    m_memberGrid->setQuery(&TDM1::instance()->ADOQuery5);
}

void Tquanbuhuiyuan::showAllButtonClick()
{
    showStatement(m_memberGrid, TDM1::instance()->ADOQuery5, MemberViewStore::allMembers());
}

void Tquanbuhuiyuan::pointsQueryButtonClick()
{
    const QString text = m_pointsEdit->text();
    bool ok = false;
    const double points = TextNumber(text, &ok);
    if (!ok || !std::isfinite(points)) {
        const QString message = text.trimmed().isEmpty()
            ? QStringLiteral("请输入积分数值！")
            : QStringLiteral("“%1”不是有效的积分数值！").arg(text);
        Dialogs::message(QStringLiteral("提示"), message, MsgIcon::Error, MsgButtons::Ok, this);
        m_pointsEdit->setFocus();
        m_pointsEdit->selectAll();
        return;
    }
    showStatement(m_memberGrid, TDM1::instance()->ADOQuery5,
                  MemberViewStore::membersAbovePoints(points));
}

void Tquanbuhuiyuan::categoryQueryButtonClick()
{
    showStatement(m_memberGrid, TDM1::instance()->ADOQuery6,
                  MemberViewStore::membersOfCategory(m_categoryBox->currentText()));
}

void Tquanbuhuiyuan::excelButtonClick()
{
    if (ExportGrid(m_memberGrid))
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("导出数据成功！"),
                         MsgIcon::Information, MsgButtons::Ok, this);
}

void Tquanbuhuiyuan::printButtonClick()
{
    m_memberGrid->print(QStringLiteral("会员档案"));
}
