#include "common/numtext.h"
#include "data/sql.h"
#include "points/autocategory.h"
#include "points/pointsmath.h"
#include "points/pointstore.h"
#include "support/fixture.h"
#include "support/members.h"
#include "support/testmain.h"

#include <QSqlQuery>

class TestPoints : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTwoDecimals_data();
    void roundTwoDecimals();
    void readExtended_data();
    void readExtended();
    void extendedArithmetic();
    void autoCategoryChange_data();
    void autoCategoryChange();
    void tiedThresholdsTakeTheLastListed();
    void emptyThresholdNamesTheCategory();
    void purchaseStoresRoundedPoints();
    void savingForAVanishedMemberRollsBack();
    void failingCategoryChangeRollsBackEverything();
    void thousandSmallPurchasesDoNotDrift();
};

void TestPoints::roundTwoDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("3.125 up") << 3.125 << "3.13";
    QTest::newRow("2.995 carries") << 2.995 << "3";
    QTest::newRow("0.055 up") << 0.055 << "0.06";
    QTest::newRow("33.3333333333333 down") << 33.3333333333333 << "33.33";
    QTest::newRow("1.005 is 1.00499999999999989") << 1.005 << "1";
    QTest::newRow("12.345 is 12.345000000000001") << 12.345 << "12.35";
    QTest::newRow("worked example") << 3.16635 << "3.17";
    QTest::newRow("two decimals kept") << 3.1 << "3.1";
    QTest::newRow("whole") << 7.0 << "7";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("0.995 carries into the whole") << 0.995 << "1";
    QTest::newRow("99.999 carries") << 99.999 << "100";
    QTest::newRow("tiny fraction") << 5.0000001 << "5";
    QTest::newRow("fraction below 0.01 rounding up") << 4.006 << "4.01";
    QTest::newRow("fraction near one") << 2.9999999999999996 << "3";
    QTest::newRow("negative rounds its magnitude") << -3.125 << "-3.13";
}

void TestPoints::roundTwoDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    const double rounded = RoundTwoDecimals(value);
    QCOMPARE(NumberText(rounded), shown);
    // The result is the double the decimal text stands for, not a neighbour of it.
    QCOMPARE(rounded, TextNumber(shown));
}

void TestPoints::readExtended_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "12.5" << true << "12.5";
    QTest::newRow("trailing point") << "1." << true << "1";
    QTest::newRow("leading point") << ".5" << true << "0.5";
    QTest::newRow("blanks around") << " 3 " << true << "3";
    QTest::newRow("written small") << "1E-6" << true << "1E-6";
    QTest::newRow("negative from the database") << "-5" << true << "-5";
    QTest::newRow("two points") << "1..2" << false << "";
    QTest::newRow("two separate points") << "1.2.3" << false << "";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("only a point") << "." << false << "";
    QTest::newRow("letters") << "12a" << false << "";
    QTest::newRow("forty digits") << QString(40, '9') << false << "";
    QTest::newRow("just below the limit") << "999999999999999" << true << "999999999999999";
    QTest::newRow("the limit") << "1000000000000000" << false << "";
    QTest::newRow("full-width digits") << "１２" << false << "";
}

void TestPoints::readExtended()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, shown);
    const std::optional<long double> value = ReadExtended(text);
    QCOMPARE(value.has_value(), ok);
    if (ok)
        QCOMPARE(ExtendedText(*value), shown);
    else
        QVERIFY(!NotANumberMessage(text).isEmpty());
}

void TestPoints::extendedArithmetic()
{
    // 95 % of 33.33 and its points at ratio 10, worked on the texts as the window does.
    const QString discounted = ExtendedText(DiscountedAmount(*ReadExtended("95"), *ReadExtended("33.33")));
    QCOMPARE(discounted, QString("31.6635"));
    const QString points = ExtendedText(*ReadExtended(discounted) / 10.0);
    QCOMPARE(points, QString("3.16635"));
    QCOMPARE(NumberText(RoundTwoDecimals(TextNumber(points))), QString("3.17"));
    // Float noise never shows.
    QCOMPARE(ExtendedText(*ReadExtended("0.1") + *ReadExtended("0.2")), QString("0.3"));
    QCOMPARE(ExtendedText(*ReadExtended("3") * *ReadExtended("19.9")), QString("59.7"));
}

