#include "app/mainfrm.h"
#include "data/dm1frm.h"
#include "data/sql.h"
#include "records/recordgrid.h"
#include "records/xiangxijilufrm.h"
#include "records/xiaofeijilufrm.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>

namespace {

// The same rows in both tables: (card, name, date, amount).
void addRows(Fixture &fx)
{
    const QList<QVariantList> rows {
        { "A", "张三", "2026-03-01", 1.5 },  { "A", "张三", "2026-03-10", 2.25 },
        { "B", "李四", "2026-03-10", 4 },    { "A", "张三", "2026-03-14", 8 },
        { "B", "李四", "2026-03-20", 16 },   { "", "", "2026-03-12", 32 },
        { "A'--", "王五", "2026-03-12", 64 }
    };
    for (const QVariantList &r : rows) {
        fx.exec("insert into 流水记录 (会员卡号, 会员姓名, 日期, 增减积分, 返现金, 时间) values "
                "(?,?,?,?,?,'10:00:00')",
                { r[0], r[1], r[2], r[3], r[3].toDouble() / 2 });
        fx.exec("insert into 消费记录 (会员卡号, 会员姓名, 日期, 消费金额, 数量, 时间) values "
                "(?,?,?,?,1,'10:00:00')",
                r);
    }
}

std::unique_ptr<RecordFilterWindow> openWindow(bool journal)
{
    if (journal)
        return std::make_unique<Txiangxijilu>();
    return std::make_unique<Txiaofeijilu>();
}

int column(RecordFilterWindow &w, const QString &field)
{
    const QList<GridColumn> columns = w.recordGrid->columns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).field == field)
            return i;
    return -1;
}

QStringList cards(RecordFilterWindow &w)
{
    QStringList result;
    for (int row = 0; row < w.recordGrid->totalRowCount(); ++row)
        result << w.recordGrid->cellText(row, column(w, "会员卡号"));
    return result;
}

QString footer(RecordFilterWindow &w, const QString &field)
{
    return w.recordGrid->footerText(column(w, field));
}

} // namespace

class TestRecordViews : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openingState_data();
    void openingState();
    void filterCombinations_data();
    void filterCombinations();
    void typedColumnMustBeATableColumn_data();
    void typedColumnMustBeATableColumn();
    void journalShowsWhatItsQueryHolds();
    void enterRunsTheJournalQueryOnly();
    void exportMessages_data();
    void exportMessages();
    void openedFromTheMenuAndTheDetailButton();
};

void TestRecordViews::openingState_data()
{
    QTest::addColumn<bool>("journal");
    QTest::newRow("journal") << true;
    QTest::newRow("consumption") << false;
}

void TestRecordViews::openingState()
{
    QFETCH(bool, journal);
    Fixture fx;
    addRows(fx);
    // The consumption view closes its query: a listing left from before does not show.
    fx.dm.ADOQuery12.setStatement("select * from 消费记录");
    auto w = openWindow(journal);
    QCOMPARE(w->childPosition(), QPoint(0, 0));
    QCOMPARE(w->childSize(), journal ? QSize(1017, 601) : QSize(1019, 601));
    QCOMPARE(w->columnBox->currentIndex(), 0);
    QCOMPARE(w->columnBox->count(), journal ? 4 : 2);
    QVERIFY(w->columnBox->isEditable());
    QVERIFY(w->valueEdit->text().isEmpty());
    QCOMPARE(w->fromDateEdit->date(), QDate(2026, 3, 14));
    QCOMPARE(w->toDateEdit->date(), QDate(2026, 3, 14));
    QVERIFY(!w->allDatesBox->isChecked());
    QVERIFY(!w->allMembersBox->isChecked());
    QCOMPARE(w->allDatesBox->text(), journal ? "显示全部日期" : "查询全部日期");
    QCOMPARE(w->queryButton->text(), journal ? "查询" : "开始查询");
    QCOMPARE(w->recordGrid->fetchedRowCount(), 0);
    QCOMPARE(w->recordGrid->view()->toolTip(), "单击列头可实现排序");
    QStringList headings;
    for (const GridColumn &c : w->recordGrid->columns())
        headings << c.heading();
    QCOMPARE(
        headings,
        journal ? QStringList({ "会员卡号", "会员姓名", "商品", "兑换礼品", "返现金", "增减积分",
                                "增减原因", "退/换货说明", "日期", "时间", "经手人" })
                : QStringList({ "单据号", "会员卡号", "会员姓名", "商品", "单位", "数量",
                                "消费金额", "增减原因", "退/换货说明", "日期", "时间", "经手人" }));
}

