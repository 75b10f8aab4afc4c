#include "gridprint.h"

#include "data/sql.h"
#include "gridsql.h"

#include <QFont>
#include <QFontMetrics>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QSqlRecord>

#include <optional>

struct GridPrinter::Layout
{
    QRect page;
    QFont headingFont;
    QFont bodyFont;
    QFont titleFont;
    int headingHeight = 0;
    int rowHeight = 0;
    int rowsPerPage = 1;
    QList<int> widths;
};

GridPrinter::GridPrinter(GridSnapshot snapshot, QString heading, int headingPointSize)
    : m_snapshot(std::move(snapshot))
    , m_heading(std::move(heading))
    , m_headingPointSize(headingPointSize)
{
}

QString GridPrinter::pageFooterText(int page, int pages)
{
    return QStringLiteral("第%1页 共%2页").arg(page).arg(pages);
}

GridPrinter::Layout GridPrinter::layout(QPrinter *printer) const
{
    printer->setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);
    Layout l;
    l.page = QRect(QPoint(0, 0), printer->pageRect(QPrinter::DevicePixel).size().toSize());
    l.headingFont = QFont(QStringLiteral("宋体"));
    l.headingFont.setPointSize(m_headingPointSize);
    l.headingFont.setBold(true);
    l.bodyFont = QFont(QStringLiteral("宋体"));
    l.bodyFont.setPointSize(9);
    l.titleFont = l.bodyFont;
    l.titleFont.setBold(true);
    const QFontMetrics heading(l.headingFont, printer);
    const QFontMetrics body(l.bodyFont, printer);
    l.headingHeight = m_heading.isEmpty() ? 0 : heading.height() * 2;
    l.rowHeight = body.height() + body.height() / 2;
    // Heading, column titles and the page number take their share of every page.
    const int free = l.page.height() - l.headingHeight - l.rowHeight * 2;
    l.rowsPerPage = qMax(1, free / qMax(1, l.rowHeight));
    qint64 total = 0;
    for (const GridColumn &c : m_snapshot.columns)
        total += qMax(1, c.width);
    int used = 0;
    for (int i = 0; i < m_snapshot.columns.size(); ++i) {
        const bool last = i + 1 == m_snapshot.columns.size();
        const int w = last ? l.page.width() - used
                           : int(qint64(qMax(1, m_snapshot.columns.at(i).width)) * l.page.width()
                                 / qMax<qint64>(1, total));
        l.widths << w;
        used += w;
    }
    return l;
}

QList<int> GridPrinter::columnWidths(QPrinter *printer)
{
    return layout(printer).widths;
}

void GridPrinter::paint(QPrinter *printer)
{
    walk(printer, {});
}

QList<PrintedPage> GridPrinter::pages(QPrinter *printer)
{
    QList<PrintedPage> result;
    walk(printer, [&result](const PrintedPage &p) { result << p; });
    return result;
}

void GridPrinter::walk(QPrinter *printer, const std::function<void(const PrintedPage &)> &sink)
{
    const Layout l = layout(printer);
    const bool hasFooter = !m_snapshot.footerTexts.isEmpty();
    // A closed query prints its titles and no rows.
    const bool open = !m_snapshot.statement.isEmpty();
    const qint64 rowCount = open
        ? Sql::scalar(GridSql::count(m_snapshot.statement), m_snapshot.values).toLongLong()
        : 0;
    const qint64 lines = rowCount + (hasFooter ? 1 : 0);
    const int pageCount = int(qMax<qint64>(1, (lines + l.rowsPerPage - 1) / l.rowsPerPage));

    QSqlQuery q;
    QList<int> at;
    if (open) {
        q = Sql::exec(m_snapshot.statement, m_snapshot.values);
        const QSqlRecord record = q.record();
        for (const GridColumn &c : m_snapshot.columns)
            at << record.indexOf(c.field);
    }
    bool more = open;

    std::optional<QPainter> painter;
    if (!sink) {
        painter.emplace();
        if (!painter->begin(printer))
            throw DbError(QStringLiteral("打印机无法使用"));
    }
    QList<Qt::Alignment> cellAlign, footerAlign;
    for (const GridColumn &c : m_snapshot.columns) {
        cellAlign << c.alignment;
        footerAlign << c.footer.alignment;
    }
    const QList<Qt::Alignment> centred(m_snapshot.columns.size(), Qt::AlignCenter);
    const auto drawRow = [&](int y, const QStringList &cells, const QFont &font,
                             const QList<Qt::Alignment> &align) {
        painter->setFont(font);
        int x = 0;
        for (int i = 0; i < cells.size() && i < l.widths.size(); ++i) {
            const QRect cell(x, y, l.widths.at(i), l.rowHeight);
            painter->drawRect(cell);
            const QRect inner = cell.adjusted(l.rowHeight / 6, 0, -l.rowHeight / 6, 0);
            painter->drawText(
                inner, int(align.value(i, Qt::AlignCenter) | Qt::AlignVCenter),
                QFontMetrics(font, printer).elidedText(cells.at(i), Qt::ElideRight, inner.width()));
            x += l.widths.at(i);
        }
    };
    QStringList titles;
    for (const GridColumn &c : m_snapshot.columns)
        titles << c.heading();

    for (int page = 1; page <= pageCount; ++page) {
        PrintedPage p;
        p.number = page;
        p.pages = pageCount;
        p.pageFooter = pageFooterText(page, pageCount);
        while (p.rows.size() < l.rowsPerPage && more && (more = q.next())) {
            QStringList cells;
            for (int i = 0; i < at.size(); ++i)
                cells << (at.at(i) < 0
                              ? QString()
                              : CellText(q.value(at.at(i)), m_snapshot.columns.at(i).format));
            p.rows << cells;
        }
        p.footerRow = hasFooter && page == pageCount;
        if (sink) {
            sink(p);
            continue;
        }
        if (page > 1)
            printer->newPage();
        if (!m_heading.isEmpty()) {
            painter->setFont(l.headingFont);
            painter->drawText(QRect(0, 0, l.page.width(), l.headingHeight), Qt::AlignCenter,
                              m_heading);
        }
        int y = l.headingHeight;
        drawRow(y, titles, l.titleFont, centred);
        y += l.rowHeight;
        for (const QStringList &cells : p.rows) {
            drawRow(y, cells, l.bodyFont, cellAlign);
            y += l.rowHeight;
        }
        if (p.footerRow)
            drawRow(y, m_snapshot.footerTexts, l.titleFont, footerAlign);
        painter->setFont(l.bodyFont);
        painter->drawText(QRect(0, l.page.height() - l.rowHeight, l.page.width(), l.rowHeight),
                          Qt::AlignCenter, p.pageFooter);
    }
    if (painter)
        painter->end();
}
