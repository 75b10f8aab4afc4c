#include "xiangxijilufrm.h"

#include "data/dm1frm.h"

#include <QLineEdit>

namespace {

RecordFilterWindow::Setup setup()
{
    RecordFilterWindow::Setup s;
    s.size = QSize(1017, 601);
    s.table = QStringLiteral("流水记录");
    s.filterColumns = { QStringLiteral("会员卡号"), QStringLiteral("会员姓名"),
                        QStringLiteral("引荐人卡号"), QStringLiteral("引荐人姓名") };
    s.allDatesText = QStringLiteral("显示全部日期");
    s.allMembersText = QStringLiteral("显示全部会员");
    s.queryText = QStringLiteral("查询");
    s.exportCaption = QStringLiteral("提示");
    s.columns = {
        { QStringLiteral("会员卡号"),
          {},
          90,
          CellFormat::Plain,
          GridFooter::label(QStringLiteral("合计次数")) },
        { QStringLiteral("会员姓名"), {}, 80, CellFormat::Plain, GridFooter::count() },
        { QStringLiteral("商品"), {}, 110 },
        { QStringLiteral("兑换礼品"),
          {},
          110,
          CellFormat::Plain,
          GridFooter::label(QStringLiteral("合计")) },
        { QStringLiteral("返现金"), {}, 55, CellFormat::Plain, GridFooter::sum() },
        { QStringLiteral("增减积分"), {}, 55, CellFormat::Plain, GridFooter::sum() },
        { QStringLiteral("增减原因"), {}, 90 },
        { QStringLiteral("退/换货说明"), {}, 90 },
        { QStringLiteral("日期"), {}, 100, CellFormat::Date },
        { QStringLiteral("时间"), {}, 100, CellFormat::Time },
        { QStringLiteral("经手人"), {}, 70 },
    };
    return s;
}

} // namespace

Txiangxijilu::Txiangxijilu(QWidget *parent)
    : RecordFilterWindow(parent, setup(), &TDM1::instance()->ADOQuery8)
{
    connect(valueEdit, &QLineEdit::returnPressed, this, [this] { valueEditReturnPressed(); });
}

void Txiangxijilu::valueEditReturnPressed()
{
    queryButtonClick();
}