void TestPoints::autoCategoryChange_data()
{
    QTest::addColumn<QString>("switchText");
    QTest::addColumn<QString>("before");
    QTest::addColumn<double>("balance");
    QTest::addColumn<bool>("categories");
    QTest::addColumn<QString>("after");
    QTest::newRow("99.99 stays below B") << "是" << "A" << 99.99 << true << "A";
    QTest::newRow("exactly 100 reaches B") << "是" << "A" << 100.0 << true << "B";
    QTest::newRow("1000 reaches C") << "是" << "A" << 1000.0 << true << "C";
    QTest::newRow("C falls to 300: down to B") << "是" << "C" << 300.0 << true << "B";
    QTest::newRow("negative: below every threshold") << "是" << "C" << -5.0 << true << "C";
    QTest::newRow("switch off") << "否" << "A" << 1000.0 << true << "A";
    QTest::newRow("switch neither") << "" << "A" << 1000.0 << true << "A";
    QTest::newRow("empty category table") << "是" << "A" << 1000.0 << false << "A";
}

void TestPoints::autoCategoryChange()
{
    QFETCH(QString, switchText);
    QFETCH(QString, before);
    QFETCH(double, balance);
    QFETCH(bool, categories);
    QFETCH(QString, after);
    Fixture fx;
    fx.exec("update 自动变卡 set 自动变卡 = ?", {switchText});
    if (categories) {
        // Inserted out of order: the walk goes by threshold.
        AddCategory(fx, {"C", 100, 10, 500});
        AddCategory(fx, {"A", 100, 10, 0});
        AddCategory(fx, {"B", 100, 10, 100});
    }
    AddMember(fx, "001", "甲", before);
    AddMember(fx, "002", "乙", before);
    ApplyAutoCategoryChange("001", balance);
    QCOMPARE(fx.scalar("select 卡类别 from 会员卡信息 where 会员卡号 = '001'").toString(), after);
    QCOMPARE(fx.scalar("select 卡类别 from 会员卡信息 where 会员卡号 = '002'").toString(), before);
}

void TestPoints::tiedThresholdsTakeTheLastListed()
{
    Fixture fx;
    fx.exec("update 自动变卡 set 自动变卡 = '是'");
    AddCategory(fx, {"普通", 100, 10, 0});
    AddCategory(fx, {"银甲", 95, 10, 100});
    AddCategory(fx, {"银乙", 90, 10, 100});
    AddMember(fx, "001", "甲", "普通");
    QStringList listed;
    QSqlQuery q = Sql::exec("select 卡类别 from 卡类别 order by 自动变卡下限 asc");
    while (q.next())
        listed << q.value(0).toString();
    ApplyAutoCategoryChange("001", 150);
    QCOMPARE(fx.scalar("select 卡类别 from 会员卡信息 where 会员卡号 = '001'").toString(), listed.last());
}

void TestPoints::emptyThresholdNamesTheCategory()
{
    Fixture fx;
    fx.exec("update 自动变卡 set 自动变卡 = '是'");
    AddCategory(fx, {"普通", 100, 10, 0});
    AddCategory(fx, {"金卡", 90, 10, QVariant()});
    AddMember(fx, "001", "甲", "普通");
    try {
        ApplyAutoCategoryChange("001", 50);
        QFAIL("an empty threshold must fail");
    } catch (const DbError &e) {
        QVERIFY2(e.text().contains("金卡") && e.text().contains("卡类别自动改变积分底限") && e.text().contains("为空"),
                 qPrintable(e.text()));
    }
    // With the switch off the thresholds are not read at all.
    fx.exec("update 自动变卡 set 自动变卡 = '否'");
    ApplyAutoCategoryChange("001", 50);
}