void TestRecordViews::filterCombinations_data()
{
    QTest::addColumn<bool>("journal");
    QTest::addColumn<bool>("allDates");
    QTest::addColumn<bool>("allMembers");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<double>("sum");
    const QDate d10(2026, 3, 10), d14(2026, 3, 14), d1(2026, 3, 1), d31(2026, 3, 31);
    for (const bool journal : { true, false }) {
        const char *w = journal ? "journal" : "consumption";
        QTest::addRow("%s: everything", w)
            << journal << true << true << "会员卡号"
            << "A" << d10 << d14 << QStringList({ "A", "A", "B", "A", "B", "", "A'--" }) << 127.75;
        QTest::addRow("%s: one member, all dates", w)
            << journal << true << false << "会员卡号"
            << "A" << d10 << d14 << QStringList({ "A", "A", "A" }) << 11.75;
        QTest::addRow("%s: dates, both ends included", w)
            << journal << false << true << "会员卡号"
            << "A" << d10 << d14 << QStringList({ "A", "B", "A", "", "A'--" }) << 110.25;
        QTest::addRow("%s: member and dates", w)
            << journal << false << false << "会员卡号"
            << "A" << d10 << d14 << QStringList({ "A", "A" }) << 10.25;
        QTest::addRow("%s: reversed range", w) << journal << false << true << "会员卡号"
                                               << "A" << d14 << d10 << QStringList() << 0.0;
        QTest::addRow("%s: empty value matches empty cells", w)
            << journal << false << false << "会员卡号"
            << "" << d1 << d31 << QStringList({ "" }) << 32.0;
        QTest::addRow("%s: quote in the value", w)
            << journal << true << false << "会员卡号"
            << "A'--" << d1 << d1 << QStringList({ "A'--" }) << 64.0;
        QTest::addRow("%s: by name", w) << journal << false << false << "会员姓名"
                                        << "李四" << d1 << d31 << QStringList({ "B", "B" }) << 20.0;
        QTest::addRow("%s: part of a name", w) << journal << true << false << "会员姓名"
                                               << "李" << d1 << d31 << QStringList() << 0.0;
    }
}

void TestRecordViews::filterCombinations()
{
    QFETCH(bool, journal);
    QFETCH(bool, allDates);
    QFETCH(bool, allMembers);
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, listed);
    QFETCH(double, sum);
    Fixture fx;
    addRows(fx);
    auto w = openWindow(journal);
    w->allDatesBox->setChecked(allDates);
    w->allMembersBox->setChecked(allMembers);
    w->columnBox->setCurrentText(column);
    w->valueEdit->setText(value);
    w->fromDateEdit->setDate(from);
    w->toDateEdit->setDate(to);
    w->queryButton->click();
    QVERIFY(fx.dialogs.messages.isEmpty());
    QStringList shown = cards(*w);
    shown.sort();
    listed.sort();
    QCOMPARE(shown, listed);
    QCOMPARE(footer(*w, "会员姓名"), QString::number(listed.size()));
    QCOMPARE(footer(*w, "会员卡号"), "合计次数");
    if (journal) {
        QCOMPARE(footer(*w, "增减积分"), Sql::text(sum));
        QCOMPARE(footer(*w, "返现金"), Sql::text(sum / 2));
        QCOMPARE(footer(*w, "兑换礼品"), "合计");
    } else {
        QCOMPARE(footer(*w, "消费金额"), Sql::text(sum));
        QCOMPARE(footer(*w, "数量"), "合计金额");
    }
}

void TestRecordViews::typedColumnMustBeATableColumn_data()
{
    QTest::addColumn<bool>("journal");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("journal: made-up name") << true << "卡号" << false;
    QTest::newRow("journal: injection") << true << "1=1 or 会员卡号" << false;
    QTest::newRow("journal: quoted name") << true << "\"会员卡号\"" << false;
    QTest::newRow("journal: empty") << true << "" << false;
    QTest::newRow("journal: other real column") << true << "增减原因" << true;
    QTest::newRow("consumption: made-up name") << false << "会员卡号 --" << false;
    QTest::newRow("consumption: other real column") << false << "单位" << true;
}

void TestRecordViews::typedColumnMustBeATableColumn()
{
    QFETCH(bool, journal);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    Fixture fx;
    addRows(fx);
    auto w = openWindow(journal);
    SharedQuery &query = journal ? fx.dm.ADOQuery8 : fx.dm.ADOQuery12;
    query.setStatement("select * from 消费记录 where 会员卡号 = 'B'");
    w->allDatesBox->setChecked(true);
    w->columnBox->setCurrentText(typed);
    w->valueEdit->setText("A");
    w->queryButton->click();
    if (accepted) {
        QVERIFY(fx.dialogs.messages.isEmpty());
        QVERIFY(query.statement().contains(typed));
        return;
    }
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, "提示");
    QCOMPARE(fx.dialogs.messages.first().text, QString("“%1”不是可查询的列！").arg(typed));
    QCOMPARE(query.statement(), "select * from 消费记录 where 会员卡号 = 'B'");
    // With every member listed, the column is not used and not checked.
    fx.dialogs.clear();
    w->allMembersBox->setChecked(true);
    w->queryButton->click();
    QVERIFY(fx.dialogs.messages.isEmpty());
    QCOMPARE(w->recordGrid->totalRowCount(), 7);
}

