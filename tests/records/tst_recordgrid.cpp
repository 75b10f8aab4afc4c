#include "common/reportpreview.h"
#include "data/dm1frm.h"
#include "data/sql.h"
#include "records/gridfind.h"
#include "records/gridprint.h"
#include "records/gridsql.h"
#include "records/recordgrid.h"
#include "records/recordmodel.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

// Journal rows (card, name, points, cash, date, time), written in one transaction.
void addJournal(const QList<QVariantList> &rows)
{
    TransactionGuard tx;
    for (const QVariantList &r : rows)
        Sql::exec("insert into 流水记录 (会员卡号, 会员姓名, 增减积分, 返现金, 日期, 时间, "
                  "增减原因) values (?,?,?,?,?,?,'购物消费')",
                  r);
    tx.commit();
}

void addManyJournalRows(int count)
{
    TransactionGuard tx;
    QSqlQuery q
        = Sql::exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                    "insert into 流水记录 (会员卡号, 会员姓名, 增减积分, 返现金, 日期, 时间) "
                    "select printf('C%06d', i), '会员' || (i % 97), (i % 50) * 0.1, i % 3, "
                    "'2026-03-' || printf('%02d', 1 + i % 28), '10:00:00' from n",
                    { count });
    tx.commit();
}

QList<GridColumn> journalColumns()
{
    return { { "会员卡号", {}, 90, CellFormat::Plain, GridFooter::label("合计次数") },
             { "会员姓名", {}, 80, CellFormat::Plain, GridFooter::count() },
             { "返现金", {}, 55, CellFormat::Plain, GridFooter::sum() },
             { "增减积分", "积分", 55, CellFormat::Plain, GridFooter::sum() },
             { "日期", {}, 100, CellFormat::Date },
             { "时间", {}, 100, CellFormat::Time } };
}

QStringList columnTexts(RecordGrid &grid, int column)
{
    QStringList texts;
    for (int row = 0; row < grid.totalRowCount(); ++row)
        texts << grid.cellText(row, column);
    return texts;
}

class CapturePreview : public PreviewProvider
{
public:
    CapturePreview() { ReportPreview::install(this); }
    ~CapturePreview() override { ReportPreview::install(nullptr); }
    void preview(QWidget *, const QString &title, const ReportPainter &paint) override
    {
        titles << title;
        painter = paint;
    }
    QStringList titles;
    ReportPainter painter;
};

} // namespace

class TestRecordGrid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fetchesLazilyAndSumsInSql();
    void wholeJournalSortsAndSumsReadIndexes_data();
    void wholeJournalSortsAndSumsReadIndexes();
    void cellTexts_data();
    void cellTexts();
    void sortsByOneAndByTwoColumns();
    void ctrlClickOnTitleAddsSortKey();
    void everyGridOfAQueryShowsItsRows();
    void findNextSearchesBeyondFetchedRows();
    void findDialog();
    void printsEveryRowOnNumberedPages();
    void withoutColumnsShowsTheResultsOwn();
    void partlyFetchedGridLetsSavesRun();
};

