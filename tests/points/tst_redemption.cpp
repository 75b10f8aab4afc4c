#include "common/gbk.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "points/duihuanfrm.h"
#include "points/tuihuofrm.h"
#include "support/desk.h"
#include "support/fixture.h"
#include "support/members.h"
#include "support/openedwindows.h"
#include "support/testmain.h"

#include <QFile>
#include <QGroupBox>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableView>

#include <memory>

namespace {

// A redemption window; 银卡 grants both kinds, 礼卡 gifts only, 现卡 cash only, 无 neither.
struct RedeemDesk : Desk<Tduihuan>
{
    RedeemDesk()
    {
        AddCategory(fx, {"银卡", 80, 10, 0});
        AddCategory(fx, {"礼卡", 100, 10, 0}, true, false);
        AddCategory(fx, {"现卡", 100, 10, 0}, false, true);
        AddCategory(fx, {"无", 100, 10, 0}, false, false);
        AddMember(fx, "8001", "张三", "银卡", 100);
        open();
    }

    void redeem(const QString &points, const QString &gift = {}, const QString &cash = {})
    {
        window->pointsEdit()->setText(points);
        window->giftEdit()->setText(gift);
        window->cashEdit()->setText(cash);
        window->confirmButton()->click();
    }
    // 增减积分|增减原因|兑换礼品|返现金 of every journal row; NULL shows as "null".
    QStringList journal() const
    {
        QSqlQuery q = Sql::exec("select 增减积分, 增减原因, 兑换礼品, 返现金 from 流水记录 order by rowid");
        QStringList rows;
        while (q.next())
            rows << QStringList{Sql::text(q.value(0)), q.value(1).toString(),
                                q.value(2).isNull() ? QString("null") : q.value(2).toString(),
                                q.value(3).isNull() ? QString("null") : Sql::text(q.value(3))}
                        .join("|");
        return rows;
    }
};

} // namespace

class TestRedemption : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensWaiting();
    void wholeBalanceAndOnePointMore();
    void decimalPoints();
    void rights_data();
    void rights();
    void emptyCashAndGift();
    void kindSwitchedAfterLoading();
    void returnInAnotherWindowCannotBeOverdrawn();
    void categoryMovesDown();
    void failingSaveKeepsInput();
    void enterChainAndFilters();
    void portReceipt();
};

void TestRedemption::opensWaiting()
{
    RedeemDesk d;
    Tduihuan *w = d.window.get();
    QCOMPARE(w->windowTitle(), QString("积分兑换"));
    QCOMPARE(w->childSize(), QSize(556, 438));
    QCOMPARE(w->childPosition(), QPoint(200, 0));
    QVERIFY(w->giftButton()->isChecked());
    QCOMPARE(w->giftButton()->text(), QString("礼品           "));
    QVERIFY(w->giftEdit()->isEnabled());
    QVERIFY(!w->cashEdit()->isEnabled());
    QVERIFY(!w->pointsEdit()->isEnabled());
    QVERIFY(!w->confirmButton()->isEnabled());
    QVERIFY(!d.panel()->pickGroup()->isVisible());
    QVERIFY(d.panel()->purchaseCountValue() == nullptr); // no totals in this panel
    QCOMPARE(d.panel()->searchButton(MemberPanel::SearchColumn::Mobile)->toolTip(), QString("模糊查找"));
    QCOMPARE(w->journalNumberLabel()->text(), QString("0000000001"));
}

