#include "data/dm1frm.h"
#include "data/sql.h"
#include "readback.h"
#include "records/exportgrid.h"
#include "records/recordgrid.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QList<GridColumn> columns()
{
    return { { "会员卡号", "卡号", 90 },
             { "会员姓名", {}, 80 },
             { "退/换货说明", {}, 120 },
             { "增减积分", {}, 55 },
             { "时间", {}, 70, CellFormat::Time } };
}

const QStringList titles { "卡号", "会员姓名", "退/换货说明", "增减积分", "时间" };

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Rows of cell texts as a file of the format holds them, titles first.
Readback::Table readBack(const QString &path, ExportFormat format)
{
    switch (format) {
    case ExportFormat::Text:
        return Readback::delimited(readAll(path), QLatin1Char('\t'));
    case ExportFormat::Csv:
        return Readback::delimited(readAll(path), QLatin1Char(','));
    case ExportFormat::Html:
        return Readback::html(QString::fromUtf8(readAll(path)));
    case ExportFormat::Rtf:
        return Readback::rtf(readAll(path));
    case ExportFormat::Excel: {
        Readback::Table table;
        for (const auto &row : Readback::xlsxSheet(path)) {
            QStringList cells;
            for (const Readback::SheetCell &c : row)
                cells << c.text;
            while (cells.size() < titles.size())
                cells << QString();
            table << cells;
        }
        return table;
    }
    }
    return {};
}

struct GridOnQuery
{
    SharedQuery query;
    RecordGrid grid;
    GridOnQuery()
    {
        grid.setColumns(columns());
        grid.setQuery(&query);
    }
};

} // namespace

class TestExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void extensionRule_data();
    void extensionRule();
    void dialogProposesFile1AndKeepsTheType();
    void cancelAndRefusedReplaceWriteNothing();
    void emptyGridInEveryFormat_data();
    void emptyGridInEveryFormat();
    void awkwardCellsReadBack_data();
    void awkwardCellsReadBack();
    void largeExportHoldsEveryRow_data();
    void largeExportHoldsEveryRow();
    void failuresLeaveTheTargetAlone();
};

void TestExport::extensionRule_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("written");
    QTest::newRow("default name, Excel") << "file1" << 5 << "file1.xlsx";
    QTest::newRow("own extension in capitals") << "report.XLSX" << 5 << "report.XLSX";
    QTest::newRow("other extension") << "report.csv" << 5 << "report.csv.xlsx";
    QTest::newRow("old Excel name") << "report.xls" << 5 << "report.xls.xlsx";
    QTest::newRow("text") << "report" << 1 << "report.txt";
    QTest::newRow("csv kept") << "a.Csv" << 2 << "a.Csv";
    QTest::newRow("html") << "b.html" << 3 << "b.html.htm";
    QTest::newRow("rtf") << "c.rtf.doc" << 4 << "c.rtf.doc.rtf";
}

void TestExport::extensionRule()
{
    QFETCH(QString, chosen);
    QFETCH(int, format);
    QFETCH(QString, written);
    QCOMPARE(GridExport::fileName(chosen, ExportFormat(format)), written);
}

void TestExport::dialogProposesFile1AndKeepsTheType()
{
    Fixture fx;
    fx.exec("insert into 流水记录 (会员卡号, 增减积分) values ('A', 1)");
    GridOnQuery g;
    g.query.setStatement("select * from 流水记录");
    QTemporaryDir dir;
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(dir.path());

    fx.dialogs.fileNames << "file1";
    QVERIFY(ExportGrid(&g.grid));
    QVERIFY(QFile::exists(dir.filePath("file1.xlsx")));
    QCOMPARE(fx.dialogs.initialNames, QStringList({ "file1" }));
    QCOMPARE(fx.dialogs.fileFilters,
             QStringList({ "文本|*.TXT|CSV|*.CSV|HTLM|*.HTM|RTF|*.RTF|XLS|*.XLSX" }));
    QCOMPARE(fx.dialogs.shownFilters, QList<int>({ 5 }));

    fx.dialogs.fileNames << dir.filePath("report");
    fx.dialogs.filterChoices << 1;
    QVERIFY(ExportGrid(&g.grid));
    QVERIFY(QFile::exists(dir.filePath("report.txt")));
    // The type chosen last is shown next time.
    fx.dialogs.fileNames << dir.filePath("again");
    QVERIFY(ExportGrid(&g.grid));
    QCOMPARE(fx.dialogs.shownFilters, QList<int>({ 5, 5, 1 }));
    QVERIFY(QFile::exists(dir.filePath("again.txt")));
    QVERIFY(fx.dialogs.messages.isEmpty());
    QDir::setCurrent(oldCurrent);
}

