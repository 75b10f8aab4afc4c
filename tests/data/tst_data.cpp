#include "common/basefolder.h"
#include "data/dm1frm.h"
#include "data/schema.h"
#include "data/sql.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

class TestData : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void schemaHasTwelveTablesWithTheirColumns();
    void referenceContent();
    void mkdbRefusesExistingFile();
    void mkdbTakesNoOptionForAPath();
    void memberDefaultsAndQuotedNumbers();
    void numberColumnsRefuseText_data();
    void numberColumnsRefuseText();
    void quotesAreValuesNotSql();
    void transactionGuard();
    void lookupsUseIndexes_data();
    void lookupsUseIndexes();
    void openRefusesBadFiles_data();
    void openRefusesBadFiles();
    void emptyResultReadsEmpty();
    void preparedStatementsFollowTheConnection();
    void preparedStatementsHoldNoLock();
};

void TestData::schemaHasTwelveTablesWithTheirColumns()
{
    Fixture fx;
    const QSqlDatabase db = QSqlDatabase::database();
    QStringList tables = db.tables();
    tables.removeAll("sqlite_sequence");
    QCOMPARE(tables.size(), 12);
    for (const QString &t : Schema::tableNames())
        QVERIFY2(tables.contains(t), qPrintable(t));
    const auto columns = [&](const QString &table) {
        QStringList names;
        const QSqlRecord r = db.record(table);
        for (int i = 0; i < r.count(); ++i)
            names << r.fieldName(i);
        return names;
    };
    QCOMPARE(columns("会员卡信息"), QStringList({"会员卡号", "卡类别", "会员姓名", "性别", "身份证号", "会员生日", "生日", "地址", "固定电话", "手机", "引荐人卡号", "引荐人姓名", "起用日期", "积分", "口头挂失标志"}));
    QCOMPARE(columns("流水记录"), QStringList({"编号", "会员卡号", "会员姓名", "增减积分", "增减原因", "退/换货说明", "兑换礼品", "返现金", "商品", "引荐人卡号", "引荐人姓名", "日期", "时间", "经手人"}));
    QCOMPARE(columns("消费记录"), QStringList({"编号", "会员卡号", "会员姓名", "商品", "单位", "数量", "消费金额", "增减原因", "退/换货说明", "日期", "时间", "经手人"}));
    QCOMPARE(columns("卡类别"), QStringList({"卡类别", "折扣", "积分比例", "自动变卡下限", "允许兑换礼品", "允许返现金"}));
    QCOMPARE(columns("挂失记录"), QStringList({"旧卡号", "新卡号", "会员姓名", "原有积分", "日期", "时间", "经手人"}));
    QCOMPARE(columns("口头挂失记录"), QStringList({"会员卡号", "会员姓名", "口头挂失日期", "口头挂失时间", "挂失经手人", "取消挂失日期", "取消挂失时间", "取消挂失经手人"}));
    QCOMPARE(columns("商品档案"), QStringList({"编号", "所属类别", "商品编号", "商品名称", "单位", "预设单价"}));
    QCOMPARE(columns("团队"), QStringList({"团队成员卡号", "团队成员姓名", "卡号", "姓名"}));
    QCOMPARE(columns("操作员").size(), 26);
    QCOMPARE(columns("操作员").last(), QString("23"));
}