void TestRecordGrid::fetchesLazilyAndSumsInSql()
{
    Fixture fx;
    addManyJournalRows(100000);
    SharedQuery query;
    RecordGrid grid;
    grid.setColumns(journalColumns());
    grid.setQuery(&query);
    QCOMPARE(grid.fetchedRowCount(), 0);
    QCOMPARE(grid.footerText(1), QString());

    query.setStatement("select * from 流水记录 where 会员卡号 >= ?", { "C" });
    QCOMPARE(grid.fetchedRowCount(), RecordModel::BatchSize);
    // The reference sums run over the grid's own condition: a sum of doubles depends on the
    // order the engine reads the rows in, and an index may give a whole-table sum another.
    QCOMPARE(grid.footerTexts(),
             QStringList({ "合计次数", "100000",
                           Sql::text(fx.scalar("select sum(返现金) from 流水记录 where 会员卡号 >= 'C'")),
                           Sql::text(fx.scalar("select sum(增减积分) from 流水记录 where 会员卡号 >= 'C'")), "", "" }));
    QCOMPARE(grid.totalRowCount(), 100000);

    // Sorting is the engine's work too: still only the first rows are held.
    grid.setSortKeys({ { "增减积分", Qt::DescendingOrder } });
    QCOMPARE(grid.fetchedRowCount(), RecordModel::BatchSize);
    QCOMPARE(grid.cellText(0, 3), "4.9");
    QCOMPARE(grid.cellText(99999, 3), "0");
    QCOMPARE(grid.fetchedRowCount(), 100000);

    // An empty result: footer count 0 and sums 0.
    query.setStatement("select * from 流水记录 where 会员卡号 = ?", { "nobody" });
    QCOMPARE(grid.fetchedRowCount(), 0);
    QCOMPARE(grid.footerTexts(), QStringList({ "合计次数", "0", "0", "0", "", "" }));

    query.close();
    QCOMPARE(grid.fetchedRowCount(), 0);
    QCOMPARE(grid.footerText(1), QString());
}

void TestRecordGrid::cellTexts_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("shown");
    QTest::newRow("time padded") << QVariant("9:05:03") << int(CellFormat::Time) << "09:05:03";
    QTest::newRow("time of a date-time")
        << QVariant("2026-03-14 09:05:03") << int(CellFormat::Time) << "09:05:03";
    QTest::newRow("time not a time") << QVariant("下午") << int(CellFormat::Time) << "下午";
    QTest::newRow("date of a date-time")
        << QVariant("2026-03-14T09:05:03") << int(CellFormat::Date) << "2026-03-14";
    QTest::newRow("number without noise") << QVariant(0.1 + 0.2) << int(CellFormat::Plain) << "0.3";
    QTest::newRow("whole number") << QVariant(12.0) << int(CellFormat::Plain) << "12";
    QTest::newRow("null") << QVariant() << int(CellFormat::Time) << "";
    QTest::newRow("tick") << QVariant(1) << int(CellFormat::Boolean) << "是";
    QTest::newRow("no tick") << QVariant(0) << int(CellFormat::Boolean) << "否";
}

void TestRecordGrid::cellTexts()
{
    QFETCH(QVariant, stored);
    QFETCH(int, format);
    QFETCH(QString, shown);
    QCOMPARE(CellText(stored, CellFormat(format)), shown);
}

void TestRecordGrid::sortsByOneAndByTwoColumns()
{
    Fixture fx;
    addJournal({ { "A", "甲", 5, 0, "2026-03-02", "9:00:00" },
                 { "B", "乙", 1, 0, "2026-03-01", "10:00:00" },
                 { "C", "丙", 5, 0, "2026-03-01", "11:00:00" },
                 { "D", "丁", 3, 0, "2026-03-02", "12:00:00" } });
    fx.dm.ADOQuery8.setStatement("select * from 流水记录");
    RecordGrid grid;
    grid.setColumns(journalColumns());
    grid.setQuery(&fx.dm.ADOQuery8);
    const auto header = [&](int column) {
        return grid.view()->model()->headerData(column, Qt::Horizontal).toString();
    };

    grid.columnTitleClick(3, false);
    QCOMPARE(columnTexts(grid, 3), QStringList({ "1", "3", "5", "5" }));
    QCOMPARE(header(3), "积分 ▲");
    grid.columnTitleClick(3, false);
    QCOMPARE(columnTexts(grid, 3), QStringList({ "5", "5", "3", "1" }));
    QCOMPARE(header(3), "积分 ▼");

    // Points descending, then date ascending within equal points.
    grid.columnTitleClick(4, true);
    QCOMPARE(columnTexts(grid, 0), QStringList({ "C", "A", "D", "B" }));
    QCOMPARE(header(3), "积分 ▼1");
    QCOMPARE(header(4), "日期 ▲2");
    grid.columnTitleClick(4, true);
    QCOMPARE(columnTexts(grid, 0), QStringList({ "A", "C", "D", "B" }));

    // A plain click starts over with that column alone.
    grid.columnTitleClick(0, false);
    QCOMPARE(columnTexts(grid, 0), QStringList({ "A", "B", "C", "D" }));
    QCOMPARE(header(3), "积分");
    QCOMPARE(grid.sortKeys(), QList<SortKey>({ { "会员卡号", Qt::AscendingOrder } }));

    // The sort stays when the query gives new rows, and the footer sums all of them.
    fx.dm.ADOQuery8.setStatement("select * from 流水记录 where 增减积分 > ?", { 2 });
    QCOMPARE(columnTexts(grid, 0), QStringList({ "A", "C", "D" }));
    QCOMPARE(grid.footerText(3), "13");
    // A query lacking the sort field shows its rows unsorted instead of failing.
    fx.dm.ADOQuery8.setStatement("select 会员姓名, 增减积分 from 流水记录");
    QCOMPARE(grid.totalRowCount(), 4);
    QVERIFY(grid.sortKeys().isEmpty());
    QCOMPARE(grid.cellText(0, 0), QString());
    QCOMPARE(grid.cellText(0, 1), "甲");
}

