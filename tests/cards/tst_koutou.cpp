#include "cards/koutoufrm.h"
#include "common/clock.h"
#include "common/session.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "support/committed.h"
#include "support/fixture.h"
#include "support/members.h"
#include "support/openedwindows.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableView>

#include <memory>

namespace {

// A verbal loss window over two members: 001 (not lost) and 002 (lost).
struct LossDesk
{
    LossDesk()
    {
        AddCategory(fx, { "普通", 100, 10, 0 });
        AddMember(fx, "001", "张三", "普通", 12.5);
        AddMember(fx, "002", "李四", "普通", 0, true);
        window = std::make_unique<Tkoutou>();
        window->show();
    }
    MemberPanel *panel() const { return window->memberPanel(); }
    void lookUp(const QString &card)
    {
        panel()->cardEdit()->setText(card);
        QTest::keyClick(panel()->cardEdit(), Qt::Key_Return);
    }
    bool flag(const QString &card) const
    {
        return Sql::isTrue(
            Sql::scalar("select 口头挂失标志 from 会员卡信息 where 会员卡号 = ?", { card }));
    }
    void addRecord(const QString &card, const QString &date, bool closed)
    {
        fx.exec("insert into 口头挂失记录 values (?, '李四', ?, '08:00:00', '0002', ?, ?, ?)",
                { card, date, closed ? QVariant("2026-01-02") : QVariant(),
                  closed ? QVariant("09:00:00") : QVariant(),
                  closed ? QVariant("0002") : QVariant() });
    }
    // Every record of the card, in the order written: all eight columns, NULL as "null".
    QStringList records(const QString &card) const
    {
        QSqlQuery q
            = Sql::exec("select * from 口头挂失记录 where 会员卡号 = ? order by rowid", { card });
        QStringList rows;
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < 8; ++i)
                cells << (q.value(i).isNull() ? QString("null") : q.value(i).toString());
            rows << cells.join("|");
        }
        return rows;
    }

    Fixture fx;
    // At every message: tens are loss records, ones are closed records, as committed.
    CommittedCountDialogs dialogs {
        "select 10 * count(*) + count(取消挂失经手人) from 口头挂失记录"
    };
    OpenedWindowsShell shell;
    std::unique_ptr<Tkoutou> window;
};

} // namespace

class TestKoutou : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reportThenCancel();
    void cancelClosesEveryOpenRecord_data();
    void cancelClosesEveryOpenRecord();
    void refusals_data();
    void refusals();
    void pickedMemberAndReplacedCard();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
};