void TestData::referenceContent()
{
    Fixture fx;
    for (const QString &t : {"挂失记录", "口头挂失记录", "流水记录", "会员卡信息", "消费记录", "卡类别", "商品档案", "团队"})
        QCOMPARE(fx.count(t), 0);
    QCOMPARE(fx.count("操作员"), 1);
    QSqlQuery q = Sql::exec("select * from 操作员");
    QVERIFY(q.next());
    QCOMPARE(q.value("操作员").toString(), QString("0001"));
    QCOMPARE(q.value("姓名").toString(), QString("系统管理员"));
    QVERIFY(q.value("密码").isNull());
    for (int flag = 1; flag <= 23; ++flag)
        QCOMPARE(q.value(QString::number(flag)).toInt(), 1);
    QCOMPARE(fx.scalar("select 引荐积分 from 引荐积分").toDouble(), 0.0);
    QCOMPARE(fx.count("引荐积分"), 1);
    QCOMPARE(fx.scalar("select 自动变卡 from 自动变卡").toString(), QString("否"));
    QCOMPARE(fx.count("自动变卡"), 1);
    QCOMPARE(fx.scalar("select 店铺 || '|' || 票尾 from 小票").toString(), QString("青禾岭软件|谢谢惠顾！"));
    QCOMPARE(fx.count("小票"), 1);
}

