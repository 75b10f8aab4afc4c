#include "app/mainfrm.h"
#include "common/reportpreview.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "members/jifenchaxunfrm.h"
#include "members/quanbuhuiyuanfrm.h"
#include "records/recordgrid.h"
#include "records/xiangxijilufrm.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/members.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// Members 001 to 004 with points 100, 100.5, 200 and 0 in two categories; a category
// without members.
void addMembers(Fixture &fx)
{
    AddCategory(fx, { "金卡", 90, 10, 0 });
    AddCategory(fx, { "银卡", 95, 10, 0 });
    AddCategory(fx, { "空类", 100, 10, 0 });
    AddMember(fx, "001", "王一", "金卡", 100);
    AddMember(fx, "002", "王二", "金卡", 100.5);
    AddMember(fx, "003", "李三", "银卡", 200);
    AddMember(fx, "004", "赵四", "银卡", 0, true);
}

QStringList gridCards(RecordGrid *grid)
{
    QStringList cards;
    for (int row = 0; row < grid->totalRowCount(); ++row)
        cards << grid->cellText(row, 0);
    cards.sort();
    return cards;
}

class CapturePreview : public PreviewProvider
{
public:
    CapturePreview() { ReportPreview::install(this); }
    ~CapturePreview() override { ReportPreview::install(nullptr); }
    void preview(QWidget *, const QString &title, const ReportPainter &) override
    {
        titles << title;
    }
    QStringList titles;
};

} // namespace

class TestMemberViews : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void queryShowsTotalsAndOpensTheJournal();
    void queryResultsAreReadOnly();
    void pointsFilter_data();
    void pointsFilter();
    void categoryFilterAndFooter_data();
    void categoryFilterAndFooter();
    void listKeepsItsRowsBetweenOpenings();
    void listExportAndPrint();
};

void TestMemberViews::queryShowsTotalsAndOpensTheJournal()
{
    Fixture fx;
    addMembers(fx);
    fx.exec("insert into 流水记录 (编号, 会员卡号, 增减积分, 增减原因) values ('0000000001', "
            "'002', 5, '购物消费'), "
            "('0000000002', '002', -1, '退货'), ('0000000003', '002', 2, '购物消费'), "
            "('0000000004', '003', 9, '购物消费')");
    fx.exec("insert into 消费记录 (编号, 会员卡号, 消费金额) values ('0000000001', '002', 50.5), "
            "('0000000002', '002', -10), ('0000000004', '003', 90)");
    fx.dm.close();
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    QVERIFY(main.issueMenuCommand("会员查询"));
    QMdiSubWindow *sub = main.clientArea()->activeSubWindow();
    auto *w = qobject_cast<Tjifenchaxun *>(sub->widget());
    QVERIFY(w);
    QCOMPARE(sub->windowTitle(), QString("会员查询"));
    QCOMPARE(sub->geometry().topLeft(), QPoint(130, 0));
    MemberPanel *panel = w->memberPanel();
    QVERIFY(panel->pickGroup()->isHidden());

    // Before any lookup the journal opens for no card: no rows.
    w->detailButton()->click();
    auto *journal = qobject_cast<Txiangxijilu *>(main.clientArea()->activeSubWindow()->widget());
    QVERIFY(journal);
    QCOMPARE(main.clientArea()->activeSubWindow()->windowTitle(), QString("会员积分增减详细记录"));
    QCOMPARE(journal->recordGrid->totalRowCount(), 0);

    panel->cardEdit()->setText("002");
    QTest::keyClick(panel->cardEdit(), Qt::Key_Return);
    QCOMPARE(panel->nameEdit()->text(), QString("王二"));
    QCOMPARE(panel->pointsValue()->text(), QString("100.5"));
    QCOMPARE(panel->categoryValue()->text(), QString("金卡"));
    QCOMPARE(panel->purchaseCountValue()->text(), QString("2"));
    QCOMPARE(panel->totalAmountValue()->text(), QString("40.5"));
    QVERIFY(!panel->lossBox()->isChecked());

    // A search afterwards empties the panel but the journal stays the looked-up member's.
    panel->nameEdit()->setText("李");
    panel->searchButton(MemberPanel::SearchColumn::Name)->click();
    QVERIFY(!panel->pickGroup()->isHidden());
    QVERIFY(panel->purchaseCountValue()->text().isEmpty());
    w->detailButton()->click();
    QCOMPARE(journal->recordGrid->totalRowCount(), 3); // the open journal follows the query
    QStringList journalCards;
    for (int row = 0; row < 3; ++row)
        journalCards << journal->recordGrid->value(row, "会员卡号").toString();
    QCOMPARE(journalCards, QStringList({ "002", "002", "002" }));

    // A pick of a member without consumption rows: total "0".
    AddMember(fx, "005", "李五", "银卡", 7);
    panel->searchButton(MemberPanel::SearchColumn::Name)->click();
    panel->pickGrid()->setCurrentIndex(panel->pickGrid()->model()->index(1, 0));
    panel->PickMember();
    QCOMPARE(panel->cardEdit()->text(), QString("005"));
    QCOMPARE(panel->purchaseCountValue()->text(), QString("0"));
    QCOMPARE(panel->totalAmountValue()->text(), QString("0"));
    QVERIFY(panel->pickGroup()->isHidden());
    QVERIFY(fx.dialogs.messages.isEmpty());
    main.clientArea()->closeAllSubWindows();
    main.setAttribute(Qt::WA_DeleteOnClose, false);
}