void TestPoints::purchaseStoresRoundedPoints()
{
    Fixture fx;
    AddCategory(fx, {"普通", 95, 10, 0});
    AddMember(fx, "001", "甲", "普通", 1.1);
    fx.exec("insert into 流水记录 (编号, 会员卡号, 增减积分, 增减原因) values ('0000000041', 'x', -1, '兑换积分')");
    const QString number = PointStore::savePurchase(
        {"001", "甲", " 3.17 ", {{"毛巾", "条", "2", "19"}, {"", "", "", "1.5"}}});
    QCOMPARE(number, QString("0000000042"));
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = '001'").toDouble(), 4.27);
    QSqlQuery j = Sql::exec("select * from 流水记录 where 编号 = '0000000042'");
    QVERIFY(j.next());
    QCOMPARE(j.value("会员卡号").toString(), QString("001"));
    QCOMPARE(j.value("会员姓名").toString(), QString("甲"));
    QCOMPARE(j.value("增减积分").toDouble(), 3.17);
    QCOMPARE(j.value("增减原因").toString(), QString("购物消费"));
    QCOMPARE(j.value("日期").toString(), QString("2026-03-14"));
    QCOMPARE(j.value("时间").toString(), QString("10:30:15"));
    QCOMPARE(j.value("经手人").toString(), QString("0001"));
    QSqlQuery c = Sql::exec("select 商品, 单位, 数量, 消费金额, typeof(数量) from 消费记录 where 编号 = '0000000042' "
                            "order by rowid");
    QVERIFY(c.next());
    QCOMPARE(c.value(0).toString() + "|" + c.value(1).toString() + "|" + Sql::text(c.value(2)) + "|"
                 + Sql::text(c.value(3)),
             QString("毛巾|条|2|19"));
    QVERIFY(c.next());
    QCOMPARE(c.value(4).toString(), QString("null")); // an empty quantity is no number
    QVERIFY(!c.next());
}

void TestPoints::savingForAVanishedMemberRollsBack()
{
    Fixture fx;
    try {
        PointStore::savePurchase({"不存在", "甲", "5", {{"毛巾", "条", "1", "10"}}});
        QFAIL("a purchase for no member must fail");
    } catch (const DbError &e) {
        QCOMPARE(e.text(), QString("此卡号不存在！"));
    }
    QCOMPARE(fx.count("流水记录"), 0);
    QCOMPARE(fx.count("消费记录"), 0);
}

void TestPoints::failingCategoryChangeRollsBackEverything()
{
    Fixture fx;
    fx.exec("update 自动变卡 set 自动变卡 = '是'");
    AddCategory(fx, {"普通", 100, 10, 0});
    AddCategory(fx, {"金卡", 90, 10, QVariant()});
    AddMember(fx, "001", "甲", "普通", 10);
    QVERIFY_THROWS_EXCEPTION(DbError, PointStore::savePurchase({"001", "甲", "5", {{"毛巾", "条", "1", "50"}}}));
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = '001'").toDouble(), 10.0);
    QCOMPARE(fx.count("流水记录"), 0);
    QCOMPARE(fx.count("消费记录"), 0);
    // A bad quantity fails the same way, before anything is kept.
    fx.exec("update 卡类别 set 自动变卡下限 = 500 where 卡类别 = '金卡'");
    QVERIFY_THROWS_EXCEPTION(DbError, PointStore::savePurchase({"001", "甲", "5", {{"毛巾", "条", "1..2", "50"}}}));
    QCOMPARE(fx.count("流水记录"), 0);
}

void TestPoints::thousandSmallPurchasesDoNotDrift()
{
    Fixture fx;
    AddCategory(fx, {"普通", 100, 10, 0});
    AddMember(fx, "001", "甲", "普通");
    for (int i = 0; i < 1000; ++i)
        PointStore::savePurchase({"001", "甲", "0.1", {}});
    QCOMPARE(Sql::text(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = '001'")), QString("100"));
    QCOMPARE(fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = '001'").toDouble(), 100.0);
    QCOMPARE(fx.scalar("select max(编号) from 流水记录").toString(), QString("0000001000"));
}

HYJF_TEST_MAIN(TestPoints)
#include "tst_points.moc"