void TestRecordGrid::ctrlClickOnTitleAddsSortKey()
{
    Fixture fx;
    addJournal({ { "A", "甲", 5, 0, "2026-03-02", "9:00:00" },
                 { "B", "乙", 5, 0, "2026-03-01", "10:00:00" },
                 { "C", "丙", 1, 0, "2026-03-03", "11:00:00" } });
    fx.dm.ADOQuery8.setStatement("select * from 流水记录");
    RecordGrid grid;
    grid.setColumns(journalColumns());
    grid.setQuery(&fx.dm.ADOQuery8);
    grid.resize(700, 300);
    grid.show();
    QHeaderView *header = grid.view()->horizontalHeader();
    const auto click = [&](int column, Qt::KeyboardModifiers modifiers) {
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, at);
    };
    click(3, Qt::NoModifier);
    click(3, Qt::NoModifier);
    click(4, Qt::ControlModifier);
    QCOMPARE(
        grid.sortKeys(),
        QList<SortKey>({ { "增减积分", Qt::DescendingOrder }, { "日期", Qt::AscendingOrder } }));
    QCOMPARE(columnTexts(grid, 0), QStringList({ "B", "A", "C" }));
    click(1, Qt::NoModifier);
    QCOMPARE(grid.sortKeys(), QList<SortKey>({ { "会员姓名", Qt::AscendingOrder } }));
}

void TestRecordGrid::everyGridOfAQueryShowsItsRows()
{
    Fixture fx;
    addJournal({ { "A", "甲", 5, 0, "2026-03-02", "9:00:00" },
                 { "B", "乙", 1, 0, "2026-03-01", "10:00:00" } });
    RecordGrid first, second;
    first.setColumns(journalColumns());
    second.setColumns(journalColumns());
    // The data module's queries start closed, statement or not.
    first.setQuery(&fx.dm.ADOQuery8);
    second.setQuery(&fx.dm.ADOQuery8);
    QVERIFY(!fx.dm.ADOQuery8.isOpen());
    QCOMPARE(first.fetchedRowCount(), 0);

    fx.dm.ADOQuery8.setStatement("select * from 流水记录 where 会员卡号 = ?", { "B" });
    QCOMPARE(columnTexts(first, 0), QStringList({ "B" }));
    QCOMPARE(columnTexts(second, 0), QStringList({ "B" }));

    // A statement the engine refuses reaches the caller, and the grids empty.
    QVERIFY_THROWS_EXCEPTION(
        DbError, fx.dm.ADOQuery8.setStatement("select * from 流水记录 where 无此列 = 1"));
    QVERIFY(!fx.dm.ADOQuery8.isOpen());
    QCOMPARE(first.fetchedRowCount(), 0);
    QCOMPARE(second.fetchedRowCount(), 0);

    // A save elsewhere shows in every grid on refresh.
    fx.dm.ADOQuery8.setStatement("select * from 流水记录");
    addJournal({ { "C", "丙", 2, 0, "2026-03-03", "9:00:00" } });
    fx.dm.ADOQuery8.refresh();
    QCOMPARE(second.totalRowCount(), 3);
    QCOMPARE(second.footerText(1), "3");
}