void TestMemberViews::queryResultsAreReadOnly()
{
    Fixture fx;
    addMembers(fx);
    Tjifenchaxun w;
    w.show();
    MemberPanel *panel = w.memberPanel();
    panel->nameEdit()->setText("王");
    QTest::keyClick(panel->nameEdit(), Qt::Key_Return);
    QCOMPARE(panel->pickRowCount(), 2);
    QTableView *grid = panel->pickGrid();
    const QModelIndex name = grid->model()->index(0, 1);
    grid->setCurrentIndex(name);
    grid->edit(name);
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClicks(grid, "X");
    QVERIFY(grid->viewport()->findChildren<QLineEdit *>().isEmpty()); // no cell editor opened
    QVERIFY(!grid->model()->setData(name, "改过"));
    QCOMPARE(fx.count("会员卡信息", "会员姓名 in ('王一', '王二')"), 2);
}

void TestMemberViews::pointsFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("cards"); // listed; empty with a message
    QTest::addColumn<QString>("message");
    QTest::newRow("above 100") << "100" << QStringList { "002", "003" } << QString();
    QTest::newRow("blanks around") << " 100.25 " << QStringList { "002", "003" } << QString();
    QTest::newRow("zero leaves out zero")
        << "0" << QStringList { "001", "002", "003" } << QString();
    QTest::newRow("negative") << "-1" << QStringList { "001", "002", "003", "004" } << QString();
    QTest::newRow("letters") << "abc" << QStringList {} << "“abc”不是有效的积分数值！";
    QTest::newRow("two points") << "1.2.3" << QStringList {} << "“1.2.3”不是有效的积分数值！";
    QTest::newRow("quote") << "0' or '1'='1" << QStringList {}
                           << "“0' or '1'='1”不是有效的积分数值！";
    QTest::newRow("empty") << "" << QStringList {} << "请输入积分数值！";
}

void TestMemberViews::pointsFilter()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, cards);
    QFETCH(QString, message);
    Fixture fx;
    addMembers(fx);
    Tquanbuhuiyuan w;
    w.show();
    w.showAllButton()->click();
    const QString before = fx.dm.ADOQuery5.statement();
    w.pointsEdit()->setText(typed);
    QTest::keyClick(w.pointsEdit(), Qt::Key_Return);
    if (message.isEmpty()) {
        QVERIFY(fx.dialogs.messages.isEmpty());
        QCOMPARE(gridCards(w.memberGrid()), cards);
        QCOMPARE(w.memberGrid()->footerText(1), QString::number(cards.size()));
    } else {
        QCOMPARE(fx.dialogs.texts(), QStringList { message });
        QCOMPARE(fx.dialogs.messages.first().caption, QString("提示"));
        QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
        // Nothing ran: the grid still shows every member.
        QCOMPARE(fx.dm.ADOQuery5.statement(), before);
        QVERIFY(fx.dm.ADOQuery5.values().isEmpty());
        QCOMPARE(gridCards(w.memberGrid()), QStringList({ "001", "002", "003", "004" }));
        QCOMPARE(w.pointsEdit()->text(), typed);
    }
}

