#include "common/gbk.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "points/basketgrid.h"
#include "points/productpicker.h"
#include "points/tuihuofrm.h"
#include "support/desk.h"
#include "support/fixture.h"
#include "support/members.h"
#include "support/openedwindows.h"
#include "support/testmain.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>

#include <memory>

namespace {

// A returns window over a small shop: 银卡 (80 %, 10 per point), 三分 (100 %, 3 per point),
// 零 (ratio 0), and a product at 25.
struct ReturnDesk : Desk<Ttuihuo>
{
    ReturnDesk()
    {
        AddCategory(fx, {"银卡", 80, 10, 0});
        AddCategory(fx, {"三分", 100, 3, 0});
        AddCategory(fx, {"零", 100, 0, 0});
        AddMember(fx, "8001", "张三", "银卡", 10);
        fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values "
                "('日用', 'SP001', '毛巾', '条', 25)");
        open();
    }

    void typeDiscounted(const QString &keys)
    {
        window->discountedEdit()->selectAll();
        QTest::keyClicks(window->discountedEdit(), keys);
    }
    // 增减积分|增减原因|退/换货说明 of every journal row.
    QStringList journal() const
    {
        QSqlQuery q = Sql::exec("select 增减积分, 增减原因, \"退/换货说明\" from 流水记录 order by rowid");
        QStringList rows;
        while (q.next())
            rows << QStringList{Sql::text(q.value(0)), q.value(1).toString(), q.value(2).toString()}.join("|");
        return rows;
    }
    // 商品|数量|消费金额|增减原因|退/换货说明 of every consumption row.
    QStringList consumption() const
    {
        QSqlQuery q = Sql::exec("select 商品, 数量, 消费金额, 增减原因, \"退/换货说明\" from 消费记录 order by rowid");
        QStringList rows;
        while (q.next())
            rows << QStringList{q.value(0).toString(), Sql::text(q.value(1)), Sql::text(q.value(2)),
                                q.value(3).toString(), q.value(4).toString()}
                        .join("|");
        return rows;
    }
};

} // namespace

class TestReturns : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensWithReturnChosen();
    void workedExample();
    void typedDiscountedAmount_data();
    void typedDiscountedAmount();
    void exchangeDifferenceWithEmptyBasket();
    void zeroPointReturn();
    void returnMayLeaveNegativeBalance();
    void exchangeKeptForTheNextSave();
    void checksOnSaving();
    void categoryMovesDown();
    void failingSaveKeepsInput();
    void searchEmptiesNoteAndEmptyProductListStays();
    void portReceipt();
};

void TestReturns::opensWithReturnChosen()
{
    ReturnDesk d;
    Ttuihuo *w = d.window.get();
    QCOMPARE(w->windowTitle(), QString("退/换货减积分"));
    QCOMPARE(w->findChild<QLabel *>("headingLabel")->text(), QString("退货或换货减积分"));
    QCOMPARE(w->findChild<QGroupBox *>("basketGroup")->title(), QString("详细退货商品"));
    QCOMPARE(w->findChild<QGroupBox *>("kindGroup")->title(), QString("请您选择"));
    QCOMPARE(w->childSize(), QSize(774, 602));
    QCOMPARE(w->childPosition(), QPoint(130, 0));
    QVERIFY(w->returnButton()->isChecked());
    QVERIFY(w->noteEdit()->text().isEmpty());
    QVERIFY(!w->confirmButton()->isEnabled());
    // The discounted amount is open for an exchange's difference, also without a member.
    QVERIFY(!w->discountedEdit()->isReadOnly());
    QVERIFY(w->memberPanel()->searchButton(MemberPanel::SearchColumn::Name)->toolTip().isEmpty());
    QCOMPARE(w->journalNumberLabel()->text(), QString("0000000001"));
    // Digits and "." only.
    d.typeDiscounted("1a2'.5-");
    QCOMPARE(w->discountedEdit()->text(), QString("12.5"));
}

