#include "receipts.h"

#include "portreceipt.h"
#include "reportlayouts.h"
#include "reportreceipt.h"

#include "common/inifile.h"
#include "common/session.h"
#include "common/windowsupport.h"
#include "data/sql.h"

#include <exception>

ReceiptSettings ReceiptSettings::read()
{
    ReceiptSettings s;
    s.port = AppSettings::readString(QStringLiteral("打印端口"), QString());
    s.shopName = AppSettings::readString(QStringLiteral("店铺名称"), QString());
    s.printer = AppSettings::readString(QStringLiteral("打印机"), QStringLiteral("1"));
    s.footer = AppSettings::readString(QStringLiteral("小票尾"), QString());
    s.print = AppSettings::readBool(QStringLiteral("打印小票"), false);
    return s;
}

ReceiptRoute ChooseReceipt(const ReceiptSettings &settings)
{
    if (!settings.print)
        return ReceiptRoute::None;
    return settings.printer == QLatin1String("1") ? ReceiptRoute::Report : ReceiptRoute::Port;
}

void PrintTransactionReceipt(const ReceiptSettings &settings, const TransactionReceipt &receipt,
                             QWidget *parent)
{
    switch (ChooseReceipt(settings)) {
    case ReceiptRoute::None:
        return;
    case ReceiptRoute::Port:
        PrintPortReceipt(settings.port, settings.shopName, PortTitleLine(receipt.kind),
                         receipt.bodyLines, receipt.cardNumber, receipt.memberName,
                         CurrentOperatorCode(), settings.footer);
        return;
    case ReceiptRoute::Report:
        break;
    }
    // The transaction is committed by now: an error here must not stop the window from
    // resetting, or the operator would save the same purchase again.
    try {
        PrintReportReceipt(parent, ReportLayoutFor(receipt.kind), receipt.cardNumber,
                           receipt.journalNumber);
    } catch (const DbError &e) {
        ShowStandardError(e.text(), parent);
    } catch (const std::exception &e) {
        ShowStandardError(QString::fromUtf8(e.what()), parent);
    }
}

QString PortTitleLine(ReceiptKind kind)
{
    switch (kind) {
    case ReceiptKind::Return:
        return QStringLiteral("~~~~~~~退/换货减少积分~~~~~~~~~");
    case ReceiptKind::Redemption:
        return QStringLiteral("~~~~~~~~~~积分兑换~~~~~~~~~~~");
    case ReceiptKind::Purchase:
        break;
    }
    return QStringLiteral("~~~~~~~~~~~增加积分~~~~~~~~~~~~~");
}

QStringList PurchaseBodyLines(const QStringList &productNames, const QString &discountedTotal,
                              const QString &points)
{
    QStringList lines;
    for (const QString &name : productNames)
        lines << QStringLiteral("所购商品： ") + name;
    lines << QStringLiteral("消费金额： ") + discountedTotal << QStringLiteral("增加积分： ") + points;
    return lines;
}

QStringList ReturnBodyLines(const QStringList &productNames, const QString &discountedAmount,
                            const QString &points)
{
    QStringList lines;
    for (const QString &name : productNames)
        lines << QStringLiteral("退货商品： ") + name;
    lines << QStringLiteral("退货金额： ") + discountedAmount << QStringLiteral("减少积分： ") + points;
    return lines;
}

QStringList RedemptionBodyLines(const QString &points, const QString &gift, const QString &cash)
{
    return {QStringLiteral("兑换积分： ") + points, QStringLiteral("兑换礼品： ") + gift,
            QStringLiteral("兑换现金： ") + cash};
}