void TestRedemption::wholeBalanceAndOnePointMore()
{
    RedeemDesk d;
    d.lookUp("8001");
    QVERIFY(d.window->pointsEdit()->hasFocus());
    d.redeem("101", "茶杯");
    QCOMPARE(d.dialogs.texts(), QStringList{"兑换积分大于现有积分，不能保存！"});
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Error);
    QCOMPARE(d.fx.count("流水记录"), 0);
    QCOMPARE(d.window->pointsEdit()->text(), QString("101"));
    QVERIFY(d.window->confirmButton()->isEnabled());

    d.redeem("100", "茶杯");
    QCOMPARE(d.dialogs.lastText(), QString("兑换积分成功！"));
    QCOMPARE(d.dialogs.messages.last().caption, QString("系统提示"));
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Question);
    QCOMPARE(d.dialogs.committedJournalRows.last(), 1); // after the commit
    QCOMPARE(d.points(), 0.0);
    QCOMPARE(d.journal(), QStringList{"-100|兑换积分|茶杯|0"});
    QCOMPARE(d.fx.count("消费记录"), 0);
    // Reset for the next member: kind and gift/cash states stay.
    QVERIFY(d.panel()->cardEdit()->text().isEmpty());
    QVERIFY(d.window->pointsEdit()->text().isEmpty());
    QVERIFY(d.window->giftEdit()->text().isEmpty());
    QVERIFY(!d.window->confirmButton()->isEnabled() && !d.window->pointsEdit()->isEnabled());
    QVERIFY(d.window->giftEdit()->isEnabled());
    QCOMPARE(d.window->journalNumberLabel()->text(), QString("0000000002"));
    QCOMPARE(d.panel()->currentCard(), QString("8001"));

    // Nothing, zero or less is refused.
    d.lookUp("8001");
    d.fx.exec("update 会员卡信息 set 积分 = 5");
    for (const QString &typed : {QString(), QString("0")}) {
        d.redeem(typed);
        QCOMPARE(d.dialogs.lastText(), QString("兑换积分小于或等于零，不能保存！"));
    }
    QCOMPARE(d.fx.count("流水记录"), 1);
}

void TestRedemption::decimalPoints()
{
    RedeemDesk d;
    d.lookUp("8001");
    d.redeem("12.5");
    QCOMPARE(d.journal(), QStringList{"-12.5|兑换积分||0"});
    QCOMPARE(d.points(), 87.5);
    // A point alone is no number: the standard error, nothing stored.
    d.lookUp("8001");
    d.redeem(".");
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Error);
    QVERIFY(d.dialogs.lastText().contains("."));
    QCOMPARE(d.fx.count("流水记录"), 1);
}

void TestRedemption::rights_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("cashKind");
    QTest::addColumn<bool>("pick");
    QTest::addColumn<QString>("refusal"); // empty: admitted
    QTest::addColumn<QString>("caption");
    const QString noGift = "对不起！此卡不允许兑换礼品！";
    const QString noCash = "对不起！此卡不允许返现金！";
    for (const bool pick : {false, true}) {
        const char *how = pick ? ", pick" : ", Enter";
        const QString cashCaption = pick ? "提示！" : "提示";
        QTest::addRow("gift only, gift%s", how) << "礼卡" << false << pick << "" << "";
        QTest::addRow("gift only, cash%s", how) << "礼卡" << true << pick << noCash << cashCaption;
        QTest::addRow("cash only, gift%s", how) << "现卡" << false << pick << noGift << "提示";
        QTest::addRow("cash only, cash%s", how) << "现卡" << true << pick << "" << "";
        QTest::addRow("both, gift%s", how) << "银卡" << false << pick << "" << "";
        QTest::addRow("both, cash%s", how) << "银卡" << true << pick << "" << "";
        QTest::addRow("none, gift%s", how) << "无" << false << pick << noGift << "提示";
        QTest::addRow("none, cash%s", how) << "无" << true << pick << noCash << cashCaption;
        QTest::addRow("missing, gift%s", how) << "已删" << false << pick << noGift << "提示";
        QTest::addRow("missing, cash%s", how) << "已删" << true << pick << noCash << cashCaption;
    }
}

