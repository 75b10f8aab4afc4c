#include "koutoujilufrm.h"

#include "data/dm1frm.h"

namespace {

HistoryWindow::Setup setup()
{
    HistoryWindow::Setup s;
    s.position = QPoint(100, 0);
    s.size = QSize(760, 520);
    s.table = QStringLiteral("口头挂失记录");
    s.findColumns = { QStringLiteral("会员卡号"), QStringLiteral("会员姓名") };
    s.listTitle = QStringLiteral("全部挂失历史记录");
    s.columns = {
        { QStringLiteral("会员卡号"), {}, 95 },
        { QStringLiteral("会员姓名"), {}, 80 },
        { QStringLiteral("口头挂失日期"), QStringLiteral("挂失日期"), 85, CellFormat::Date },
        { QStringLiteral("口头挂失时间"), QStringLiteral("挂失时间"), 70, CellFormat::Time },
        { QStringLiteral("挂失经手人"), {}, 75 },
        { QStringLiteral("取消挂失日期"), {}, 85, CellFormat::Date },
        { QStringLiteral("取消挂失时间"), {}, 85, CellFormat::Time },
        { QStringLiteral("取消挂失经手人"), {}, 95 },
    };
    return s;
}

} // namespace

Tkoutoujilu::Tkoutoujilu(QWidget *parent)
    : HistoryWindow(parent, setup(), &TDM1::instance()->ADOQuery10)
{
}
