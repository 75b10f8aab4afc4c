#pragma once

#include "gridcolumn.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;

// One printed page of a grid, as text.
struct PrintedPage
{
    int number = 0;
    int pages = 0;
    QList<QStringList> rows; // data rows on this page
    bool footerRow = false; // the grid's footer follows the rows (last page)
    QString pageFooter; // "第N页 共M页"
};

// Prints every row of a grid's statement: the heading on each page, the column titles,
// the rows, the footer row after the last row, the page number centred at the bottom;
// margins 2 mm, columns scaled to the page width.
class GridPrinter
{
public:
    GridPrinter(GridSnapshot snapshot, QString heading, int headingPointSize = 13);

    void paint(QPrinter *printer);
    // The same pages as text, without painting (what a preview would show).
    QList<PrintedPage> pages(QPrinter *printer);
    // Column widths on the page, in the printer's device pixels.
    QList<int> columnWidths(QPrinter *printer);

    static QString pageFooterText(int page, int pages);

private:
    struct Layout;
    Layout layout(QPrinter *printer) const;
    void walk(QPrinter *printer, const std::function<void(const PrintedPage &)> &sink);

    GridSnapshot m_snapshot;
    QString m_heading;
    int m_headingPointSize;
};