void TestExport::cancelAndRefusedReplaceWriteNothing()
{
    Fixture fx;
    GridOnQuery g;
    g.query.setStatement("select * from 流水记录");
    QVERIFY(!ExportGrid(&g.grid));
    QVERIFY(fx.dialogs.messages.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath("old.csv");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    fx.dialogs.fileNames << path;
    fx.dialogs.filterChoices << 2;
    fx.dialogs.answers << MsgResult::Cancel;
    QVERIFY(!ExportGrid(&g.grid));
    QCOMPARE(fx.dialogs.lastText(), "old.csv 已存在。\n要替换它吗？");
    QCOMPARE(readAll(path), QByteArray("keep me"));

    fx.dialogs.fileNames << path;
    QVERIFY(ExportGrid(&g.grid));
    QCOMPARE(readBack(path, ExportFormat::Csv), Readback::Table({ titles }));
}

void TestExport::emptyGridInEveryFormat_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("closed");
    for (int f = 1; f <= 5; ++f) {
        QTest::addRow("format %d, closed query", f) << f << true;
        QTest::addRow("format %d, no rows", f) << f << false;
    }
}

void TestExport::emptyGridInEveryFormat()
{
    QFETCH(int, format);
    QFETCH(bool, closed);
    Fixture fx;
    GridOnQuery g;
    if (!closed)
        g.query.setStatement("select * from 流水记录");
    QTemporaryDir dir;
    fx.dialogs.fileNames << dir.filePath("empty");
    fx.dialogs.filterChoices << format;
    QVERIFY(ExportGrid(&g.grid));
    const QString path = GridExport::fileName(dir.filePath("empty"), ExportFormat(format));
    QVERIFY(QFile::exists(path));
    QCOMPARE(readBack(path, ExportFormat(format)), Readback::Table({ titles }));
}

void TestExport::awkwardCellsReadBack_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("text") << 1;
    QTest::newRow("csv") << 2;
    QTest::newRow("html") << 3;
    QTest::newRow("rtf") << 4;
    QTest::newRow("xlsx") << 5;
}

void TestExport::awkwardCellsReadBack()
{
    QFETCH(int, format);
    Fixture fx;
    const QList<QVariantList> rows {
        { "A,1", "他说\"好\"", "a\tb", 12.5, "9:05:03" },
        { "<b>&amp;</b>", "{王} \\par 五", "第一行\n第二行", -3.75, "23:59:59" },
        { "'; drop table 流水记录; --", "𠀀张", "", 0, QVariant() },
        { "\"", ",", "\"\"", 100000, "00:00:00" },
    };
    for (const QVariantList &r : rows)
        fx.exec("insert into 流水记录 (会员卡号, 会员姓名, \"退/换货说明\", 增减积分, 时间) values "
                "(?,?,?,?,?)",
                r);
    GridOnQuery g;
    g.query.setStatement("select * from 流水记录");
    QTemporaryDir dir;
    const QString path = GridExport::fileName(dir.filePath("cells"), ExportFormat(format));
    QVERIFY(GridExport::write(g.grid.snapshot(), path, ExportFormat(format)));

    Readback::Table expected { titles };
    for (const QVariantList &r : rows)
        expected << QStringList { r[0].toString(), r[1].toString(), r[2].toString(),
                                  Sql::text(r[3]), CellText(r[4], CellFormat::Time) };
    QCOMPARE(readBack(path, ExportFormat(format)), expected);

    const QByteArray bytes = readAll(path);
    switch (ExportFormat(format)) {
    case ExportFormat::Csv:
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.contains("\"他说\"\"好\"\"\""));
        break;
    case ExportFormat::Html:
        QVERIFY(bytes.contains("<meta charset=\"utf-8\">"));
        QVERIFY(bytes.contains("&lt;b&gt;&amp;amp;&lt;/b&gt;"));
        break;
    case ExportFormat::Rtf:
        // Plain ASCII: every Chinese character is a \u escape.
        for (const char c : bytes)
            QVERIFY(uchar(c) < 0x80);
        QVERIFY(bytes.contains("\\{\\u29579?\\} \\\\par"));
        break;
    case ExportFormat::Excel: {
        const Readback::Sheet sheet = Readback::xlsxSheet(path);
        QVERIFY(sheet.at(1).at(3).number);
        QCOMPARE(sheet.at(1).at(3).text.toDouble(), 12.5);
        QVERIFY(!sheet.at(1).at(0).number);
        QVERIFY(!sheet.at(1).at(4).number);
        break;
    }
    default:
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    }
}

