#include "reportlayouts.h"

namespace {

const ReportFont Song13{QStringLiteral("宋体"), 13};
const ReportFont Song16{QStringLiteral("宋体"), 16};
const ReportFont Xinwei19{QStringLiteral("华文新魏"), 19};

ReportItem item(double left, double width, double top, double height, const QString &text,
                const ReportFont &font = Song13)
{
    ReportItem i;
    i.left = left;
    i.width = width;
    i.top = top;
    i.height = height;
    i.text = text;
    i.font = font;
    return i;
}

ReportBand band(ReportBand::Kind kind, double top, double height, QList<ReportItem> items,
                const QString &dataSet = {})
{
    ReportBand b;
    b.kind = kind;
    b.top = top;
    b.height = height;
    b.items = std::move(items);
    b.dataSet = dataSet;
    return b;
}

ReportBand titleBand()
{
    return band(ReportBand::Title, 1.1, 7.9,
                {item(22.2, 21.2, 0, 7.9, QStringLiteral("欢迎光临"), Xinwei19),
                 item(43.4, 45.5, 0, 7.9, QStringLiteral("[小票.店铺]"), Xinwei19)});
}

// Purchases and returns differ only in the word for the points.
ReportLayout basketLayout(const QString &name, const QString &pointsWord)
{
    ReportLayout l;
    l.name = name;
    l.dataSets = {QStringLiteral("小票"), QStringLiteral("会员卡信息"), QStringLiteral("流水记录"),
                  QStringLiteral("消费记录")};
    const double line1 = 0.5, line2 = 6.5, line3 = 12.0, h = 5.0;
    l.bands << titleBand();
    l.bands << band(ReportBand::PageHeader, 14.8, 17.5,
                    {item(26.5, 18.0, line1, 6.0, pointsWord, Song16),
                     item(65.6, 12.7, line1, 6.0, QStringLiteral("经手人：")),
                     item(79.4, 22.2, line1, 6.0, QStringLiteral("[流水记录.经手人]")),
                     item(6.4, 10.6, line2, h, QStringLiteral("卡号：")),
                     item(16.9, 39.2, line2, h, QStringLiteral("[流水记录.会员卡号]")),
                     item(56.1, 9.5, line2, h, QStringLiteral("姓名：")),
                     item(65.6, 36.0, line2, h, QStringLiteral("[流水记录.会员姓名]")),
                     item(6.4, 9.5, line3, h, QStringLiteral("序号")),
                     item(15.9, 31.8, line3, h, QStringLiteral("商品名")),
                     item(47.6, 25.4, line3, h, QStringLiteral("数量")),
                     item(73.0, 28.6, line3, h, QStringLiteral("消费金额"))});
    l.bands << band(ReportBand::MasterData, 32.3, 4.8,
                    {item(6.4, 9.5, 0, 4.8, QStringLiteral("[行号]")),
                     item(15.9, 31.8, 0, 4.8, QStringLiteral("[消费记录.商品]")),
                     item(47.6, 25.4, 0, 4.8, QStringLiteral("[消费记录.数量]")),
                     item(73.0, 28.6, 0, 4.8, QStringLiteral("[消费记录.消费金额]"))},
                    QStringLiteral("消费记录"));
    ReportItem footer = item(7.4, 95.3, 13.0, 19.6, QStringLiteral("[小票.票尾]"));
    footer.wrap = true;
    l.bands << band(ReportBand::Summary, 70.9, 35.5,
                    {item(7.4, 16.9, 1.0, h, QStringLiteral("合计金额：")),
                     item(25.4, 25.4, 1.0, h, QStringLiteral("[合计.消费金额]")),
                     item(55.0, 15.9, 1.0, h, pointsWord + QStringLiteral("：")),
                     item(72.0, 28.6, 1.0, h, QStringLiteral("[流水记录.增减积分]")),
                     item(7.4, 15.9, 7.0, h, QStringLiteral("现有积分：")),
                     item(24.3, 21.2, 7.0, h, QStringLiteral("[会员卡信息.积分]")),
                     item(47.6, 9.5, 7.0, h, QStringLiteral("日期：")),
                     item(58.2, 43.4, 7.0, h, QStringLiteral("[日期时间]")), footer});
    return l;
}

} // namespace

ReportLayout PurchaseReportLayout()
{
    return basketLayout(QStringLiteral("增加积分小票"), QStringLiteral("增加积分"));
}

ReportLayout ReturnReportLayout()
{
    return basketLayout(QStringLiteral("减少积分小票"), QStringLiteral("减少积分"));
}

ReportLayout RedemptionReportLayout()
{
    ReportLayout l;
    l.name = QStringLiteral("积分兑换小票");
    l.dataSets = {QStringLiteral("小票"), QStringLiteral("会员卡信息"), QStringLiteral("流水记录")};
    const double line1 = 0.5, line2 = 7.0, h = 5.0;
    const double lefts[] = {1.1, 27.5, 49.7, 64.6, 90.0};
    const double widths[] = {26.5, 22.2, 14.8, 25.4, 15.9};
    const QStringList headings{QStringLiteral("卡号"), QStringLiteral("姓名"), QStringLiteral("兑换积分"),
                               QStringLiteral("礼品"), QStringLiteral("现金")};
    const QStringList fields{QStringLiteral("[流水记录.会员卡号]"), QStringLiteral("[流水记录.会员姓名]"),
                             QStringLiteral("[流水记录.增减积分]"), QStringLiteral("[流水记录.兑换礼品]"),
                             QStringLiteral("[流水记录.返现金]")};
    QList<ReportItem> header{item(30.7, 18.0, line1, 6.0, QStringLiteral("积分兑换"), Song16),
                             item(69.9, 12.7, line1, 6.0, QStringLiteral("经手人：")),
                             item(83.6, 22.2, line1, 6.0, QStringLiteral("[流水记录.经手人]"))};
    QList<ReportItem> master;
    for (int i = 0; i < 5; ++i) {
        header << item(lefts[i], widths[i], line2, h, headings[i]);
        master << item(lefts[i], widths[i], 0, 4.8, fields[i]);
    }
    ReportItem footer = item(2.1, 103.7, 7.0, 19.6, QStringLiteral("[小票.票尾]"));
    footer.wrap = true;
    l.bands << titleBand();
    l.bands << band(ReportBand::PageHeader, 14.8, 12.2, header);
    l.bands << band(ReportBand::MasterData, 33.9, 4.8, master, QStringLiteral("流水记录"));
    l.bands << band(ReportBand::Summary, 46.6, 28.0,
                    {item(2.1, 15.9, 1.0, h, QStringLiteral("现有积分：")),
                     item(19.1, 21.2, 1.0, h, QStringLiteral("[会员卡信息.积分]")),
                     item(42.3, 15.9, 1.0, h, QStringLiteral("日期时间：")),
                     item(59.3, 46.6, 1.0, h, QStringLiteral("   [日期时间]")), footer});
    return l;
}

ReportLayout ReportLayoutFor(ReceiptKind kind)
{
    switch (kind) {
    case ReceiptKind::Return:
        return ReturnReportLayout();
    case ReceiptKind::Redemption:
        return RedemptionReportLayout();
    case ReceiptKind::Purchase:
        break;
    }
    return PurchaseReportLayout();
}