void TestRecordViews::journalShowsWhatItsQueryHolds()
{
    Fixture fx;
    addRows(fx);
    // Before any use of the journal query: an empty grid, no query run.
    auto empty = std::make_unique<Txiangxijilu>();
    QCOMPARE(empty->recordGrid->fetchedRowCount(), 0);
    empty.reset();

    // A business window's "详细记录" sets the query, then opens the window.
    fx.dm.ADOQuery8.setStatement("select * from 流水记录 where 会员卡号=?", { "B" });
    Txiangxijilu detail;
    QCOMPARE(cards(detail), QStringList({ "B", "B" }));
    QCOMPARE(detail.valueEdit->text(), QString());

    // A second journal window shows the same query; a query in either changes both.
    Txiangxijilu history;
    QCOMPARE(cards(history), QStringList({ "B", "B" }));
    history.allDatesBox->setChecked(true);
    history.valueEdit->setText("A");
    history.queryButton->click();
    QCOMPARE(cards(detail), QStringList({ "A", "A", "A" }));
    QCOMPARE(footer(detail, "增减积分"), "11.75");
}

void TestRecordViews::enterRunsTheJournalQueryOnly()
{
    Fixture fx;
    addRows(fx);
    for (const bool journal : { true, false }) {
        auto w = openWindow(journal);
        w->allDatesBox->setChecked(true);
        w->allMembersBox->setChecked(true);
        QTest::keyClick(w->valueEdit, Qt::Key_Return);
        QCOMPARE(w->recordGrid->totalRowCount(), journal ? 7 : 0);
    }
}

void TestRecordViews::exportMessages_data()
{
    QTest::addColumn<bool>("journal");
    QTest::addColumn<QString>("caption");
    QTest::newRow("journal") << true << "提示";
    QTest::newRow("consumption") << false << "提示！";
}

void TestRecordViews::exportMessages()
{
    QFETCH(bool, journal);
    QFETCH(QString, caption);
    Fixture fx;
    addRows(fx);
    auto w = openWindow(journal);
    w->allDatesBox->setChecked(true);
    w->allMembersBox->setChecked(true);
    w->queryButton->click();
    QTemporaryDir dir;
    fx.dialogs.fileNames << dir.filePath("rows.csv");
    fx.dialogs.filterChoices << 2;
    w->excelButton->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, caption);
    QCOMPARE(fx.dialogs.messages.first().text, "导出数据成功！");
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Information);
    QVERIFY(QFile::exists(dir.filePath("rows.csv")));

    // A file that cannot be written reaches the error dialog; no success message.
    fx.dialogs.clear();
    fx.dialogs.fileNames << dir.filePath("missing/rows");
    w->show();
    QTest::mouseClick(w->excelButton, Qt::LeftButton);
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
    QVERIFY(fx.dialogs.messages.first().text.contains("missing/rows.csv"));
}

void TestRecordViews::openedFromTheMenuAndTheDetailButton()
{
    Fixture fx;
    addRows(fx);
    fx.dm.close();
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    QVERIFY(main.issueMenuCommand("会员积分增减历史记录"));
    QMdiSubWindow *history = main.clientArea()->activeSubWindow();
    QVERIFY(qobject_cast<Txiangxijilu *>(history->widget()));
    QVERIFY(!(history->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(history->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(history->geometry().topLeft(), QPoint(0, 0));

    // "详细记录" of a business window: the member's rows, under a title of its own.
    TDM1::instance()->ADOQuery8.setStatement("select * from 流水记录 where 会员卡号=?", { "A" });
    main.openChildWindow("会员积分增减详细记录", "Txiangxijilu");
    auto *detail = qobject_cast<Txiangxijilu *>(main.clientArea()->activeSubWindow()->widget());
    QVERIFY(detail && detail != history->widget());
    QCOMPARE(cards(*detail), QStringList({ "A", "A", "A" }));
    QCOMPARE(cards(*static_cast<Txiangxijilu *>(history->widget())),
             QStringList({ "A", "A", "A" }));

    QVERIFY(main.issueMenuCommand("会员消费记录"));
    QMdiSubWindow *consumption = main.clientArea()->activeSubWindow();
    QCOMPARE(consumption->windowTitle(), "查询会员消费记录");
    QVERIFY(qobject_cast<Txiaofeijilu *>(consumption->widget()));
    QVERIFY(!(consumption->windowFlags() & Qt::WindowMaximizeButtonHint));
    main.clientArea()->closeAllSubWindows();
    main.setAttribute(Qt::WA_DeleteOnClose, false);
}

HYJF_TEST_MAIN(TestRecordViews)
#include "tst_recordviews.moc"
