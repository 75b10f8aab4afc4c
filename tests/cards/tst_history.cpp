#include "app/mainfrm.h"
#include "cards/guashilishifrm.h"
#include "cards/koutoujilufrm.h"
#include "data/dm1frm.h"
#include "records/recordgrid.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/testmain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace {

// A card replaced twice, A to B to C, and a second member's replacement D to E.
void addReplacements(Fixture &fx)
{
    const QList<QVariantList> rows { { "A", "B", "张三", 12.5, "2026-03-01", "9:00:00", "0001" },
                                     { "B", "C", "张三", 20, "2026-03-05", "10:00:00", "0002" },
                                     { "D", "E", "李四", 0, "2026-03-06", "11:00:00", "0001" } };
    for (const QVariantList &r : rows)
        fx.exec("insert into 挂失记录 (旧卡号, 新卡号, 会员姓名, 原有积分, 日期, 时间, 经手人) "
                "values (?,?,?,?,?,?,?)",
                r);
}

// One cancelled report, one closed by a replacement, one open.
void addLossReports(Fixture &fx)
{
    fx.exec("insert into 口头挂失记录 values ('A', '张三', '2026-03-01', '9:00:00', '0001', "
            "'2026-03-02', '9:30:00', '0002')");
    fx.exec("insert into 口头挂失记录 values ('B', '张三', '2026-03-04', '8:00:00', '0001', "
            "'2026-03-05', '10:00:00', '0002')");
    fx.exec("insert into 口头挂失记录 (会员卡号, 会员姓名, 口头挂失日期, 口头挂失时间, 挂失经手人) "
            "values ('D', '李四', '2026-03-06', '11:00:00', '0001')");
}

QList<QStringList> rows(HistoryWindow &w)
{
    QList<QStringList> result;
    for (int row = 0; row < w.recordGrid->totalRowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < w.recordGrid->columns().size(); ++c)
            cells << w.recordGrid->cellText(row, c);
        result << cells;
    }
    return result;
}

QStringList column(HistoryWindow &w, int c)
{
    QStringList result;
    for (const QStringList &r : rows(w))
        result << r.at(c);
    return result;
}

void find(HistoryWindow &w, const QString &column, const QString &value)
{
    w.columnBox->setCurrentText(column);
    w.valueEdit->setText(value);
    w.findButton->click();
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replacementHistory();
    void verbalLossRecords();
    void quickFindColumnMustBeATableColumn_data();
    void quickFindColumnMustBeATableColumn();
    void openedByMenuAndByOthersUnderTheirTitles();
    void exportMessage();
};

void TestHistory::replacementHistory()
{
    Fixture fx;
    addReplacements(fx);
    Tguashilishi w;
    QCOMPARE(w.childPosition(), QPoint(180, 0));
    QCOMPARE(w.listGroup->title(), "全部会员卡更换历史记录");
    QCOMPARE(w.columnBox->currentText(), "旧卡号");
    QCOMPARE(w.columnBox->count(), 3);
    QVERIFY(w.valueEdit->text().isEmpty());
    QCOMPARE(w.recordGrid->view()->toolTip(), "单击列头可实现排序");
    // Nothing before "显示全部".
    QCOMPARE(w.recordGrid->fetchedRowCount(), 0);
    w.showAllButton->click();
    QCOMPARE(rows(w).first(),
             QStringList({ "A", "B", "张三", "12.5", "2026-03-01", "09:00:00", "0001" }));
    QCOMPARE(rows(w).size(), 3);

    // A chain A to B to C is followed back one find at a time.
    find(w, "新卡号", "C");
    QCOMPARE(column(w, 0), QStringList({ "B" }));
    find(w, "新卡号", "B");
    QCOMPARE(column(w, 0), QStringList({ "A" }));
    // Enter in the value field finds too; the match is exact.
    w.columnBox->setCurrentText("会员姓名");
    w.valueEdit->setText("张");
    QTest::keyClick(w.valueEdit, Qt::Key_Return);
    QCOMPARE(w.recordGrid->totalRowCount(), 0);
    find(w, "会员姓名", "张三");
    QCOMPARE(column(w, 1), QStringList({ "B", "C" }));
    find(w, "旧卡号", "A' or '1'='1");
    QCOMPARE(w.recordGrid->totalRowCount(), 0);
    QVERIFY(fx.dialogs.messages.isEmpty());
}