void TestMemberViews::categoryFilterAndFooter_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("typed"); // typed into the editable list rather than chosen
    QTest::addColumn<QStringList>("cards");
    QTest::newRow("first entry") << "金卡" << false << QStringList { "001", "002" };
    QTest::newRow("lost member listed too") << "银卡" << false << QStringList { "003", "004" };
    QTest::newRow("no members") << "空类" << false << QStringList {};
    QTest::newRow("typed quote") << "金卡' or '1'='1" << true << QStringList {};
}

void TestMemberViews::categoryFilterAndFooter()
{
    QFETCH(QString, category);
    QFETCH(bool, typed);
    QFETCH(QStringList, cards);
    Fixture fx;
    addMembers(fx);
    Tquanbuhuiyuan w;
    w.show();
    QCOMPARE(w.categoryBox()->count(), fx.count("卡类别"));
    QCOMPARE(w.categoryBox()->currentIndex(), 0);
    if (typed)
        w.categoryBox()->setEditText(category);
    else
        w.categoryBox()->setCurrentIndex(w.categoryBox()->findText(category));
    QTest::keyClick(w.categoryBox()->lineEdit(), Qt::Key_Return);
    QCOMPARE(w.memberGrid()->query(), &fx.dm.ADOQuery6);
    QCOMPARE(gridCards(w.memberGrid()), cards);
    QCOMPARE(w.memberGrid()->footerText(0), QString("合计数量"));
    QCOMPARE(w.memberGrid()->footerText(1), QString::number(cards.size()));
    // The all-members query is not touched by the category filter.
    QVERIFY(!fx.dm.ADOQuery5.isOpen());
}

void TestMemberViews::listKeepsItsRowsBetweenOpenings()
{
    Fixture fx;
    addMembers(fx);
    fx.dm.close();
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    const auto open = [&main] {
        main.issueMenuCommand("全部会员信息");
        QMdiSubWindow *sub = main.clientArea()->activeSubWindow();
        return sub ? qobject_cast<Tquanbuhuiyuan *>(sub->widget()) : nullptr;
    };
    QPointer<Tquanbuhuiyuan> w = open();
    QVERIFY(w);
    QCOMPARE(main.clientArea()->activeSubWindow()->geometry().topLeft(), QPoint(0, 0));
    QCOMPARE(w->memberGrid()->totalRowCount(), 0); // first opening: nothing run yet
    w->pointsEdit()->setText("100");
    w->pointsQueryButton()->click();
    main.clientArea()->closeAllSubWindows();
    QCoreApplication::processEvents();
    QVERIFY(!w);

    w = open();
    QVERIFY(w->pointsEdit()->text().isEmpty());
    QCOMPARE(gridCards(w->memberGrid()), QStringList({ "002", "003" }));
    // A category listing is not what the next opening shows.
    w->categoryQueryButton()->click();
    QCOMPARE(gridCards(w->memberGrid()), QStringList({ "001", "002" }));
    main.clientArea()->closeAllSubWindows();
    QCoreApplication::processEvents();
    w = open();
    QCOMPARE(gridCards(w->memberGrid()), QStringList({ "002", "003" }));
    w->showAllButton()->click();
    QCOMPARE(w->memberGrid()->footerText(1), QString("4"));
    main.clientArea()->closeAllSubWindows();
    main.setAttribute(Qt::WA_DeleteOnClose, false);
}

void TestMemberViews::listExportAndPrint()
{
    Fixture fx;
    addMembers(fx);
    Tquanbuhuiyuan w;
    w.show();
    w.showAllButton()->click();
    CapturePreview preview;
    w.printButton()->click();
    QCOMPARE(preview.titles, QStringList { "会员档案" });

    fx.dialogs.fileNames << fx.file("members");
    w.excelButton()->click();
    QCOMPARE(fx.dialogs.initialNames, QStringList { "file1" });
    QCOMPARE(fx.dialogs.shownFilters, QList<int> { 5 });
    QVERIFY(QFile::exists(fx.file("members.xlsx")));
    QCOMPARE(fx.dialogs.texts(), QStringList { "导出数据成功！" });
    QCOMPARE(fx.dialogs.messages.first().caption, QString("提示"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Information);

    // Cancelled: no file, no message.
    fx.dialogs.clear();
    w.excelButton()->click();
    QVERIFY(fx.dialogs.messages.isEmpty());
}

HYJF_TEST_MAIN(TestMemberViews)
#include "tst_memberviews.moc"