void TestReturns::workedExample()
{
    ReturnDesk d;
    d.lookUp("8001");
    d.addProduct("SP001");
    d.window->basketGrid()->setCellText(0, BasketGrid::Quantity, "2");
    d.window->basketGrid()->setCurrentCell(1, BasketGrid::Price); // moving on recalculates the line
    QCOMPARE(d.window->amountEdit()->text(), QString("50"));
    QCOMPARE(d.window->discountedEdit()->text(), QString("40"));
    QCOMPARE(d.window->pointsEdit()->text(), QString("4"));
    d.window->noteEdit()->setText("尺码不合'适");

    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.texts(), QStringList{"退/换货减少积分成功！"});
    QCOMPARE(d.dialogs.messages.last().caption, QString("提示"));
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Information);
    QCOMPARE(d.dialogs.committedJournalRows, QList<int>{1}); // after the commit
    QCOMPARE(d.points(), 6.0);
    QCOMPARE(d.journal(), QStringList{"-4|退货|尺码不合'适"});
    QCOMPARE(d.consumption(), QStringList{"毛巾|-2|-40|退货|尺码不合'适"});
    QCOMPARE(d.fx.scalar("select 编号 from 消费记录").toString(), QString("0000000001"));

    // Reset: no member, empty basket and note, the next number, the kind kept.
    QVERIFY(d.panel()->cardEdit()->text().isEmpty());
    QVERIFY(d.window->noteEdit()->text().isEmpty());
    QVERIFY(d.window->basketGrid()->cellText(0, BasketGrid::Code).isEmpty());
    QVERIFY(!d.window->confirmButton()->isEnabled());
    QCOMPARE(d.window->journalNumberLabel()->text(), QString("0000000002"));
    QVERIFY(d.window->returnButton()->isChecked());
    QCOMPARE(d.panel()->currentCard(), QString("8001"));
}

void TestReturns::typedDiscountedAmount_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("points");
    QTest::newRow("10") << "10" << "3.33";
    QTest::newRow("10.01") << "10.01" << "3.34";
}

void TestReturns::typedDiscountedAmount()
{
    QFETCH(QString, typed);
    QFETCH(QString, points);
    ReturnDesk d;
    AddMember(d.fx, "8003", "李四", "三分", 20);
    d.lookUp("8003");
    d.typeDiscounted(typed);
    // The points rule runs directly; the amount is left as it was.
    QCOMPARE(d.window->pointsEdit()->text(), points);
    QCOMPARE(d.window->amountEdit()->text(), QString("0"));
    // A later change of the amount overwrites the typed value again.
    d.window->amountEdit()->setText("6");
    QCOMPARE(d.window->discountedEdit()->text(), QString("6"));
    QCOMPARE(d.window->pointsEdit()->text(), QString("2"));
}

void TestReturns::exchangeDifferenceWithEmptyBasket()
{
    ReturnDesk d;
    // Typed before the card was read: the member's ratio applies to it, the amount rule not.
    d.typeDiscounted("35");
    d.lookUp("8001");
    QCOMPARE(d.window->discountedEdit()->text(), QString("35"));
    QCOMPARE(d.window->pointsEdit()->text(), QString("3.5"));
    d.window->exchangeButton()->setChecked(true);
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.lastText(), QString("退/换货减少积分成功！"));
    QCOMPARE(d.journal(), QStringList{"-3.5|换货|"});
    QCOMPARE(d.fx.count("消费记录"), 0);
    QCOMPARE(d.points(), 6.5);
}

void TestReturns::zeroPointReturn()
{
    ReturnDesk d;
    AddMember(d.fx, "8004", "王五", "零", 7);
    d.lookUp("8004");
    d.addProduct("SP001");
    QVERIFY(d.window->pointsEdit()->text().isEmpty()); // ratio 0 leaves the points alone
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.lastText(), QString("退/换货减少积分成功！"));
    QCOMPARE(d.journal(), QStringList{"0|退货|"});
    QCOMPARE(d.fx.scalar("select 增减积分 from 流水记录").toDouble(), 0.0);
    QVERIFY(!std::signbit(d.fx.scalar("select 增减积分 from 流水记录").toDouble()));
    QCOMPARE(d.consumption(), QStringList{"毛巾|-1|-25|退货|"});
    QCOMPARE(d.points("8004"), 7.0);
}

