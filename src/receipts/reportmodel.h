#pragma once

// A small banded report for receipts on an ordinary printer. A layout is a list of bands
// from top to bottom; each band holds text items placed in millimetres from its own top
// left corner. An item's text may name data fields as "[数据集.列]" (the first row of that
// data set, or in a master-data band the current row of the band's data set) and the
// variables "[行号]" (the master row's number from 1) and "[日期时间]" (when the report is
// prepared). Preparing fills the fields and stacks the bands on pages; painting draws the
// prepared items onto a printer.

#include <QHash>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPrinter;

struct ReportFont
{
    QString family = QStringLiteral("宋体");
    int pixelSize = 13; // at 96 dots per inch, as the layout was drawn
};

struct ReportItem
{
    double left = 0;   // mm from the band's left edge
    double top = 0;    // mm from the band's top
    double width = 0;
    double height = 0;
    QString text;
    ReportFont font;
    bool wrap = false; // several lines inside the box (the footer block)
};

struct ReportBand
{
    enum Kind { Title, PageHeader, MasterData, Summary };
    Kind kind = Title;
    double top = 0;    // design position on the page, mm below the top margin
    double height = 0;
    QString dataSet;   // master data: the rows it repeats for
    QList<ReportItem> items;
};

struct ReportLayout
{
    QString name;
    QSizeF pageSize{120, 1000}; // mm; continuous paper
    double margin = 5;
    double bandWidth = 110;
    QStringList dataSets; // the sets the report opens
    QList<ReportBand> bands;
};

// The rows of each data set, every value as text.
using ReportRow = QHash<QString, QString>;
struct ReportData
{
    QHash<QString, QList<ReportRow>> sets;
    QString preparedAt;
};

struct PreparedItem
{
    int page = 0;
    QRectF rect;    // mm from the top left corner of the printable area
    QString text;
    ReportFont font;
    bool wrap = false;
};

struct PreparedReport
{
    QSizeF pageSize;
    double margin = 5;
    int pageCount = 1;
    QList<PreparedItem> items;

    // The item showing exactly this text (the occurrence-th of them, in the order they
    // were placed), or nullptr.
    const PreparedItem *find(const QString &text, int occurrence = 0) const;
};

// Fills the fields. A band is placed at its design top unless the bands before it have
// grown past it; a band that would run off the page starts a new page, below a repeated
// page header.
PreparedReport PrepareReport(const ReportLayout &layout, const ReportData &data);

// The report's paper and margins; a preview sets them once so page setup can change them.
void SetReportPage(const PreparedReport &report, QPrinter *printer);
// Paints every page onto the printer as it is set up.
void PaintReport(const PreparedReport &report, QPrinter *printer);
