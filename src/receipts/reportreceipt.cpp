#include "reportreceipt.h"

#include "receiptstore.h"

#include "common/clock.h"
#include "common/reportpreview.h"

#include <memory>

ReportData LoadReportData(const ReportLayout &layout, const QString &cardNumber,
                          const QString &journalNumber)
{
    ReportData data;
    const QDateTime now = Clock::now();
    data.preparedAt = Clock::dateText(now.date()) + QLatin1Char(' ') + Clock::timeText(now.time());
    for (const QString &set : layout.dataSets) {
        QList<ReportRow> rows;
        if (set == QStringLiteral("小票")) {
            const ReportRow header = ReceiptStore::receiptHeader();
            if (!header.isEmpty())
                rows << header;
        } else if (set == QStringLiteral("会员卡信息")) {
            rows << ReportRow{{QStringLiteral("积分"), ReceiptStore::memberPoints(cardNumber)}};
        } else if (set == QStringLiteral("流水记录")) {
            rows = ReceiptStore::journalRows(journalNumber);
        } else if (set == QStringLiteral("消费记录")) {
            rows = ReceiptStore::consumptionRows(journalNumber);
            data.sets.insert(QStringLiteral("合计"),
                             {ReportRow{{QStringLiteral("消费金额"),
                                         ReceiptStore::consumptionTotal(journalNumber)}}});
        }
        data.sets.insert(set, rows);
    }
    return data;
}

PreparedReport PrepareReportReceipt(const ReportLayout &layout, const QString &cardNumber,
                                    const QString &journalNumber)
{
    return PrepareReport(layout, LoadReportData(layout, cardNumber, journalNumber));
}

void PrintReportReceipt(QWidget *parent, const ReportLayout &layout, const QString &cardNumber,
                        const QString &journalNumber)
{
    const PreparedReport report = PrepareReportReceipt(layout, cardNumber, journalNumber);
    // The paper is set once; after that the preview's page setup has the last word.
    auto pageSet = std::make_shared<bool>(false);
    ReportPreview::show(parent, ReportPreviewTitle, [report, pageSet](QPrinter *printer) {
        if (!*pageSet) {
            SetReportPage(report, printer);
            *pageSet = true;
        }
        PaintReport(report, printer);
    });
}