void TestReturns::returnMayLeaveNegativeBalance()
{
    ReturnDesk d;
    d.fx.exec("update 会员卡信息 set 积分 = 5 where 会员卡号 = '8001'");
    d.lookUp("8001");
    d.window->amountEdit()->setText("100"); // 80 after the discount: 8 points
    QCOMPARE(d.window->pointsEdit()->text(), QString("8"));
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.lastText(), QString("退/换货减少积分成功！"));
    QCOMPARE(d.points(), -3.0);
}

void TestReturns::exchangeKeptForTheNextSave()
{
    ReturnDesk d;
    d.window->exchangeButton()->setChecked(true);
    d.lookUp("8001");
    d.addProduct("SP001");
    d.addProduct("SP001");
    d.window->confirmButton()->click();
    QCOMPARE(d.consumption(), QStringList({"毛巾|-1|-20|换货|", "毛巾|-1|-20|换货|"}));
    QVERIFY(d.window->exchangeButton()->isChecked());

    d.lookUp("8001");
    d.window->amountEdit()->setText("10");
    d.window->confirmButton()->click();
    QCOMPARE(d.journal(), QStringList({"-4|换货|", "-0.8|换货|"}));
    QCOMPARE(d.fx.scalar("select max(编号) from 流水记录").toString(), QString("0000000002"));
}

void TestReturns::checksOnSaving()
{
    ReturnDesk d;
    d.lookUp("8001");
    // Price and quantity without a product pass and are written with empty goods.
    d.window->basketGrid()->setCellText(0, BasketGrid::Price, "5");
    d.window->basketGrid()->setCellText(0, BasketGrid::Quantity, "2");
    d.window->basketGrid()->setCurrentCell(1, BasketGrid::Price);
    QCOMPARE(d.window->amountEdit()->text(), QString("10"));
    // A line with a category but no code is refused.
    d.window->basketGrid()->setCellText(2, BasketGrid::Category, "日用");
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.texts(), QStringList{"请将退货商品表格填写完整！"});
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Error);
    QCOMPARE(d.window->basketGrid()->currentRow(), 2);
    QCOMPARE(d.fx.count("流水记录"), 0);

    d.window->basketGrid()->setCellText(2, BasketGrid::Category, "");
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.lastText(), QString("退/换货减少积分成功！"));
    QCOMPARE(d.consumption(), QStringList{"|-2|-8|退货|"});

    // Points below zero cannot come from the filtered fields; a negative category ratio
    // gives them.
    AddCategory(d.fx, {"倒", 100, -10, 0});
    AddMember(d.fx, "8005", "赵六", "倒", 1);
    d.lookUp("8005");
    d.window->amountEdit()->setText("10");
    QCOMPARE(d.window->pointsEdit()->text(), QString("-1"));
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.lastText(), QString("积分减少小于零，不能保存！"));
    QCOMPARE(d.fx.count("流水记录"), 1);
    QVERIFY(d.window->confirmButton()->isEnabled());
}

void TestReturns::categoryMovesDown()
{
    ReturnDesk d;
    d.fx.exec("update 自动变卡 set 自动变卡 = '是'");
    d.fx.exec("delete from 卡类别");
    AddCategory(d.fx, {"A", 100, 1, 0});
    AddCategory(d.fx, {"B", 100, 1, 100});
    AddCategory(d.fx, {"C", 100, 1, 500});
    AddMember(d.fx, "8010", "陈七", "C", 520);
    AddMember(d.fx, "8011", "周八", "B", 150);
    d.lookUp("8010");
    d.window->amountEdit()->setText("300");
    d.window->confirmButton()->click();
    QCOMPARE(d.fx.scalar("select 卡类别 from 会员卡信息 where 会员卡号 = '8010'").toString(), QString("B"));
    // Below every threshold the category stays.
    d.lookUp("8011");
    d.window->amountEdit()->setText("200");
    d.window->confirmButton()->click();
    QCOMPARE(d.points("8011"), -50.0);
    QCOMPARE(d.fx.scalar("select 卡类别 from 会员卡信息 where 会员卡号 = '8011'").toString(), QString("B"));
}

