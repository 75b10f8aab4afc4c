#include "xiaofeijilufrm.h"

#include "data/dm1frm.h"

namespace {

RecordFilterWindow::Setup setup()
{
    RecordFilterWindow::Setup s;
    s.size = QSize(1019, 601);
    s.table = QStringLiteral("消费记录");
    s.filterColumns = { QStringLiteral("会员卡号"), QStringLiteral("会员姓名") };
    s.allDatesText = QStringLiteral("查询全部日期");
    s.allMembersText = QStringLiteral("查询全部会员");
    s.queryText = QStringLiteral("开始查询");
    s.exportCaption = QStringLiteral("提示！");
    // Each opening starts with an empty grid.
    s.startsEmpty = true;
    s.columns = {
        { QStringLiteral("编号"), QStringLiteral("单据号"), 80 },
        { QStringLiteral("会员卡号"),
          {},
          80,
          CellFormat::Plain,
          GridFooter::label(QStringLiteral("合计次数")) },
        { QStringLiteral("会员姓名"), {}, 80, CellFormat::Plain, GridFooter::count() },
        { QStringLiteral("商品"), {}, 120 },
        { QStringLiteral("单位"), {}, 65 },
        { QStringLiteral("数量"),
          {},
          65,
          CellFormat::Plain,
          GridFooter::label(QStringLiteral("合计金额")) },
        { QStringLiteral("消费金额"), {}, 65, CellFormat::Plain, GridFooter::sum() },
        { QStringLiteral("增减原因"), {}, 70 },
        { QStringLiteral("退/换货说明"), {}, 90 },
        { QStringLiteral("日期"), {}, 80, CellFormat::Date },
        { QStringLiteral("时间"), {}, 80, CellFormat::Time },
        { QStringLiteral("经手人"), {}, 70 },
    };
    return s;
}

} // namespace

Txiaofeijilu::Txiaofeijilu(QWidget *parent)
    : RecordFilterWindow(parent, setup(), &TDM1::instance()->ADOQuery12)
{
}
