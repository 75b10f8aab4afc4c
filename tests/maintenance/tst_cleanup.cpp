#include "app/menus.h"
#include "common/basefolder.h"
#include "data/schema.h"
#include "data/sql.h"
#include "maintenance/datacommands.h"
#include "maintenance/zhenglifrm.h"
#include "operators/permissions.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/testmain.h"

#include <QAction>
#include <QDateEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QStringList days{"2026-03-12", "2026-03-13", "2026-03-14", "2026-03-15"};

void addHistory(Fixture &fx)
{
    for (const QString &day : days) {
        fx.exec("insert into 挂失记录 (旧卡号, 日期) values (?, ?)", {"old " + day, day});
        fx.exec("insert into 口头挂失记录 (会员卡号, 口头挂失日期) values (?, ?)", {"lost " + day, day});
        fx.exec("insert into 流水记录 (编号, 会员卡号, 增减积分, 日期) values (?, 'M1', 10, ?)", {day, day});
        fx.exec("insert into 消费记录 (编号, 会员卡号, 消费金额, 日期) values (?, 'M1', 10, ?)", {day, day});
    }
    fx.exec("insert into 会员卡信息 (会员卡号, 积分) values ('M1', 40)");
}

QStringList dates(const QString &table, const QString &column)
{
    QStringList result;
    QSqlQuery q = Sql::exec(QString("select %1 from %2 order by %1").arg(column, table));
    while (q.next())
        result << q.value(0).toString();
    return result;
}

// Every row of every table but 团队, as text, read through a connection of its own.
QStringList dump(const QString &path)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "dump");
        db.setDatabaseName(path);
        if (db.open()) {
            for (const QString &table : Schema::tableNames()) {
                if (table == "团队")
                    continue;
                QSqlQuery q(QString("select * from \"%1\" order by rowid").arg(table), db);
                while (q.next()) {
                    QStringList cells{table};
                    for (int i = 0; i < q.record().count(); ++i)
                        cells << (q.isNull(i) ? "NULL" : q.value(i).toString());
                    rows << cells.join('|');
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("dump");
    return rows;
}

} // namespace

class TestCleanup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanupBeforeDay_data();
    void cleanupBeforeDay();
    void cleanupCancelled();
    void initialiseGivesReferenceContent();
    void initialiseCancelledOrFailed();
    void zeroing_data();
    void zeroing();
    void menuCommands_data();
    void menuCommands();
};

void TestCleanup::cleanupBeforeDay_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("today") << QDate(2026, 3, 14) << days.mid(2);
    QTest::newRow("earlier day") << QDate(2026, 3, 13) << days.mid(1);
    QTest::newRow("before everything") << QDate(2020, 1, 1) << days;
}

void TestCleanup::cleanupBeforeDay()
{
    QFETCH(QDate, day);
    QFETCH(QStringList, kept);
    Fixture fx;
    addHistory(fx);
    Tzhengli w;
    w.show();
    QCOMPARE(w.dateEdit()->date(), QDate(2026, 3, 14));
    w.dateEdit()->setDate(day);
    w.confirmButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"确实删除历史记录？该操作不可恢复！", "删除成功！"}));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("删除历史记录"));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::None);
    QCOMPARE(fx.dialogs.messages[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(fx.dialogs.messages[1].caption, QString("提示！"));
    QCOMPARE(dates("挂失记录", "日期"), kept);
    QCOMPARE(dates("口头挂失记录", "口头挂失日期"), kept);
    QCOMPARE(dates("流水记录", "日期"), kept);
    // Consumption rows and the balance they built stay.
    QCOMPARE(dates("消费记录", "日期"), days);
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息").toDouble(), 40.0);
    QVERIFY(w.isVisible());
}

void TestCleanup::cleanupCancelled()
{
    Fixture fx;
    addHistory(fx);
    Tzhengli w;
    fx.dialogs.answers << MsgResult::Cancel;
    w.confirmButton()->click();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.count("流水记录") + fx.count("挂失记录") + fx.count("口头挂失记录"), 12);
}

void TestCleanup::initialiseGivesReferenceContent()
{
    Fixture fx;
    addHistory(fx);
    fx.exec("insert into 卡类别 (卡类别, 折扣, 积分比例) values ('金卡', 80, 10)");
    fx.exec("insert into 商品档案 (商品名称, 预设单价) values ('茶', 5)");
    fx.exec("insert into 操作员 (操作员, 姓名, 密码) values ('0002', '李四', 'x')");
    fx.exec("update 操作员 set 密码 = 'admin', \"5\" = 0 where 操作员 = '0001'");
    fx.exec("update 引荐积分 set 引荐积分 = 5");
    fx.exec("update 自动变卡 set 自动变卡 = '是'");
    fx.exec("update 小票 set 店铺 = '我的店', 票尾 = '再见'");
    fx.exec("insert into 团队 (团队成员卡号, 姓名) values ('T1', '团员')");
    const QString reference = fx.file("reference.mdb");
    QVERIFY(Schema::createDatabase(reference, nullptr));

    InitialiseData();
    QCOMPARE(fx.dialogs.texts(),
             QStringList({"确实进行数据初始化？该操作将清空数据库的全部内容，该操作不可恢复！请谨慎操作！",
                          "初始化成功！"}));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("数据初始化"));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Question);
    QCOMPARE(fx.dialogs.messages[1].caption, QString("提示"));
    QCOMPARE(fx.dialogs.messages[1].icon, MsgIcon::Information);
    QCOMPARE(dump(BaseFolder::databasePath()), dump(reference));
    QVERIFY(fx.scalar("select 密码 from 操作员").isNull());
    QCOMPARE(fx.count("团队"), 1);

    // The administrator logs in with an empty password and may use everything.
    fx.dm.close();
    TMAIN main;
    QCOMPARE(StartAndLogin(main, "0001", ""), TMAIN::StartResult::Running);
    for (const PermissionFlag &f : PermissionFlags())
        QVERIFY2(main.menuItem(f.menuItem)->isEnabled(), qPrintable(f.menuItem));
}

