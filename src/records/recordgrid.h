#pragma once

#include "data/dm1frm.h"
#include "gridcolumn.h"
#include "gridfind.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QTableView;
class QTableWidget;
class RecordModel;

// The read-only record grid of the record windows (journal, consumption, replacement and
// verbal loss histories, member list, birthday list, product catalogue).
//
// It shows a SharedQuery of TDM1 and follows it: whenever the query's statement is set,
// refreshed or closed, the grid runs it again (or empties). Rows are fetched as the view
// scrolls; the footer's counts and sums, the sort, the find, the print-out and the export
// are SQL over the whole query, so a million-row journal opens, sorts and sums at once.
//
//   auto *grid = new RecordGrid(this);
//   grid->setObjectName("journalGrid");
//   grid->setColumns({{"会员卡号", {}, 90, CellFormat::Plain, GridFooter::label("合计次数")},
//                     {"会员姓名", {}, 80, CellFormat::Plain, GridFooter::count()},
//                     {"增减积分", {}, 55, CellFormat::Plain, GridFooter::sum()},
//                     {"时间", {}, 100, CellFormat::Time}});
//   grid->setFitColumnsToWidth(true);          // widths are shares of the grid's width
//   grid->setHint("单击列头可实现排序");
//   grid->setQuery(&TDM1::instance()->ADOQuery8);
//   ...
//   grid->print("会员档案");                     // print preview through ReportPreview
//   if (ExportGrid(grid)) Dialogs::message(...); // exportgrid.h
//
// A click on a column title sorts by that column (again: the other way round); with Ctrl
// held it adds the column as a further sort key. The titles carry the marks ▲/▼, numbered
// when there are several keys. Ctrl+F opens the find dialog. Cells are centred unless a
// column says otherwise; a column whose field the result lacks stays empty.
class RecordGrid : public QWidget
{
    Q_OBJECT
public:
    explicit RecordGrid(QWidget *parent = nullptr);
    ~RecordGrid() override;

    // The columns shown, in order. Empty (the default): every column of the result,
    // headed by its name, 80 pixels wide.
    void setColumns(const QList<GridColumn> &columns);
    QList<GridColumn> columns() const;

    // The query shown; nullptr shows nothing. The grid does not own it.
    void setQuery(SharedQuery *query);
    SharedQuery *query() const { return m_query; }
    // Runs the query again, or empties the grid when it is closed.
    void refresh();

    // Widths become shares of the view's width, kept on resizing.
    void setFitColumnsToWidth(bool fit);
    void setHint(const QString &hint);

    // Sort keys (fields of the result). Replaces the keys and runs the query again.
    void setSortKeys(const QList<SortKey> &keys);
    QList<SortKey> sortKeys() const { return m_sortKeys; }
    // What a click on a column title does; addKey is Ctrl held.
    void columnTitleClick(int column, bool addKey);
    // The statement with the grid's sort around it.
    QString sortedStatement() const;

    // Rows fetched so far, and all rows of the query (SQL count, cached per refresh).
    int fetchedRowCount() const;
    qint64 totalRowCount();
    // Fetches rows as needed; empty text past the end.
    QString cellText(int row, int column);
    QVariant value(int row, const QString &field);
    QString footerText(int column) const;
    QStringList footerTexts() const;
    bool hasFooter() const;

    int currentRow() const;
    void setCurrentRow(int row);

    // Looks for the value in the column (exactly, or as part of the cell text) from the
    // row after the current one; selects it and returns its row, or -1.
    int findNext(int column, const QString &value, bool wholeCell);
    void showFindDialog();
    GridFindDialog *findDialog() const { return m_findDialog; }

    // Print preview of every row with the heading on each page (ReportPreview::show).
    void print(const QString &heading, int headingPointSize = 13);
    GridSnapshot snapshot();

    // The export's file type (1-based), remembered while the window stays open.
    int exportFilter() const { return m_exportFilter; }
    void setExportFilter(int filter) { m_exportFilter = filter; }

    QTableView *view() const { return m_view; }
    QTableWidget *footerView() const { return m_footer; }
    RecordModel *model() const { return m_model; }

Q_SIGNALS:
    void currentRowChanged(int row);
    void rowDoubleClicked(int row);
    // After every run of the query (also when it failed or was closed).
    void refreshed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyWidths();
    void updateFooter();
    void updateMarks();
    void runQuery(bool recount = true);

    RecordModel *m_model;
    QTableView *m_view;
    QTableWidget *m_footer;
    QPointer<SharedQuery> m_query;
    QPointer<GridFindDialog> m_findDialog;
    QList<SortKey> m_sortKeys;
    QStringList m_footerTexts;
    qint64 m_total = -1;
    bool m_fit = false;
    int m_exportFilter = 5;
    Qt::KeyboardModifiers m_pressModifiers;
};