void TestRedemption::rights()
{
    QFETCH(QString, category);
    QFETCH(bool, cashKind);
    QFETCH(bool, pick);
    QFETCH(QString, refusal);
    QFETCH(QString, caption);
    RedeemDesk d;
    AddMember(d.fx, "8100", "测试", category, 50);
    d.window->cashButton()->setChecked(cashKind);
    if (pick) {
        d.panel()->nameEdit()->setText("测试");
        d.panel()->SearchMembers(MemberPanel::SearchColumn::Name);
        d.panel()->PickMember();
        QVERIFY(!d.panel()->pickGroup()->isVisible());
    } else {
        d.lookUp("8100");
    }
    QCOMPARE(d.panel()->currentCard(), QString("8100"));
    if (refusal.isEmpty()) {
        QVERIFY(d.dialogs.messages.isEmpty());
        QCOMPARE(d.window->cashEdit()->isEnabled(), cashKind);
        QCOMPARE(d.window->giftEdit()->isEnabled(), !cashKind);
        QVERIFY(d.window->pointsEdit()->isEnabled() && d.window->confirmButton()->isEnabled());
        QCOMPARE(d.window->pointsEdit()->hasFocus(), !pick);
        d.redeem("5", "笔", "3");
        QCOMPARE(d.dialogs.lastText(), QString("兑换积分成功！"));
        QCOMPARE(d.points("8100"), 45.0);
    } else {
        QCOMPARE(d.dialogs.texts(), QStringList{refusal});
        QCOMPARE(d.dialogs.messages.last().caption, caption);
        QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Error);
        QVERIFY(d.panel()->cardEdit()->text().isEmpty());
        QVERIFY(d.panel()->nameEdit()->text().isEmpty());
        QVERIFY(d.panel()->pointsValue()->text().isEmpty());
        QVERIFY(!d.window->confirmButton()->isEnabled());
    }
}

void TestRedemption::emptyCashAndGift()
{
    RedeemDesk d;
    d.window->cashButton()->setChecked(true);
    d.lookUp("8001");
    d.redeem("10");
    QCOMPARE(d.journal(), QStringList{"-10|兑换积分||0"});
    QVERIFY(!d.fx.scalar("select 兑换礼品 from 流水记录").isNull());
    d.lookUp("8001");
    d.redeem("1", "", "0.5");
    QCOMPARE(d.journal().last(), QString("-1|兑换积分||0.5"));
}

void TestRedemption::kindSwitchedAfterLoading()
{
    RedeemDesk d;
    AddMember(d.fx, "8101", "礼客", "礼卡", 30);
    d.lookUp("8101");
    d.window->cashButton()->setChecked(true); // not checked again
    QVERIFY(d.window->giftEdit()->isEnabled());
    QVERIFY(!d.window->cashEdit()->isEnabled());
    d.redeem("10", "围巾");
    QCOMPARE(d.dialogs.texts(), QStringList{"兑换积分成功！"});
    QCOMPARE(d.journal(), QStringList{"-10|兑换积分|围巾|0"});
    // The states stay for the next member; the kind chosen now is checked then.
    QVERIFY(d.window->giftEdit()->isEnabled());
    QVERIFY(d.window->cashButton()->isChecked());
    d.lookUp("8101");
    QCOMPARE(d.dialogs.lastText(), QString("对不起！此卡不允许返现金！"));
}

void TestRedemption::returnInAnotherWindowCannotBeOverdrawn()
{
    RedeemDesk d;
    d.fx.exec("update 会员卡信息 set 积分 = 10");
    d.lookUp("8001");
    QCOMPARE(d.panel()->pointsValue()->text(), QString("10"));

    Ttuihuo returns;
    returns.memberPanel()->cardEdit()->setText("8001");
    returns.memberPanel()->LookUpCard();
    returns.amountEdit()->setText("50"); // 80 %: 40, 4 points off
    returns.confirmButton()->click();
    QCOMPARE(d.points(), 6.0);

    d.redeem("8", "茶杯");
    QCOMPARE(d.dialogs.lastText(), QString("兑换积分大于现有积分，不能保存！"));
    QCOMPARE(d.points(), 6.0);
    QCOMPARE(d.fx.count("流水记录", "增减原因 = '兑换积分'"), 0);
    QCOMPARE(d.window->pointsEdit()->text(), QString("8"));
    d.redeem("6", "茶杯");
    QCOMPARE(d.dialogs.lastText(), QString("兑换积分成功！"));
    QCOMPARE(d.points(), 0.0);
}