void TestReturns::failingSaveKeepsInput()
{
    ReturnDesk d;
    d.fx.exec("update 自动变卡 set 自动变卡 = '是'");
    AddCategory(d.fx, {"金卡", 90, 8, QVariant()});
    d.lookUp("8001");
    d.addProduct("SP001");
    d.window->noteEdit()->setText("破损");
    d.window->exchangeButton()->setChecked(true);
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.messages.size(), 1);
    QVERIFY(d.dialogs.lastText().contains("金卡"));
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::None);
    QCOMPARE(d.fx.count("流水记录"), 0);
    QCOMPARE(d.fx.count("消费记录"), 0);
    QCOMPARE(d.points(), 10.0);
    QCOMPARE(d.panel()->cardEdit()->text(), QString("8001"));
    QCOMPARE(d.window->noteEdit()->text(), QString("破损"));
    QCOMPARE(d.window->basketGrid()->cellText(0, BasketGrid::Code), QString("SP001"));
    QCOMPARE(d.window->pointsEdit()->text(), QString("2"));
    QVERIFY(d.window->exchangeButton()->isChecked());
    QVERIFY(d.window->confirmButton()->isEnabled());

    // A member deleted meanwhile is not written for.
    d.fx.exec("update 卡类别 set 自动变卡下限 = 0 where 卡类别 = '金卡'");
    d.fx.exec("delete from 会员卡信息 where 会员卡号 = '8001'");
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.lastText(), QString("此卡号不存在！"));
    QCOMPARE(d.fx.count("流水记录"), 0);
}

void TestReturns::searchEmptiesNoteAndEmptyProductListStays()
{
    ReturnDesk d;
    d.window->noteEdit()->setText("说明");
    d.panel()->nameEdit()->setText("张");
    d.panel()->SearchMembers(MemberPanel::SearchColumn::Name);
    QVERIFY(d.window->noteEdit()->text().isEmpty());
    QVERIFY(d.panel()->pickGroup()->isVisible());
    d.panel()->PickMember();
    QCOMPARE(d.panel()->cardEdit()->text(), QString("8001"));
    QVERIFY(d.window->confirmButton()->isEnabled());

    ProductPicker *picker = d.window->productPicker();
    picker->searchEdit()->setText("没有这种");
    picker->searchButtonClick();
    picker->pickGridDoubleClick();
    QVERIFY(picker->pickGroup()->isVisible());
    QVERIFY(picker->searchEdit()->hasFocus());
}

void TestReturns::portReceipt()
{
    ReturnDesk d;
    const QString port = d.fx.file("port.prn");
    d.fx.writeIni(Gbk::encode(QStringLiteral("[程序参数]\r\n打印端口=%1\r\n店铺名称=小店\r\n打印小票=1\r\n打印机=0\r\n")
                                  .arg(port)));
    d.lookUp("8001");
    d.addProduct("SP001");
    d.window->basketGrid()->setCellText(1, BasketGrid::Price, "3"); // no category: not listed
    d.window->basketGrid()->setCellText(1, BasketGrid::Quantity, "1");
    d.window->basketGrid()->setCurrentCell(2, BasketGrid::Price);
    d.window->confirmButton()->click();
    QFile file(port);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = Gbk::decode(file.readAll()).split("\r\n");
    QVERIFY(lines.contains("~~~~~~~退/换货减少积分~~~~~~~~~"));
    const int card = lines.indexOf("会员卡号： 8001");
    QVERIFY(card > 0);
    QCOMPARE(lines.mid(card + 1, 5), QStringList({"会员姓名： 张三", "退货商品： 毛巾", "退货金额： 22.4",
                                                  "减少积分： 2.24", "现有积分： 7.76"}));
}

HYJF_TEST_MAIN(TestReturns)
#include "tst_returns.moc"
