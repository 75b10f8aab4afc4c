#include "data/dm1frm.h"
#include "data/journalnumber.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "support/fixture.h"
#include "support/members.h"
#include "support/openedwindows.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A window holding one member panel, as the business windows do.
struct Host
{
    explicit Host(const MemberPanelVariant &variant)
    {
        panel = new MemberPanel(variant, &window);
        confirm = new QLineEdit(&window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(panel);
        layout->addWidget(confirm);
        panel->setEnabledWhileLoaded({confirm});
        panel->setFocusTarget(confirm);
        window.resize(700, 400);
        window.show();
    }
    void lookUp(const QString &card)
    {
        panel->cardEdit()->setText(card);
        QTest::keyClick(panel->cardEdit(), Qt::Key_Return);
    }
    void pick(int row)
    {
        panel->pickGrid()->setCurrentIndex(panel->pickGrid()->model()->index(row, 0));
        panel->PickMember();
    }
    QWidget window;
    MemberPanel *panel;
    QLineEdit *confirm;
};

void AddReplacement(Fixture &fx, const QString &oldCard, const QString &newCard)
{
    fx.exec("insert into 挂失记录 (旧卡号, 新卡号, 会员姓名, 原有积分) values (?, ?, '甲', 5)", {oldCard, newCard});
}

} // namespace

class TestLookup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nextJournalNumber_data();
    void nextJournalNumber();
    void journalNumberRefusals_data();
    void journalNumberRefusals();
    void verbalLossVariantLoadsLostCards();
    void redemptionVariantChecksPicksForReplacedCards();
    void queryVariantKeepsTickBoxOnSearch();
    void searchIsLiteralAndListsEveryone_data();
    void searchIsLiteralAndListsEveryone();
    void editedCardFieldUnloadsTheMember();
};

void TestLookup::nextJournalNumber_data()
{
    QTest::addColumn<QStringList>("numbers"); // 编号 of journal rows; "<null>" writes NULL
    QTest::addColumn<QString>("next");
    QTest::newRow("empty table") << QStringList{} << "0000000001";
    QTest::newRow("nine") << QStringList{"0000000009", "0000000003"} << "0000000010";
    QTest::newRow("five nines") << QStringList{"0000099999"} << "0000100000";
    QTest::newRow("a single blank") << QStringList{" "} << "0000000001";
    QTest::newRow("eleven characters cut to ten") << QStringList{"00000000123"} << "0000000013";
    QTest::newRow("referral row without number") << QStringList{"<null>", "0000000005"} << "0000000006";
    QTest::newRow("only a referral row") << QStringList{"<null>"} << "0000000001";
    QTest::newRow("referral row with empty number") << QStringList{"", "0000000005"} << "0000000006";
    QTest::newRow("past 32 bits") << QStringList{"2147483647"} << "2147483648";
    QTest::newRow("the last number") << QStringList{"9999999998"} << "9999999999";
}

void TestLookup::nextJournalNumber()
{
    QFETCH(QStringList, numbers);
    QFETCH(QString, next);
    Fixture fx;
    for (const QString &n : numbers)
        fx.exec("insert into 流水记录 (编号, 增减原因) values (?, '购物消费')",
                {n == "<null>" ? QVariant(QMetaType(QMetaType::QString)) : QVariant(n)});
    // Consumption rows repeat numbers and play no part.
    fx.exec("insert into 消费记录 (编号) values ('0000999999')");
    QCOMPARE(NextJournalNumber(), next);
}

void TestLookup::journalNumberRefusals_data()
{
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("message");
    QTest::newRow("sequence used up") << "9999999999" << "9999999999";
    QTest::newRow("letters") << "00000abcde" << "00000abcde";
    QTest::newRow("two blanks") << "  " << "不是有效的单据编号";
}

void TestLookup::journalNumberRefusals()
{
    QFETCH(QString, maximum);
    QFETCH(QString, message);
    Fixture fx;
    fx.exec("insert into 流水记录 (编号) values (?)", {maximum});
    try {
        NextJournalNumber();
        QFAIL("no number may be formed");
    } catch (const DbError &e) {
        QVERIFY2(e.text().contains(message), qPrintable(e.text()));
    }
}