void TestCleanup::initialiseCancelledOrFailed()
{
    Fixture fx;
    addHistory(fx);
    fx.exec("insert into 操作员 (操作员, 姓名) values ('0002', '李四')");
    fx.dialogs.answers << MsgResult::Cancel;
    InitialiseData();
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.count("会员卡信息"), 1);

    // Failing at the administrator's row leaves everything as it was, operators included.
    fx.exec("create trigger refuse before insert on 操作员 begin select raise(abort, '磁盘已满'); end");
    fx.dialogs.clear();
    QVERIFY_THROWS_EXCEPTION(DbError, InitialiseData());
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.count("操作员"), 2);
    QCOMPARE(fx.count("会员卡信息"), 1);
    QCOMPARE(fx.count("流水记录"), 4);
    QCOMPARE(fx.count("卡类别"), 0);
    fx.exec("drop trigger refuse"); // no transaction was left open
}

void TestCleanup::zeroing_data()
{
    QTest::addColumn<QList<MsgResult>>("answers");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("zeroed");
    QTest::newRow("no") << QList<MsgResult>{MsgResult::No} << 1 << false;
    QTest::newRow("yes, then cancel") << QList<MsgResult>{MsgResult::Yes, MsgResult::Cancel} << 2 << false;
    QTest::newRow("yes, then ok") << QList<MsgResult>{MsgResult::Yes, MsgResult::Ok} << 2 << true;
}

void TestCleanup::zeroing()
{
    QFETCH(QList<MsgResult>, answers);
    QFETCH(int, questions);
    QFETCH(bool, zeroed);
    Fixture fx;
    addHistory(fx);
    fx.exec("insert into 会员卡信息 (会员卡号, 积分) values ('M2', 12.5), ('M3', -3)");
    for (MsgResult a : answers)
        fx.dialogs.answers << a;
    ZeroAllPoints();
    QCOMPARE(fx.dialogs.messages.size(), questions + (zeroed ? 1 : 0));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("清零询问"));
    QCOMPARE(fx.dialogs.messages[0].text, QString("确实进行积分手动清零？"));
    QCOMPARE(fx.dialogs.messages[0].buttons, MsgButtons::YesNo);
    if (questions > 1) {
        QCOMPARE(fx.dialogs.messages[1].caption, QString("清零提示"));
        QCOMPARE(fx.dialogs.messages[1].buttons, MsgButtons::OkCancel);
    }
    if (zeroed) {
        QCOMPARE(fx.dialogs.lastText(), QString("积分手动清零成功！"));
        QCOMPARE(fx.dialogs.messages.last().caption, QString("提示！"));
    }
    QCOMPARE(fx.count("会员卡信息", "积分 <> 0"), zeroed ? 0 : 3);
    QCOMPARE(fx.count("会员卡信息"), 3);
    QCOMPARE(fx.count("流水记录"), 4); // no journal row for the zeroing
}

void TestCleanup::menuCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("question");
    QTest::newRow("数据恢复") << "数据恢复" << "数据库恢复将要覆盖原来数据库中所有的数据，继续吗？";
    QTest::newRow("积分手动清零") << "积分手动清零" << "确实进行积分手动清零？";
    QTest::newRow("数据初始化") << "数据初始化"
                              << "确实进行数据初始化？该操作将清空数据库的全部内容，该操作不可恢复！请谨慎操作！";
}

void TestCleanup::menuCommands()
{
    QFETCH(QString, item);
    QFETCH(QString, question);
    Fixture fx(false);
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    fx.dialogs.answers << MsgResult::Cancel;
    main.menuItem(item)->trigger();
    QCOMPARE(fx.dialogs.texts(), QStringList({question}));
    // The cleanup window opens from its menu item, where it belongs.
    QVERIFY(main.issueMenuCommand("历史数据清除"));
    QMdiSubWindow *sub = main.clientArea()->activeSubWindow();
    QVERIFY(qobject_cast<Tzhengli *>(sub->widget()));
    QCOMPARE(sub->windowTitle(), QString("数据整理"));
    QCOMPARE(sub->pos(), QPoint(310, 100));
}

HYJF_TEST_MAIN(TestCleanup)
#include "tst_cleanup.moc"