void TestExport::largeExportHoldsEveryRow_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("csv") << 2;
    QTest::newRow("xlsx") << 5;
}

void TestExport::largeExportHoldsEveryRow()
{
    QFETCH(int, format);
    Fixture fx;
    {
        TransactionGuard tx;
        fx.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < 200000) "
                "insert into 流水记录 (会员卡号, 会员姓名, 增减积分, 时间) select 'C' || i, "
                "'会员', i * 0.5, '10:00:00' from n");
        tx.commit();
    }
    GridOnQuery g;
    g.query.setStatement("select * from 流水记录");
    QCOMPARE(g.grid.fetchedRowCount(), 256);
    QTemporaryDir dir;
    const QString path = GridExport::fileName(dir.filePath("big"), ExportFormat(format));
    fx.dialogs.fileNames << path;
    fx.dialogs.filterChoices << format;
    bool progressShown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &g.grid, [&] {
        if (auto *d = g.grid.findChild<QProgressDialog *>("exportProgress"))
            progressShown |= d->maximum() == 200000;
    });
    poll.start(0);
    QVERIFY(ExportGrid(&g.grid));
    poll.stop();
    QVERIFY(progressShown);
    QVERIFY(!g.grid.findChild<QProgressDialog *>("exportProgress"));
    // Only the grid's first rows were ever held; the file has them all.
    QCOMPARE(g.grid.fetchedRowCount(), 256);
    if (ExportFormat(format) == ExportFormat::Csv) {
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes.count("\r\n"), 200001);
        QVERIFY(bytes.endsWith("C200000,会员,,100000,10:00:00\r\n"));
    } else {
        const Readback::Sheet sheet = Readback::xlsxSheet(path);
        QCOMPARE(sheet.size(), 200001);
        QCOMPARE(sheet.last().at(0).text, "C200000");
        QCOMPARE(sheet.last().at(3).text.toDouble(), 100000.0);
    }
}

void TestExport::failuresLeaveTheTargetAlone()
{
    Fixture fx;
    fx.exec("insert into 流水记录 (会员卡号) values ('A')");
    GridOnQuery g;
    g.query.setStatement("select * from 流水记录");
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(
        ExportError,
        GridExport::write(g.grid.snapshot(), dir.filePath("no/such/x.csv"), ExportFormat::Csv));
    QVERIFY_THROWS_EXCEPTION(
        ExportError,
        GridExport::write(g.grid.snapshot(), dir.filePath("no/such/x.xlsx"), ExportFormat::Excel));

    // A stopped export keeps the file that was there, in every format.
    for (int f = 1; f <= 5; ++f) {
        const QString path = dir.filePath(QString("kept%1").arg(f));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
        file.close();
        QVERIFY(!GridExport::write(g.grid.snapshot(), path, ExportFormat(f),
                                   [](qint64) { return false; }));
        QCOMPARE(readAll(path), QByteArray("old"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

HYJF_TEST_MAIN(TestExport)
#include "tst_export.moc"
