#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <Qt>

// How a cell's value becomes text in the grid, its print-out and its exports.
enum class CellFormat {
    Plain, // text as stored; numbers through NumberText
    Time, // "hh:mm:ss"
    Date, // "yyyy-MM-dd"
    Boolean, // a tick in the grid, "是"/"否" in print-outs and files
};

// What the footer row shows under a column. Counts and sums are SQL over the grid's
// whole query, never over the rows fetched so far.
struct GridFooter
{
    enum Kind { None, Text, Count, Sum };
    Kind kind = None;
    QString text;
    Qt::Alignment alignment = Qt::AlignCenter;

    static GridFooter label(const QString &text, Qt::Alignment alignment = Qt::AlignCenter)
    {
        return { Text, text, alignment };
    }
    static GridFooter count() { return { Count, {}, Qt::AlignCenter }; }
    static GridFooter sum() { return { Sum, {}, Qt::AlignCenter }; }
};

// One column of a record grid: the query's column it shows and how.
struct GridColumn
{
    QString field; // column name in the query's result
    QString title = {}; // empty: headed by the field name
    int width = 80; // pixels; also the share of the page when printed
    CellFormat format = CellFormat::Plain;
    GridFooter footer = {};
    Qt::Alignment alignment = Qt::AlignCenter;

    QString heading() const { return title.isEmpty() ? field : title; }
};

struct SortKey
{
    QString field;
    Qt::SortOrder order = Qt::AscendingOrder;

    bool operator==(const SortKey &other) const = default;
};

// A cell's text as the grid shows it.
QString CellText(const QVariant &value, CellFormat format);
// True for values that go into a spreadsheet cell as a number.
bool IsNumberValue(const QVariant &value);

// What a grid hands to its print-out and exports: its columns as shown, its statement
// with the grid's sort, and the footer row's texts (empty when it has no footer).
struct GridSnapshot
{
    QList<GridColumn> columns;
    QString statement;
    QVariantList values;
    QStringList footerTexts;
};
