#include "guashilishifrm.h"

#include "data/dm1frm.h"

namespace {

HistoryWindow::Setup setup()
{
    HistoryWindow::Setup s;
    s.position = QPoint(180, 0);
    s.size = QSize(680, 520);
    s.table = QStringLiteral("挂失记录");
    s.findColumns
        = { QStringLiteral("旧卡号"), QStringLiteral("新卡号"), QStringLiteral("会员姓名") };
    s.listTitle = QStringLiteral("全部会员卡更换历史记录");
    s.columns = {
        { QStringLiteral("旧卡号"), {}, 95 },
        { QStringLiteral("新卡号"), {}, 95 },
        { QStringLiteral("会员姓名"), {}, 80 },
        { QStringLiteral("原有积分"), {}, 70 },
        { QStringLiteral("日期"), {}, 85, CellFormat::Date },
        { QStringLiteral("时间"), {}, 70, CellFormat::Time },
        { QStringLiteral("经手人"), {}, 60 },
    };
    return s;
}

} // namespace

Tguashilishi::Tguashilishi(QWidget *parent)
    : HistoryWindow(parent, setup(), &TDM1::instance()->ADOQuery9)
{
}