void TestData::mkdbRefusesExistingFile()
{
    Fixture fx(false);
    const QString path = BaseFolder::databasePath();
    const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    QString error;
    QVERIFY(!Schema::createDatabase(path, &error));
    QVERIFY(!error.isEmpty());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void TestData::mkdbTakesNoOptionForAPath()
{
    Fixture fx(false);
    QProcess mkdb;
    mkdb.setWorkingDirectory(BaseFolder::path());
    mkdb.start(qEnvironmentVariable("HYJF_DIST") + "/huiyuanjifen-mkdb", {"--help"});
    QVERIFY(mkdb.waitForFinished(10000));
    QCOMPARE(mkdb.exitStatus(), QProcess::NormalExit);
    QCOMPARE(mkdb.exitCode(), 2);
    QVERIFY(!QFile::exists(QDir(BaseFolder::path()).filePath("--help")));
}

void TestData::memberDefaultsAndQuotedNumbers()
{
    Fixture fx;
    fx.exec("insert into 会员卡信息 (会员卡号, 会员姓名) values (?, ?)", {"A1", "张三"});
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = ?", {"A1"}).toDouble(), 0.0);
    QCOMPARE(fx.scalar("select 口头挂失标志 from 会员卡信息").toInt(), 0);
    // Numbers held as text by the windows are converted by the engine.
    fx.exec("update 会员卡信息 set 积分 = round(积分 + ?, 2) where 会员卡号 = ?", {QString("5"), "A1"});
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息").toDouble(), 5.0);
    for (int i = 0; i < 1000; ++i)
        fx.exec("update 会员卡信息 set 积分 = round(积分 + ?, 2) where 会员卡号 = ?", {0.1, "A1"});
    QCOMPARE(Sql::text(fx.scalar("select 积分 from 会员卡信息")), QString("105"));
}

void TestData::numberColumnsRefuseText_data()
{
    QTest::addColumn<QString>("statement");
    QTest::newRow("ratio") << "insert into 卡类别 (卡类别, 积分比例) values ('金卡', 'abc')";
    QTest::newRow("empty discount") << "insert into 卡类别 (卡类别, 折扣) values ('金卡', '')";
    QTest::newRow("price") << "insert into 商品档案 (商品名称, 预设单价) values ('x', '1.2.3')";
    QTest::newRow("points") << "insert into 会员卡信息 (会员卡号, 积分) values ('B', 'x')";
    QTest::newRow("flag") << "insert into 会员卡信息 (会员卡号, 口头挂失标志) values ('B', 5)";
    QTest::newRow("duplicate card") << "insert into 会员卡信息 (会员卡号) values ('DUP')";
    QTest::newRow("duplicate category") << "insert into 卡类别 (卡类别) values ('DUP')";
}

void TestData::numberColumnsRefuseText()
{
    QFETCH(QString, statement);
    Fixture fx;
    fx.exec("insert into 会员卡信息 (会员卡号) values ('DUP')");
    fx.exec("insert into 卡类别 (卡类别, 折扣) values ('DUP', '95')");
    QCOMPARE(fx.scalar("select typeof(折扣) from 卡类别").toString(), QString("real"));
    try {
        Sql::exec(statement);
        QFAIL("the engine accepted it");
    } catch (const DbError &e) {
        QVERIFY(!e.text().isEmpty());
    }
}

void TestData::quotesAreValuesNotSql()
{
    Fixture fx;
    const QString hostile = "O'Brien\"; drop table 会员卡信息; --";
    fx.exec("insert into 会员卡信息 (会员卡号, 会员姓名) values (?, ?)", {hostile, hostile + "  "});
    QCOMPARE(fx.scalar("select 会员姓名 from 会员卡信息 where 会员卡号 = ?", {hostile}).toString(), hostile + "  ");
    QCOMPARE(fx.count("会员卡信息"), 1);
}

void TestData::transactionGuard()
{
    Fixture fx;
    try {
        TransactionGuard tx;
        fx.exec("insert into 会员卡信息 (会员卡号) values ('T1')");
        fx.exec("insert into 没有的表 values (1)");
        tx.commit();
        QFAIL("no error");
    } catch (const DbError &e) {
        QVERIFY(e.text().contains("没有的表"));
    }
    QCOMPARE(fx.count("会员卡信息"), 0);
    {
        TransactionGuard tx;
        fx.exec("insert into 会员卡信息 (会员卡号) values ('T2')");
        tx.commit();
    }
    {
        TransactionGuard tx;
        fx.exec("insert into 会员卡信息 (会员卡号) values ('T3')");
    }
    QCOMPARE(fx.count("会员卡信息"), 1);
    QCOMPARE(fx.scalar("select 会员卡号 from 会员卡信息").toString(), QString("T2"));
}

void TestData::lookupsUseIndexes_data()
{
    QTest::addColumn<QString>("statement");
    QTest::newRow("member by card") << "select * from 会员卡信息 where 会员卡号 = 'x'";
    QTest::newRow("member by birthday") << "select * from 会员卡信息 where 生日 = '3-6'";
    QTest::newRow("purchases of a card") << "select count(*) from 流水记录 where 会员卡号 = 'x' and 增减原因 = '购物消费'";
    QTest::newRow("spending of a card") << "select sum(消费金额) from 消费记录 where 会员卡号 = 'x'";
    QTest::newRow("last journal number") << "select max(编号) from 流水记录";
    QTest::newRow("journal by date") << "select * from 流水记录 where 日期 between '2026-01-01' and '2026-02-01'";
    QTest::newRow("consumption by number") << "select * from 消费记录 where 编号 = '0000000001'";
    QTest::newRow("replaced card") << "select 旧卡号 from 挂失记录 where 旧卡号 = 'x'";
    QTest::newRow("loss reports of a card") << "select * from 口头挂失记录 where 会员卡号 = 'x'";
}

void TestData::lookupsUseIndexes()
{
    QFETCH(QString, statement);
    Fixture fx;
    QSqlQuery q = Sql::exec("explain query plan " + statement);
    QStringList plan;
    while (q.next())
        plan << q.value(3).toString();
    const QString text = plan.join(" / ");
    QVERIFY2(text.contains("INDEX") && !text.contains("SCAN 会员卡信息") && !text.contains("SCAN 流水记录"),
             qPrintable(text));
}

void TestData::openRefusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("kind");
    for (const char *k : {"missing", "empty", "text", "random", "truncated", "foreign", "missing table"})
        QTest::newRow(k) << QByteArray(k);
}