void TestRecordGrid::findNextSearchesBeyondFetchedRows()
{
    Fixture fx;
    addManyJournalRows(1000);
    fx.dm.ADOQuery8.setStatement("select * from 流水记录");
    RecordGrid grid;
    grid.setColumns(journalColumns());
    grid.setQuery(&fx.dm.ADOQuery8);
    QCOMPARE(grid.fetchedRowCount(), RecordModel::BatchSize);

    QCOMPARE(grid.findNext(0, "c000700", true), 699);
    QCOMPARE(grid.currentRow(), 699);
    QVERIFY(grid.fetchedRowCount() < 1000);
    // Part of the text, from the row after the current one.
    QCOMPARE(grid.findNext(0, "0070", false), 700);
    QCOMPARE(grid.findNext(0, "C000700", true), -1);
    QCOMPARE(grid.currentRow(), 700);
    // In the grid's own order.
    grid.setSortKeys({ { "会员卡号", Qt::DescendingOrder } });
    QCOMPARE(grid.findNext(0, "C000999", true), 1);
    QCOMPARE(grid.findNext(1, "会员0", true), 30);
    QCOMPARE(grid.cellText(30, 0), "C000970");
}

void TestRecordGrid::findDialog()
{
    Fixture fx;
    addJournal({ { "A", "甲", 5, 0, "2026-03-02", "9:00:00" },
                 { "B", "乙", 1, 0, "2026-03-01", "10:00:00" } });
    fx.dm.ADOQuery8.setStatement("select * from 流水记录");
    RecordGrid grid;
    grid.setColumns(journalColumns());
    grid.setQuery(&fx.dm.ADOQuery8);
    grid.show();
    grid.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    grid.view()->setFocus();
    QTest::keyClick(grid.view(), Qt::Key_F, Qt::ControlModifier);
    GridFindDialog *dialog = grid.findDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->columnBox->count(), 6);
    QCOMPARE(dialog->columnBox->itemText(3), "积分");
    dialog->columnBox->setCurrentIndex(1);
    dialog->wholeCellBox->setChecked(true);
    dialog->valueEdit->setText("乙");
    dialog->findNextButton->click();
    QCOMPARE(grid.currentRow(), 1);
    QVERIFY(fx.dialogs.messages.isEmpty());
    dialog->findNextButton->click();
    QCOMPARE(fx.dialogs.lastText(), "找不到“乙”！");
    QCOMPARE(grid.currentRow(), 1);
}