void TestKoutou::reportThenCancel()
{
    LossDesk d;
    Tkoutou *w = d.window.get();
    QCOMPARE(w->windowTitle(), QString("会员卡挂失及取消"));
    QCOMPARE(w->childPosition(), QPoint(200, 0));
    QVERIFY(w->reportButton()->isChecked());
    QVERIFY(!w->confirmButton()->isEnabled());
    QVERIFY(!d.panel()->pickGroup()->isVisible());

    d.lookUp("001");
    QVERIFY(d.dialogs.messages.isEmpty());
    QCOMPARE(d.panel()->pointsValue()->text(), QString("12.5"));
    QVERIFY(!d.panel()->lossBox()->isChecked());
    QVERIFY(w->confirmButton()->isEnabled());
    // The report keeps the name as the operator corrected it, quote and all.
    d.panel()->nameEdit()->setText("张三'丰");
    w->confirmButton()->click();
    QCOMPARE(d.dialogs.texts(), QStringList { "挂失成功！" });
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Information);
    QCOMPARE(d.dialogs.committedCounts, QList<int> { 10 }); // shown after the commit
    QVERIFY(d.flag("001"));
    QCOMPARE(d.records("001"),
             QStringList { "001|张三'丰|2026-03-14|10:30:15|0001|null|null|null" });
    QCOMPARE(Sql::text(Sql::scalar("select 会员姓名 from 会员卡信息 where 会员卡号 = '001'")),
             QString("张三"));
    // Reset for the next card, the choice kept; "确定" waits for the next lookup.
    QVERIFY(d.panel()->cardEdit()->text().isEmpty());
    QVERIFY(d.panel()->nameEdit()->text().isEmpty());
    QVERIFY(d.panel()->pointsValue()->text().isEmpty());
    QVERIFY(w->reportButton()->isChecked());
    QVERIFY(!w->confirmButton()->isEnabled());
    w->confirmButton()->click();
    QCOMPARE(d.dialogs.messages.size(), 1);

    // Later, by another operator: the record is closed with the cancellation's moment.
    Clock::setFixed(QDateTime(QDate(2026, 3, 15), QTime(9, 5, 0)));
    SetCurrentOperator("0002", {});
    w->cancelReportButton()->setChecked(true);
    d.lookUp("001");
    QVERIFY(d.panel()->lossBox()->isChecked());
    w->confirmButton()->click();
    QCOMPARE(d.dialogs.lastText(), QString("取消挂失成功！"));
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Information);
    QCOMPARE(d.dialogs.committedCounts.last(), 11);
    QVERIFY(!d.flag("001"));
    QCOMPARE(d.records("001"),
             QStringList { "001|张三'丰|2026-03-14|10:30:15|0001|2026-03-15|09:05:00|0002" });
    QVERIFY(w->cancelReportButton()->isChecked());
    QVERIFY(!d.panel()->lossBox()->isChecked());
    QVERIFY(!w->confirmButton()->isEnabled());
    QVERIFY(d.flag("002")); // the other member untouched
}

void TestKoutou::cancelClosesEveryOpenRecord_data()
{
    QTest::addColumn<int>("open");
    QTest::addColumn<int>("closedBefore");
    QTest::newRow("two open records") << 2 << 1;
    QTest::newRow("records purged") << 0 << 0;
}

void TestKoutou::cancelClosesEveryOpenRecord()
{
    QFETCH(int, open);
    QFETCH(int, closedBefore);
    LossDesk d;
    for (int i = 0; i < closedBefore; ++i)
        d.addRecord("002", "2026-01-01", true);
    for (int i = 0; i < open; ++i)
        d.addRecord("002", QString("2026-02-0%1").arg(i + 1), false);
    d.addRecord("001", "2026-02-01", false); // another card's open record stays open
    const QStringList before = d.records("002");

    d.window->cancelReportButton()->setChecked(true);
    d.lookUp("002");
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.texts(), QStringList { "取消挂失成功！" });
    QVERIFY(!d.flag("002"));
    QStringList expected;
    for (int i = 0; i < before.size(); ++i)
        expected << (i < closedBefore
                         ? before.at(i)
                         : before.at(i).section('|', 0, 4) + "|2026-03-14|10:30:15|0001");
    QCOMPARE(d.records("002"), expected);
    QCOMPARE(d.records("001").value(0).section('|', 5), QString("null|null|null"));
}

void TestKoutou::refusals_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("searchFirst");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("confirmAfter");
    QTest::newRow("report of a lost card")
        << "002" << false << false << "此卡号已经挂失！" << false;
    QTest::newRow("cancel of a card not lost")
        << "001" << true << false << "此卡号还没有挂失！" << false;
    // A search empties the card field but leaves "确定" as the lookup left it.
    QTest::newRow("report after a search")
        << "001" << false << true << "请将卡号填写完整！" << true;
}