void TestHistory::verbalLossRecords()
{
    Fixture fx;
    addLossReports(fx);
    Tkoutoujilu w;
    QCOMPARE(w.childPosition(), QPoint(100, 0));
    QCOMPARE(w.listGroup->title(), "全部挂失历史记录");
    QCOMPARE(w.columnBox->currentText(), "会员卡号");
    QCOMPARE(w.columnBox->count(), 2);
    QStringList headings;
    for (const GridColumn &c : w.recordGrid->columns())
        headings << c.heading();
    QCOMPARE(headings,
             QStringList({ "会员卡号", "会员姓名", "挂失日期", "挂失时间", "挂失经手人",
                           "取消挂失日期", "取消挂失时间", "取消挂失经手人" }));
    QCOMPARE(w.recordGrid->fetchedRowCount(), 0);
    w.showAllButton->click();
    QCOMPARE(
        rows(w),
        QList<QStringList>({
            { "A", "张三", "2026-03-01", "09:00:00", "0001", "2026-03-02", "09:30:00", "0002" },
            { "B", "张三", "2026-03-04", "08:00:00", "0001", "2026-03-05", "10:00:00", "0002" },
            { "D", "李四", "2026-03-06", "11:00:00", "0001", "", "", "" },
        }));
    find(w, "会员卡号", "D");
    QCOMPARE(column(w, 0), QStringList({ "D" }));
    find(w, "会员姓名", "张三");
    QCOMPARE(column(w, 0), QStringList({ "A", "B" }));
}

void TestHistory::quickFindColumnMustBeATableColumn_data()
{
    QTest::addColumn<bool>("replacements");
    QTest::addColumn<QString>("typed");
    QTest::newRow("replacements: column of the other table") << true << "会员卡号";
    QTest::newRow("replacements: injection") << true << "旧卡号='A' or 旧卡号";
    QTest::newRow("losses: made-up") << false << "卡号";
    QTest::newRow("losses: column of the other table") << false << "旧卡号";
}

void TestHistory::quickFindColumnMustBeATableColumn()
{
    QFETCH(bool, replacements);
    QFETCH(QString, typed);
    Fixture fx;
    addReplacements(fx);
    addLossReports(fx);
    std::unique_ptr<HistoryWindow> w;
    if (replacements)
        w = std::make_unique<Tguashilishi>();
    else
        w = std::make_unique<Tkoutoujilu>();
    w->showAllButton->click();
    const QString before = (replacements ? fx.dm.ADOQuery9 : fx.dm.ADOQuery10).statement();
    find(*w, typed, "A");
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().text, QString("“%1”不是可查询的列！").arg(typed));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
    QCOMPARE((replacements ? fx.dm.ADOQuery9 : fx.dm.ADOQuery10).statement(), before);
    QCOMPARE(w->recordGrid->totalRowCount(), 3);
}

void TestHistory::openedByMenuAndByOthersUnderTheirTitles()
{
    Fixture fx;
    addReplacements(fx);
    addLossReports(fx);
    fx.dm.close();
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    const auto window = [&](const QString &title) -> HistoryWindow * {
        for (QMdiSubWindow *sub : main.clientArea()->subWindowList())
            if (sub->windowTitle() == title)
                return qobject_cast<HistoryWindow *>(sub->widget());
        return nullptr;
    };
    QVERIFY(main.issueMenuCommand("会员卡更换历史记录"));
    HistoryWindow *menu = window("会员卡更换历史记录");
    QVERIFY(qobject_cast<Tguashilishi *>(menu));
    QCOMPARE(menu->recordGrid->fetchedRowCount(), 0);

    // A card lookup that meets an old card sets the query and opens its own title.
    TDM1 &dm = *TDM1::instance();
    dm.ADOQuery9.setStatement("select * from 挂失记录 where 旧卡号=?", { "B" });
    main.openChildWindow("换卡历史记录", "Tguashilishi");
    HistoryWindow *lookup = window("换卡历史记录");
    QVERIFY(lookup && lookup != menu);
    QCOMPARE(column(*lookup, 0), QStringList({ "B" }));
    // Both show the shared query.
    QCOMPARE(column(*menu, 0), QStringList({ "B" }));
    dm.ADOQuery9.setStatement("select * from 挂失记录 ");
    main.openChildWindow("全部会员卡更换历史记录", "Tguashilishi");
    QCOMPARE(rows(*window("全部会员卡更换历史记录")).size(), 3);
    QCOMPARE(main.clientArea()->subWindowList().size(), 3);

    dm.ADOQuery10.setStatement("select * from 口头挂失记录 where 会员卡号=?", { "D" });
    main.openChildWindow("挂失记录", "Tkoutoujilu");
    QCOMPARE(column(*window("挂失记录"), 0), QStringList({ "D" }));
    QVERIFY(main.issueMenuCommand("会员卡挂失记录"));
    QVERIFY(qobject_cast<Tkoutoujilu *>(window("会员卡挂失记录")));

    window("挂失记录")->exitButton->click();
    QTRY_VERIFY(!window("挂失记录"));
    main.clientArea()->closeAllSubWindows();
    main.setAttribute(Qt::WA_DeleteOnClose, false);
}

void TestHistory::exportMessage()
{
    Fixture fx;
    addReplacements(fx);
    Tguashilishi w;
    w.showAllButton->click();
    QTemporaryDir dir;
    fx.dialogs.fileNames << dir.filePath("file1");
    w.excelButton->click();
    QCOMPARE(fx.dialogs.shownFilters, QList<int>({ 5 }));
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, "提示！");
    QCOMPARE(fx.dialogs.messages.first().text, "倒出数据成功！");
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Information);
    QVERIFY(QFile::exists(dir.filePath("file1.xlsx")));
}

HYJF_TEST_MAIN(TestHistory)
#include "tst_history.moc"