void TestRecordGrid::printsEveryRowOnNumberedPages()
{
    Fixture fx;
    addManyJournalRows(250);
    fx.dm.ADOQuery8.setStatement("select * from 流水记录");
    RecordGrid grid;
    grid.setColumns(journalColumns());
    grid.setQuery(&fx.dm.ADOQuery8);
    grid.setSortKeys({ { "会员卡号", Qt::DescendingOrder } });
    CapturePreview capture;
    grid.print("会员档案");
    QCOMPARE(capture.titles, QStringList({ "会员档案" }));

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("grid.pdf"));
    GridPrinter layout(grid.snapshot(), "会员档案");
    const QList<PrintedPage> pages = layout.pages(&printer);
    QVERIFY(pages.size() > 2);
    int rows = 0;
    for (const PrintedPage &p : pages) {
        QCOMPARE(p.pageFooter, QString("第%1页 共%2页").arg(p.number).arg(pages.size()));
        QCOMPARE(p.footerRow, p.number == pages.size());
        rows += int(p.rows.size());
    }
    QCOMPARE(rows, 250);
    QCOMPARE(pages.first().rows.first(),
             QStringList({ "C000250", "会员56", "1", "0", "2026-03-27", "10:00:00" }));
    QCOMPARE(pages.last().rows.last().first(), "C000001");
    // Columns share the page's width between the 2 mm margins.
    int width = 0;
    for (int w : layout.columnWidths(&printer))
        width += w;
    QCOMPARE(width, printer.pageRect(QPrinter::DevicePixel).toRect().width());
    QCOMPARE(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(2, 2, 2, 2));

    // The preview's painter draws the same pages.
    capture.painter(&printer);
    QFile pdf(dir.filePath("grid.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(pdf.readAll().count("/Type /Page\n"), pages.size());
}

void TestRecordGrid::withoutColumnsShowsTheResultsOwn()
{
    Fixture fx;
    addJournal({ { "A", "甲", 5, 0, "2026-03-02", "9:00:00" } });
    SharedQuery query;
    RecordGrid grid;
    grid.setQuery(&query);
    query.setStatement("select 会员卡号, 增减积分 as 积分 from 流水记录");
    QCOMPARE(grid.columns().size(), 2);
    QCOMPARE(grid.view()->model()->headerData(1, Qt::Horizontal).toString(), "积分");
    QCOMPARE(grid.value(0, "积分").toDouble(), 5.0);
    QVERIFY(!grid.hasFooter());
    QVERIFY(!grid.footerView()->isVisible());
}

void TestRecordGrid::partlyFetchedGridLetsSavesRun()
{
    Fixture fx;
    addManyJournalRows(1000);
    fx.dm.ADOQuery8.setStatement("select * from 流水记录");
    RecordGrid grid;
    grid.setColumns(journalColumns());
    grid.setQuery(&fx.dm.ADOQuery8);
    QCOMPARE(grid.fetchedRowCount(), RecordModel::BatchSize);
    // The grid's open cursor must not stand in the way of a save, a rolled-back save or a
    // backup's write lock, and it reads on afterwards.
    {
        TransactionGuard tx;
        fx.exec("update 会员卡信息 set 积分 = round(积分 + ?, 2)", { 1 });
        fx.exec("insert into 消费记录 (会员卡号) values ('X')");
        tx.commit();
    }
    {
        TransactionGuard rolledBack;
        fx.exec("insert into 消费记录 (会员卡号) values ('Y')");
    }
    QCOMPARE(fx.count("消费记录"), 1);
    QCOMPARE(grid.cellText(999, 0), "C001000");
    QCOMPARE(grid.fetchedRowCount(), 1000);
}

void TestRecordGrid::wholeJournalSortsAndSumsReadIndexes_data()
{
    QTest::addColumn<QString>("statement");
    // Every column of the journal window, as a click on its title sorts all rows.
    for (const char *column : { "会员卡号", "会员姓名", "商品", "兑换礼品", "返现金", "增减积分",
                                "增减原因", "退/换货说明", "日期", "时间", "经手人" }) {
        for (const Qt::SortOrder order : { Qt::AscendingOrder, Qt::DescendingOrder })
            QTest::addRow("sort by %s %s", column, order == Qt::AscendingOrder ? "asc" : "desc")
                << GridSql::sorted("select * from 流水记录", { { column, order } });
    }
    QTest::newRow("footer") << GridSql::footer("select * from 流水记录", { "返现金", "增减积分" });
}

// A sort or a sum over millions of rows must read an index, never sort or read the table.
void TestRecordGrid::wholeJournalSortsAndSumsReadIndexes()
{
    QFETCH(QString, statement);
    Fixture fx;
    QSqlQuery q = Sql::exec("explain query plan " + statement);
    QStringList plan;
    while (q.next())
        plan << q.value(3).toString();
    const QString text = plan.join(" / ");
    QVERIFY2(text.contains("USING INDEX") || text.contains("USING COVERING INDEX"), qPrintable(text));
    QVERIFY2(!text.contains("TEMP B-TREE"), qPrintable(text));
}

HYJF_TEST_MAIN(TestRecordGrid)
#include "tst_recordgrid.moc"