void TestRedemption::categoryMovesDown()
{
    RedeemDesk d;
    d.fx.exec("update 自动变卡 set 自动变卡 = '是'");
    d.fx.exec("delete from 卡类别");
    AddCategory(d.fx, {"A", 100, 1, 0});
    AddCategory(d.fx, {"B", 100, 1, 100});
    AddCategory(d.fx, {"C", 100, 1, 500});
    AddMember(d.fx, "8010", "陈七", "C", 600);
    d.lookUp("8010");
    d.redeem("300");
    QCOMPARE(d.fx.scalar("select 卡类别 from 会员卡信息 where 会员卡号 = '8010'").toString(), QString("B"));
    d.lookUp("8010");
    d.redeem("250");
    QCOMPARE(d.fx.scalar("select 卡类别 from 会员卡信息 where 会员卡号 = '8010'").toString(), QString("A"));
}

void TestRedemption::failingSaveKeepsInput()
{
    RedeemDesk d;
    d.fx.exec("update 自动变卡 set 自动变卡 = '是'");
    AddCategory(d.fx, {"金卡", 90, 8, QVariant()});
    d.lookUp("8001");
    d.redeem("20", "茶杯");
    QCOMPARE(d.dialogs.messages.size(), 1);
    QVERIFY(d.dialogs.lastText().contains("金卡"));
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::None);
    QCOMPARE(d.fx.count("流水记录"), 0);
    QCOMPARE(d.points(), 100.0);
    QCOMPARE(d.panel()->cardEdit()->text(), QString("8001"));
    QCOMPARE(d.window->pointsEdit()->text(), QString("20"));
    QCOMPARE(d.window->giftEdit()->text(), QString("茶杯"));
    QVERIFY(d.window->confirmButton()->isEnabled());
}

void TestRedemption::enterChainAndFilters()
{
    RedeemDesk d;
    d.lookUp("8001");
    QTest::keyClicks(d.window->pointsEdit(), "1x2.'5");
    QCOMPARE(d.window->pointsEdit()->text(), QString("12.5"));
    QTest::keyClick(d.window->pointsEdit(), Qt::Key_Return);
    QVERIFY(d.window->giftEdit()->hasFocus());
    d.window->giftEdit()->insert("杯'子");
    QCOMPARE(d.window->giftEdit()->text(), QString("杯'子"));
    QTest::keyClick(d.window->giftEdit(), Qt::Key_Return);
    QVERIFY(d.window->confirmButton()->hasFocus());

    d.window->cashButton()->setChecked(true);
    d.lookUp("8001");
    QTest::keyClicks(d.window->pointsEdit(), "3");
    QTest::keyClick(d.window->pointsEdit(), Qt::Key_Return);
    QVERIFY(d.window->cashEdit()->hasFocus());
    QTest::keyClicks(d.window->cashEdit(), "a5.5-");
    QCOMPARE(d.window->cashEdit()->text(), QString("5.5"));
    QTest::keyClick(d.window->cashEdit(), Qt::Key_Return);
    QVERIFY(d.window->confirmButton()->hasFocus());
}

void TestRedemption::portReceipt()
{
    RedeemDesk d;
    const QString port = d.fx.file("port.prn");
    d.fx.writeIni(Gbk::encode(QStringLiteral("[程序参数]\r\n打印端口=%1\r\n打印小票=1\r\n打印机=0\r\n").arg(port)));
    d.lookUp("8001");
    d.redeem("30", "茶杯");
    QFile file(port);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = Gbk::decode(file.readAll()).split("\r\n");
    QVERIFY(lines.contains("~~~~~~~~~~积分兑换~~~~~~~~~~~"));
    const int card = lines.indexOf("会员卡号： 8001");
    QVERIFY(card > 0);
    QCOMPARE(lines.mid(card + 1, 5), QStringList({"会员姓名： 张三", "兑换积分： 30", "兑换礼品： 茶杯",
                                                  "兑换现金： 0", "现有积分： 70"}));
}

HYJF_TEST_MAIN(TestRedemption)
#include "tst_redemption.moc"