void TestKoutou::refusals()
{
    QFETCH(QString, card);
    QFETCH(bool, cancel);
    QFETCH(bool, searchFirst);
    QFETCH(QString, message);
    QFETCH(bool, confirmAfter);
    LossDesk d;
    (cancel ? d.window->cancelReportButton() : d.window->reportButton())->setChecked(true);
    d.lookUp(card);
    if (searchFirst) {
        d.panel()->nameEdit()->setText("张");
        QTest::keyClick(d.panel()->nameEdit(), Qt::Key_Return);
        QVERIFY(d.panel()->pickGroup()->isVisible());
        QVERIFY(d.panel()->cardEdit()->text().isEmpty());
    }
    const bool lost = d.flag(card);
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.texts(), QStringList { message });
    QCOMPARE(d.dialogs.messages.last().caption, QString("提示"));
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Error);
    QCOMPARE(d.window->confirmButton()->isEnabled(), confirmAfter);
    QCOMPARE(d.fx.count("口头挂失记录"), 0);
    QCOMPARE(d.flag(card), lost);
}

void TestKoutou::pickedMemberAndReplacedCard()
{
    LossDesk d;
    d.fx.exec("insert into 挂失记录 (旧卡号, 新卡号, 会员姓名, 原有积分) values ('000', '001', "
              "'张三', 3)");
    // A search and a double click load the member without typing the number.
    d.panel()->searchEdit(MemberPanel::SearchColumn::Phone)->setText("0571-00");
    QTest::keyClick(d.panel()->searchEdit(MemberPanel::SearchColumn::Phone), Qt::Key_Return);
    QCOMPARE(d.panel()->pickRowCount(), 2);
    QTest::mouseDClick(
        d.panel()->pickGrid()->viewport(), Qt::LeftButton, {},
        d.panel()->pickGrid()->visualRect(d.panel()->pickGrid()->model()->index(0, 0)).center());
    QCOMPARE(d.panel()->cardEdit()->text(), QString("001"));
    QVERIFY(!d.panel()->pickGroup()->isVisible());
    QVERIFY(d.window->confirmButton()->isEnabled());

    // A number replaced away only offers its history; the panel keeps the member shown.
    d.dialogs.answers << MsgResult::Ok;
    d.lookUp("000");
    QCOMPARE(d.dialogs.texts(), QStringList { "此卡已经更换，不能使用,需要打开换卡记录吗？" });
    QCOMPARE(d.shell.opened.value(0),
             qMakePair(QString("全部挂失历史记录"), QString("Tguashilishi")));
    QCOMPARE(d.panel()->nameEdit()->text(), QString("张三"));

    d.lookUp("001");
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.lastText(), QString("挂失成功！"));
    QVERIFY(d.flag("001"));
    QCOMPARE(d.fx.count("口头挂失记录", "会员卡号 = '001'"), 1);

    // A number typed over the member shown names nobody yet.
    d.lookUp("002");
    QTest::keyClick(d.panel()->cardEdit(), Qt::Key_1);
    QVERIFY(!d.window->confirmButton()->isEnabled());
}

void TestKoutou::failedSaveKeepsEverything_data()
{
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("confirmAfter");
    // The flag is set before the record fails, so only a rollback leaves it clear.
    QTest::newRow("engine error") << "create trigger refuse before insert on 口头挂失记录 begin "
                                     "select raise(abort, '磁盘已满'); end"
                                  << "磁盘已满" << true;
    QTest::newRow("member renumbered since the lookup")
        << "update 会员卡信息 set 会员卡号 = '009' where 会员卡号 = '001'"
        << "此卡号不存在！" << false;
}

void TestKoutou::failedSaveKeepsEverything()
{
    QFETCH(QString, sabotage);
    QFETCH(QString, message);
    QFETCH(bool, confirmAfter);
    LossDesk d;
    d.lookUp("001");
    d.fx.exec(sabotage);
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.messages.size(), 1);
    QVERIFY2(d.dialogs.lastText().contains(message), qPrintable(d.dialogs.lastText()));
    QCOMPARE(d.fx.count("口头挂失记录"), 0);
    QCOMPARE(d.fx.count("会员卡信息", "口头挂失标志 = 1"), 1); // only 002, as before
    QCOMPARE(d.panel()->cardEdit()->text(), QString("001"));
    QCOMPARE(d.window->confirmButton()->isEnabled(), confirmAfter);
}

HYJF_TEST_MAIN(TestKoutou)
#include "tst_koutou.moc"