void TestData::openRefusesBadFiles()
{
    QFETCH(QByteArray, kind);
    Fixture fx(false);
    const QString path = BaseFolder::databasePath();
    QFile f(path);
    QByteArray good;
    QVERIFY(f.open(QIODevice::ReadOnly));
    good = f.readAll();
    f.close();
    QVERIFY(good.size() > 8192);
    const auto write = [&](const QByteArray &bytes) {
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
    };
    if (kind == "missing") {
        QFile::remove(path);
    } else if (kind == "empty") {
        write({});
    } else if (kind == "text") {
        write("这不是数据库\r\n");
    } else if (kind == "random") {
        QByteArray junk(good.size(), 0);
        QRandomGenerator rng(7);
        for (char &c : junk)
            c = char(rng.bounded(256));
        write(junk);
    } else if (kind == "truncated") {
        write(good.left(good.size() / 2));
    } else if (kind == "foreign" || kind == "missing table") {
        QFile::remove(path);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            if (kind == "foreign") {
                QVERIFY(q.exec("create table t (x)"));
            } else {
                for (const QString &s : Schema::createStatements())
                    QVERIFY(q.exec(s));
                QVERIFY(q.exec("drop table 团队"));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase("other");
    }
    const qint64 sizeBefore = QFileInfo(path).size();
    TDM1 dm;
    QString error;
    QVERIFY(!dm.open(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!dm.isOpen());
    QCOMPARE(QFileInfo::exists(path), kind != "missing");
    if (kind != "missing")
        QCOMPARE(QFileInfo(path).size(), sizeBefore);
}

void TestData::emptyResultReadsEmpty()
{
    Fixture fx;
    const QVariant none = Sql::scalar("select 会员姓名 from 会员卡信息 where 会员卡号 = ?", {"nobody"});
    QCOMPARE(Sql::text(none), QString());
    QCOMPARE(Sql::isTrue(none), false);
    QCOMPARE(Sql::text(Sql::scalar("select max(编号) from 流水记录")), QString());
    QCOMPARE(Sql::text(QVariant(12.5)), QString("12.5"));
}

// Statements stay prepared between calls; after the connection moves to another file
// (a restore), they must read that file, not the old one.
void TestData::preparedStatementsFollowTheConnection()
{
    Fixture fx;
    const QString count = "select count(*) from 会员卡信息 where 会员卡号 = ?";
    fx.exec("insert into 会员卡信息 (会员卡号) values ('A1')");
    QCOMPARE(Sql::scalar(count, {"A1"}).toInt(), 1);
    QCOMPARE(Sql::execute("update 会员卡信息 set 积分 = 5 where 会员卡号 = ?", {"A1"}), 1);
    QCOMPARE(Sql::firstRow("select * from 会员卡信息 where 会员卡号 = ?", {"A1"})->value("积分").toDouble(), 5.0);

    const QString other = fx.file("other.mdb");
    QString error;
    QVERIFY(Schema::createDatabase(other, &error));
    QVERIFY2(fx.dm.open(other, &error), qPrintable(error));
    QCOMPARE(Sql::scalar(count, {"A1"}).toInt(), 0);
    QCOMPARE(Sql::execute("update 会员卡信息 set 积分 = 5 where 会员卡号 = ?", {"A1"}), 0);
    QVERIFY(!Sql::firstRow("select * from 会员卡信息 where 会员卡号 = ?", {"A1"}));

    fx.dm.close();
    QVERIFY_THROWS_EXCEPTION(DbError, Sql::scalar(count, {"A1"}));
}

// A statement kept prepared must not keep its read open: another connection can still write.
void TestData::preparedStatementsHoldNoLock()
{
    Fixture fx;
    fx.exec("insert into 会员卡信息 (会员卡号) values ('A1')");
    QVERIFY(Sql::scalar("select 会员卡号 from 会员卡信息 where 会员卡号 >= ?", {""}).isValid());
    QVERIFY(Sql::firstRow("select * from 会员卡信息 where 会员卡号 >= ?", {""}));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "writer");
        db.setDatabaseName(BaseFolder::databasePath());
        db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY2(q.exec("insert into 会员卡信息 (会员卡号) values ('B2')"), qPrintable(q.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase("writer");
    QCOMPARE(Sql::scalar("select count(*) from 会员卡信息 where 会员卡号 >= ?", {""}).toInt(), 2);
}

HYJF_TEST_MAIN(TestData)
#include "tst_data.moc"