void TestLookup::verbalLossVariantLoadsLostCards()
{
    Fixture fx;
    OpenedWindowsShell shell;
    AddCategory(fx, {"普通", 90, 10, 0});
    AddMember(fx, "001", "甲", "普通", 12.5, true);
    AddReplacement(fx, "old", "001");
    Host h(MemberPanelVariant::verbalLoss());
    QVERIFY(!h.panel->purchaseCountValue());

    h.lookUp("001");
    QVERIFY(fx.dialogs.messages.isEmpty());
    QVERIFY(h.panel->isLoaded());
    QVERIFY(h.panel->lossBox()->isChecked());
    QCOMPARE(h.panel->pointsValue()->text(), QString("12.5"));
    QVERIFY(h.confirm->isEnabled());
    QVERIFY(h.panel->currentCard().isEmpty()); // this window keeps no current card

    fx.dialogs.answers << MsgResult::Ok;
    h.lookUp("old");
    QCOMPARE(fx.dialogs.lastText(), QString("此卡已经更换，不能使用,需要打开换卡记录吗？"));
    QCOMPARE(shell.opened.value(0).first, QString("全部挂失历史记录"));
    QCOMPARE(shell.opened.value(0).second, QString("Tguashilishi"));
    QCOMPARE(TDM1::instance()->ADOQuery9.values(), QVariantList{"old"});
    QVERIFY(!h.confirm->isEnabled());

    // A search clears the tick box here.
    h.panel->lossBox()->setChecked(true);
    h.panel->SearchMembers(MemberPanel::SearchColumn::Name);
    QVERIFY(!h.panel->lossBox()->isChecked());
    fx.dialogs.clear();
    h.pick(0);
    QVERIFY(fx.dialogs.messages.isEmpty());
    QCOMPARE(h.panel->cardEdit()->text(), QString("001"));
    QVERIFY(h.panel->lossBox()->isChecked());
    QVERIFY(!h.panel->pickGroup()->isVisible());
}

void TestLookup::redemptionVariantChecksPicksForReplacedCards()
{
    Fixture fx;
    OpenedWindowsShell shell;
    AddCategory(fx, {"普通", 90, 10, 0});
    AddMember(fx, "001", "甲一", "普通");
    AddMember(fx, "002", "甲二", "普通", 0, true);
    AddReplacement(fx, "001", "009");
    Host h(MemberPanelVariant::redemption());
    QCOMPARE(h.panel->searchButton(MemberPanel::SearchColumn::Name)->toolTip(), QString("模糊查找"));
    QVERIFY(h.panel->pickGroup()->title().isEmpty());

    h.panel->nameEdit()->setText("甲");
    QTest::keyClick(h.panel->nameEdit(), Qt::Key_Return);
    QVERIFY(h.panel->pickGroup()->isVisible());
    QCOMPARE(h.panel->pickRowCount(), 2);

    fx.dialogs.answers << MsgResult::Cancel;
    h.pick(0);
    QCOMPARE(fx.dialogs.lastText(), QString("此卡已经更换，不能使用,需要打开更换记录吗？"));
    QVERIFY(shell.opened.isEmpty());
    QVERIFY(h.panel->pickGroup()->isVisible()); // stays open after the question
    QVERIFY(!h.panel->isLoaded());

    // A lost card from the list offers the records under the pick's title, then hides.
    fx.dialogs.answers << MsgResult::Ok;
    h.pick(1);
    QCOMPARE(fx.dialogs.lastText(), QString("此卡已经挂失，不能使用,需要打开挂失记录吗？"));
    QCOMPARE(shell.opened.value(0), qMakePair(QString("挂失记录"), QString("Tkoutoujilu")));
    QCOMPARE(TDM1::instance()->ADOQuery10.values(), QVariantList{"002"});
    QVERIFY(!h.panel->pickGroup()->isVisible());
    // By Enter the same card offers them under the other title.
    fx.dialogs.answers << MsgResult::Ok;
    h.lookUp("002");
    QCOMPARE(shell.opened.value(1), qMakePair(QString("口头挂失记录"), QString("Tkoutoujilu")));
}

