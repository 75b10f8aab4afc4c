#include "reportmodel.h"

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

const QString RowNumberVariable = QStringLiteral("行号");
const QString PreparedAtVariable = QStringLiteral("日期时间");

struct FieldContext
{
    const ReportData *data = nullptr;
    QString rowSet;                // the master band's data set, if any
    const ReportRow *row = nullptr;
    int rowNumber = 0;
};

QString fieldValue(const QString &name, const FieldContext &ctx)
{
    if (name == RowNumberVariable)
        return ctx.row ? QString::number(ctx.rowNumber) : QString();
    if (name == PreparedAtVariable)
        return ctx.data->preparedAt;
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    const QString set = name.left(dot);
    const QString column = name.mid(dot + 1);
    if (ctx.row && set == ctx.rowSet)
        return ctx.row->value(column);
    const QList<ReportRow> rows = ctx.data->sets.value(set);
    return rows.isEmpty() ? QString() : rows.first().value(column);
}

// Replaces every "[name]" once; values are never scanned again, so a "[" in the data
// stays as it is.
QString fill(const QString &text, const FieldContext &ctx)
{
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('['), i);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char(']'), open);
        if (close < 0) {
            out += text.mid(i);
            break;
        }
        out += text.mid(i, open - i);
        out += fieldValue(text.mid(open + 1, close - open - 1), ctx);
        i = close + 1;
    }
    return out;
}

class Stacker
{
public:
    Stacker(const ReportLayout &layout, const ReportData &data, PreparedReport &report)
        : m_report(report)
        , m_printableHeight(layout.pageSize.height() - 2 * layout.margin)
    {
        m_ctx.data = &data;
        for (const ReportBand &band : layout.bands)
            if (band.kind == ReportBand::PageHeader)
                m_pageHeader = &band;
    }

    void place(const ReportBand &band, const ReportRow *row = nullptr, int rowNumber = 0)
    {
        double y = std::max(band.top, m_cursor);
        if (y + band.height > m_printableHeight && m_cursor > 0 && band.kind != ReportBand::Title) {
            ++m_page;
            m_cursor = 0;
            if (m_pageHeader && band.kind != ReportBand::PageHeader)
                place(*m_pageHeader);
            y = std::max(band.top, m_cursor);
        }
        m_ctx.rowSet = band.dataSet;
        m_ctx.row = row;
        m_ctx.rowNumber = rowNumber;
        for (const ReportItem &item : band.items) {
            PreparedItem p;
            p.page = m_page;
            p.rect = QRectF(item.left, y + item.top, item.width, item.height);
            p.text = fill(item.text, m_ctx);
            p.font = item.font;
            p.wrap = item.wrap;
            m_report.items << p;
        }
        m_cursor = y + band.height;
        m_report.pageCount = m_page + 1;
    }

private:
    PreparedReport &m_report;
    const double m_printableHeight;
    const ReportBand *m_pageHeader = nullptr;
    FieldContext m_ctx;
    double m_cursor = 0;
    int m_page = 0;
};

QFont printFont(const ReportFont &f)
{
    QFont font(f.family);
    font.setFamilies({f.family, QStringLiteral("STXinwei"), QStringLiteral("SimSun"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    // The layout's pixels are screen pixels at 96 dpi; in points the printer scales them.
    font.setPointSizeF(f.pixelSize * 72.0 / 96.0);
    return font;
}

} // namespace

const PreparedItem *PreparedReport::find(const QString &text, int occurrence) const
{
    for (const PreparedItem &item : items)
        if (item.text == text && occurrence-- == 0)
            return &item;
    return nullptr;
}

PreparedReport PrepareReport(const ReportLayout &layout, const ReportData &data)
{
    PreparedReport report;
    report.pageSize = layout.pageSize;
    report.margin = layout.margin;
    Stacker stacker(layout, data, report);
    for (const ReportBand &band : layout.bands) {
        if (band.kind != ReportBand::MasterData) {
            stacker.place(band);
            continue;
        }
        const QList<ReportRow> rows = data.sets.value(band.dataSet);
        for (int i = 0; i < rows.size(); ++i)
            stacker.place(band, &rows[i], i + 1);
    }
    return report;
}

void SetReportPage(const PreparedReport &report, QPrinter *printer)
{
    printer->setFullPage(false);
    printer->setPageSize(QPageSize(report.pageSize, QPageSize::Millimeter, QString(),
                                   QPageSize::ExactMatch));
    printer->setPageOrientation(QPageLayout::Portrait);
    const double m = report.margin;
    printer->setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

void PaintReport(const PreparedReport &report, QPrinter *printer)
{
    QPainter painter;
    if (!painter.begin(printer))
        return;
    const double perMm = printer->resolution() / 25.4;
    for (int page = 0; page < report.pageCount; ++page) {
        if (page > 0)
            printer->newPage();
        for (const PreparedItem &item : report.items) {
            if (item.page != page)
                continue;
            painter.setFont(printFont(item.font));
            const QRectF r(item.rect.left() * perMm, item.rect.top() * perMm,
                           item.rect.width() * perMm, item.rect.height() * perMm);
            const int flags = item.wrap ? int(Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap)
                                        : int(Qt::AlignLeft | Qt::AlignVCenter);
            painter.drawText(r, flags, item.text);
        }
    }
    painter.end();
}