void TestLookup::queryVariantKeepsTickBoxOnSearch()
{
    Fixture fx;
    AddCategory(fx, {"普通", 90, 10, 0});
    AddMember(fx, "001", "甲", "普通", 3);
    fx.exec("insert into 流水记录 (编号, 会员卡号, 增减积分, 增减原因) values ('0000000001', '001', 3, '购物消费'), "
            "('0000000002', '001', -1, '退货'), ('0000000003', '001', 2, '购物消费')");
    fx.exec("insert into 消费记录 (编号, 会员卡号, 消费金额) values ('0000000001', '001', 30), "
            "('0000000002', '001', -10.25)");
    Host h(MemberPanelVariant::query());
    h.lookUp("001");
    QCOMPARE(h.panel->purchaseCountValue()->text(), QString("2"));
    QCOMPARE(h.panel->totalAmountValue()->text(), QString("19.75"));
    QCOMPARE(h.panel->currentCard(), QString("001"));
    h.panel->lossBox()->setChecked(true);
    h.panel->SearchMembers(MemberPanel::SearchColumn::Mobile);
    QVERIFY(h.panel->lossBox()->isChecked());
    QVERIFY(h.panel->purchaseCountValue()->text().isEmpty());
    QCOMPARE(h.panel->currentCard(), QString("001")); // a search keeps the current card
}

void TestLookup::searchIsLiteralAndListsEveryone_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("cards");
    const int name = int(MemberPanel::SearchColumn::Name);
    const int phone = int(MemberPanel::SearchColumn::Phone);
    QTest::newRow("empty lists all, also empty cells") << name << "" << QStringList{"001", "002", "003", "004", "005"};
    QTest::newRow("substring anywhere") << name << "小" << QStringList{"001", "002"};
    QTest::newRow("percent is literal") << name << "%" << QStringList{"003"};
    QTest::newRow("underscore is literal") << name << "_" << QStringList{"004"};
    QTest::newRow("quote is literal") << name << "O'" << QStringList{"004"};
    QTest::newRow("telephone") << phone << "-002" << QStringList{"002"};
    QTest::newRow("nothing found") << name << "无此人" << QStringList{};
}

void TestLookup::searchIsLiteralAndListsEveryone()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QStringList, cards);
    Fixture fx;
    AddMember(fx, "001", "王小明", "普通");
    AddMember(fx, "002", "李小", "普通");
    AddMember(fx, "003", "100%满意", "普通");
    AddMember(fx, "004", "O'Neil_x", "普通");
    AddMember(fx, "005", "", "普通");
    fx.exec("update 会员卡信息 set 会员姓名 = null, 固定电话 = null where 会员卡号 = '005'");
    Host h(MemberPanelVariant::purchase());
    const auto searched = MemberPanel::SearchColumn(column);
    h.panel->searchEdit(searched)->setText(text);
    h.panel->searchButton(searched)->click();
    QStringList found;
    for (int row = 0; row < h.panel->pickRowCount(); ++row)
        found << h.panel->pickGrid()->model()->index(row, 0).data().toString();
    found.sort();
    QCOMPARE(found, cards);
    QCOMPARE(h.panel->searchEdit(searched)->text(), text); // the searched field keeps its text
    QCOMPARE(h.panel->pickGroup()->title(), QString("请双击选中的会员"));
    if (cards.isEmpty()) {
        h.panel->PickMember();
        QCOMPARE(fx.dialogs.lastText(), QString("此卡号不存在！"));
        QVERIFY(!h.panel->pickGroup()->isVisible());
    }
}

void TestLookup::editedCardFieldUnloadsTheMember()
{
    Fixture fx;
    AddCategory(fx, {"普通", 90, 10, 0});
    AddMember(fx, "001", "甲", "普通");
    Host h(MemberPanelVariant::purchase());
    h.lookUp("001");
    QVERIFY(h.confirm->isEnabled());
    QVERIFY(h.confirm->hasFocus() || !h.window.isActiveWindow());
    QTest::keyClick(h.panel->cardEdit(), Qt::Key_2);
    QVERIFY(!h.panel->isLoaded());
    QVERIFY(!h.confirm->isEnabled());
    QTest::keyClick(h.panel->cardEdit(), Qt::Key_Backspace);
    QTest::keyClick(h.panel->cardEdit(), Qt::Key_Return);
    QVERIFY(h.confirm->isEnabled());
}

HYJF_TEST_MAIN(TestLookup)
#include "tst_lookup.moc"
