#include "common/basefolder.h"
#include "common/gbk.h"
#include "common/reportpreview.h"
#include "data/dm1frm.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "points/basketgrid.h"
#include "points/productpicker.h"
#include "points/zengjiajifenfrm.h"
#include "support/desk.h"
#include "support/fixture.h"
#include "support/members.h"
#include "support/openedwindows.h"
#include "support/testmain.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>
#include <QUuid>

#include <memory>

namespace {

// A purchase window over a small shop: category 银卡 (95 %, 10 per point), 普通 (100 %,
// ratio 0), and two products.
struct Counter : Desk<Tzengjiajifen>
{
    Counter()
    {
        AddCategory(fx, {"银卡", 95, 10, 0});
        AddCategory(fx, {"普通", 100, 0, 0});
        AddMember(fx, "8001", "张三", "银卡", 10);
        fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values "
                "('日用', 'SP001', '毛巾', '条', 11.11), ('食品', 'SP002', '饼干', '包', 22.22), "
                "('食品', 'SP003', '无价', '包', null)");
        open();
    }
    ~Counter() { window.reset(); }

    BasketGrid *basket() const { return window->basketGrid(); }
    // Types into a basket cell through its editor, as the operator does.
    void typeInCell(int row, int column, const QString &keys)
    {
        basket()->setFocus();
        basket()->setCurrentCell(row, column);
        basket()->editItem(basket()->item(row, column));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor commits after its own key handling
    }
    QString cell(int row, int column) const { return basket()->cellText(row, column); }
};

class CapturedPreviews : public PreviewProvider
{
public:
    CapturedPreviews() { ReportPreview::install(this); }
    ~CapturedPreviews() override { ReportPreview::install(nullptr); }
    void preview(QWidget *, const QString &title, const ReportPainter &) override { titles << title; }
    QStringList titles;
};

} // namespace

class TestPurchase : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensEmpty();
    void refusedLookups_data();
    void refusedLookups();
    void lookupFillsPanelAndTotals();
    void missingCategoryCalculatesAt100();
    void searchAndPick();
    void workedExample();
    void typedAmountOverEmptyBasket();
    void basketFilledBeforeTheCard();
    void fullBasketThenAddLines();
    void basketChecks();
    void deleteLine();
    void keyFilters();
    void badNumbers_data();
    void badNumbers();
    void productSearchIsLiteral();
    void failingCategoryChangeShowsNoSuccess();
    void vanishedMemberIsNotSaved();
    void zeroRatioKeepsPointsAndSavesZero();
    void journalNumberFollowsOtherWindows();
    void detailRecordsShowTheCurrentCard();
    void receiptFollowsTheSettings_data();
    void receiptFollowsTheSettings();
};

void TestPurchase::opensEmpty()
{
    Counter c;
    Tzengjiajifen *w = c.window.get();
    QCOMPARE(w->childPosition(), QPoint(130, 0));
    QCOMPARE(w->childSize(), QSize(774, 602));
    QCOMPARE(w->windowTitle(), QString("增加积分"));
    QCOMPARE(w->journalNumberLabel()->text(), QString("0000000001"));
    QCOMPARE(w->amountEdit()->text(), QString("0"));
    QCOMPARE(w->discountEdit()->text(), QString("100"));
    QCOMPARE(w->discountedEdit()->text(), QString("0"));
    QVERIFY(w->pointsEdit()->text().isEmpty());
    QVERIFY(!w->amountEdit()->isEnabled() && !w->pointsEdit()->isEnabled() && !w->confirmButton()->isEnabled());
    QVERIFY(!c.panel()->pickGroup()->isVisible() && !w->productPicker()->pickGroup()->isVisible());
    QVERIFY(c.panel()->cardEdit()->hasFocus());
    QCOMPARE(c.panel()->searchButton(MemberPanel::SearchColumn::Phone)->toolTip(), QString("输入信息后模糊查找！"));

    BasketGrid *b = c.basket();
    QCOMPARE(b->rowCount(), 20);
    QCOMPARE(b->columnCount(), 8);
    QStringList headings;
    QList<int> widths;
    for (int col = 0; col < 8; ++col) {
        headings << b->horizontalHeaderItem(col)->text();
        widths << b->columnWidth(col);
    }
    QCOMPARE(headings, QStringList({"序号", "所属类别", "商品编号", "商品名称", "单位", "预设单价", "数量", "金额"}));
    QCOMPARE(widths, QList<int>({35, 80, 100, 180, 50, 80, 50, 100}));
    QCOMPARE(b->rowHeight(0), 20);
    QCOMPARE(c.cell(19, 0), QString("20"));
    for (int col = 0; col < 8; ++col) {
        const bool editable = b->item(0, col)->flags() & Qt::ItemIsEditable;
        QCOMPARE(editable, col == BasketGrid::Price || col == BasketGrid::Quantity);
        QCOMPARE(b->item(0, col)->textAlignment(), int(Qt::AlignCenter));
    }
}

void TestPurchase::refusedLookups_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("opened"); // title|class, or empty
    QTest::addColumn<QString>("statementValue");
    const QString replaced = "此卡已经更换，不能使用,需要打开换卡记录吗？";
    const QString lost = "此卡已经挂失，不能使用,需要打开挂失记录吗？";
    QTest::newRow("replaced, OK") << "7001" << int(MsgResult::Ok) << replaced << "换卡历史记录|Tguashilishi" << "7001";
    QTest::newRow("replaced, Cancel") << "7001" << int(MsgResult::Cancel) << replaced << "" << "";
    QTest::newRow("verbally lost, OK") << "7002" << int(MsgResult::Ok) << lost << "挂失记录|Tkoutoujilu" << "7002";
    QTest::newRow("verbally lost, Cancel") << "7002" << int(MsgResult::Cancel) << lost << "" << "";
    QTest::newRow("unknown card") << "9999" << int(MsgResult::Ok) << "此卡号不存在！" << "" << "";
    QTest::newRow("empty card field") << "" << int(MsgResult::Ok) << "此卡号不存在！" << "" << "";
}

void TestPurchase::refusedLookups()
{
    QFETCH(QString, card);
    QFETCH(int, answer);
    QFETCH(QString, message);
    QFETCH(QString, opened);
    QFETCH(QString, statementValue);
    Counter c;
    AddMember(c.fx, "7001", "旧卡", "银卡");
    AddMember(c.fx, "7002", "挂失", "银卡", 0, true);
    c.fx.exec("insert into 挂失记录 (旧卡号, 新卡号) values ('7001', '7101'), ('7000', '7001')");
    c.lookUp("8001");
    QVERIFY(c.window->confirmButton()->isEnabled());

    c.dialogs.answers << MsgResult(answer);
    c.lookUp(card);
    QCOMPARE(c.dialogs.lastText(), message);
    QCOMPARE(c.dialogs.messages.last().caption, message.startsWith("此卡号") ? QString("提示") : QString("系统提示"));
    QStringList openedWindows;
    for (const auto &[title, windowClass] : c.shell.opened)
        openedWindows << title + "|" + windowClass;
    QCOMPARE(openedWindows.join(","), opened);
    if (!statementValue.isEmpty()) {
        const SharedQuery &q = opened.contains("Tguashilishi") ? TDM1::instance()->ADOQuery9 : TDM1::instance()->ADOQuery10;
        QCOMPARE(q.values(), QVariantList{statementValue});
        QVERIFY(q.statement().contains(opened.contains("Tguashilishi") ? "旧卡号" : "会员卡号"));
    }
    // The panel keeps the earlier member, but nothing can be saved for the refused card.
    QCOMPARE(c.panel()->nameEdit()->text(), QString("张三"));
    QVERIFY(!c.window->confirmButton()->isEnabled());
    QVERIFY(!c.window->amountEdit()->isEnabled());
}

void TestPurchase::lookupFillsPanelAndTotals()
{
    Counter c;
    c.lookUp("8001");
    MemberPanel *p = c.panel();
    QVERIFY(c.dialogs.messages.isEmpty());
    QCOMPARE(p->categoryValue()->text(), QString("银卡"));
    QCOMPARE(p->nameEdit()->text(), QString("张三"));
    QCOMPARE(p->sexValue()->text(), QString("女"));
    QCOMPARE(p->searchEdit(MemberPanel::SearchColumn::Identity)->text(), QString("33018001"));
    QCOMPARE(p->birthdayValue()->text(), QString("1980-03-06"));
    QCOMPARE(p->addressValue()->text(), QString("人民路1号"));
    QCOMPARE(p->searchEdit(MemberPanel::SearchColumn::Phone)->text(), QString("0571-8001"));
    QCOMPARE(p->searchEdit(MemberPanel::SearchColumn::Mobile)->text(), QString("1398001"));
    QCOMPARE(p->pointsValue()->text(), QString("10"));
    QCOMPARE(p->issuedValue()->text(), QString("2025-01-02"));
    QCOMPARE(p->purchaseCountValue()->text(), QString("0"));
    QCOMPARE(p->totalAmountValue()->text(), QString("0"));
    QCOMPARE(c.window->discountEdit()->text(), QString("95"));
    QVERIFY(c.window->confirmButton()->isEnabled() && c.window->amountEdit()->isEnabled());
    QVERIFY(c.window->productPicker()->searchEdit()->hasFocus());

    // With consumption rows: purchases counted by reason, amounts summed over every row.
    c.fx.exec("insert into 流水记录 (编号, 会员卡号, 增减积分, 增减原因) values ('0000000001', '8001', 3, '购物消费'), "
              "('0000000002', '8001', -1, '退货'), ('0000000003', '8001', 1, '购物消费'), "
              "('0000000004', '8002', 1, '购物消费')");
    c.fx.exec("insert into 消费记录 (编号, 会员卡号, 消费金额) values ('0000000001', '8001', 31.6635), "
              "('0000000002', '8001', -0.1), ('0000000003', '8001', 0.2)");
    c.lookUp("8001");
    QCOMPARE(p->purchaseCountValue()->text(), QString("2"));
    QCOMPARE(p->totalAmountValue()->text(), QString("31.7635"));
}

void TestPurchase::missingCategoryCalculatesAt100()
{
    Counter c;
    AddMember(c.fx, "8002", "李四", "已删除的类别");
    c.lookUp("8002");
    QVERIFY(c.window->discountEdit()->text().isEmpty());
    QVERIFY(c.window->confirmButton()->isEnabled());
    c.window->amountEdit()->setText("50");
    QCOMPARE(c.window->discountEdit()->text(), QString("100"));
    QCOMPARE(c.window->discountedEdit()->text(), QString("50"));
    QVERIFY(c.window->pointsEdit()->text().isEmpty()); // no ratio: points untouched
}

void TestPurchase::searchAndPick()
{
    Counter c;
    AddMember(c.fx, "8002", "张三丰", "银卡", 7);
    AddMember(c.fx, "8003", "李四", "银卡");
    c.lookUp("8001");
    c.window->amountEdit()->setText("20");
    c.window->productPicker()->searchEdit()->setText("毛");

    c.panel()->nameEdit()->setText("三");
    c.panel()->searchButton(MemberPanel::SearchColumn::Name)->click();
    // The search empties the panel and the dependent fields and unloads the member.
    QVERIFY(c.panel()->cardEdit()->text().isEmpty());
    QVERIFY(c.panel()->categoryValue()->text().isEmpty());
    QVERIFY(c.panel()->searchEdit(MemberPanel::SearchColumn::Mobile)->text().isEmpty());
    QVERIFY(c.window->productPicker()->searchEdit()->text().isEmpty());
    QCOMPARE(c.window->amountEdit()->text(), QString("0"));
    QCOMPARE(c.window->discountEdit()->text(), QString("100"));
    QVERIFY(!c.window->confirmButton()->isEnabled());
    QVERIFY(c.panel()->pickGroup()->isVisible());
    QCOMPARE(c.panel()->pickRowCount(), 2);

    c.panel()->pickGrid()->setCurrentIndex(c.panel()->pickGrid()->model()->index(1, 0));
    const QString picked = c.panel()->pickGrid()->model()->index(1, 0).data().toString();
    c.panel()->PickMember();
    QVERIFY(c.dialogs.messages.isEmpty());
    QCOMPARE(c.panel()->cardEdit()->text(), picked);
    QCOMPARE(c.panel()->currentCard(), picked);
    QVERIFY(!c.panel()->pickGroup()->isVisible());
    QVERIFY(c.window->confirmButton()->isEnabled());

    // Enter in the mobile field searches it; the pick list skips the replaced-card check.
    c.fx.exec("insert into 挂失记录 (旧卡号, 新卡号) values ('8003', '8103')");
    c.panel()->searchEdit(MemberPanel::SearchColumn::Mobile)->setText("8003");
    QTest::keyClick(c.panel()->searchEdit(MemberPanel::SearchColumn::Mobile), Qt::Key_Return);
    QCOMPARE(c.panel()->pickRowCount(), 1);
    c.panel()->PickMember();
    QVERIFY(c.dialogs.messages.isEmpty());
    QCOMPARE(c.panel()->nameEdit()->text(), QString("李四"));
}

void TestPurchase::workedExample()
{
    Counter c;
    c.fx.exec("update 商品档案 set 预设单价 = 33.33 where 商品编号 = 'SP001'");
    c.fx.exec("update 商品档案 set 预设单价 = 0.5 where 商品编号 = 'SP002'");
    c.fx.exec("insert into 流水记录 (编号, 增减原因) values ('0000000006', '兑换积分')");
    c.lookUp("8001");
    c.addProduct("SP001");
    QCOMPARE(c.cell(0, BasketGrid::Quantity), QString("1"));
    QCOMPARE(c.cell(0, BasketGrid::Amount), QString("33.33"));
    QCOMPARE(c.window->amountEdit()->text(), QString("33.33"));
    QCOMPARE(c.window->discountedEdit()->text(), QString("31.6635"));
    QCOMPARE(c.window->pointsEdit()->text(), QString("3.17"));
    QVERIFY(!c.window->productPicker()->pickGroup()->isVisible());

    // A second line of 2 × 0.5: total 34.33, 95 % 32.6135, 3.26135 points, 3.26.
    c.addProduct("饼");
    c.typeInCell(1, BasketGrid::Quantity, "2");
    QCOMPARE(c.cell(1, BasketGrid::Amount), QString("1"));
    QCOMPARE(c.window->amountEdit()->text(), QString("34.33"));
    QCOMPARE(c.window->discountedEdit()->text(), QString("32.6135"));
    QCOMPARE(c.window->pointsEdit()->text(), QString("3.26"));

    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.texts(), QStringList{"增加积分成功！"});
    QCOMPARE(c.dialogs.messages.last().icon, MsgIcon::Information);
    QCOMPARE(c.dialogs.committedJournalRows, QList<int>{2}); // shown after the commit
    QCOMPARE(c.fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = '8001'").toDouble(), 13.26);
    QSqlQuery j = Sql::exec("select 编号, 增减积分, 会员姓名 from 流水记录 where 会员卡号 = '8001'");
    QVERIFY(j.next());
    QCOMPARE(j.value(0).toString(), QString("0000000007"));
    QCOMPARE(j.value(1).toDouble(), 3.26);
    QCOMPARE(j.value(2).toString(), QString("张三"));
    QSqlQuery lines = Sql::exec("select 编号, 商品, 单位, 数量, 消费金额, 增减原因 from 消费记录 order by rowid");
    QStringList stored;
    while (lines.next())
        stored << QStringList{lines.value(0).toString(), lines.value(1).toString(), lines.value(2).toString(),
                              Sql::text(lines.value(3)), Sql::text(lines.value(4)), lines.value(5).toString()}
                      .join("|");
    QCOMPARE(stored, QStringList({"0000000007|毛巾|条|1|31.6635|购物消费", "0000000007|饼干|包|2|0.95|购物消费"}));

    // Reset for the next member.
    QVERIFY(c.panel()->cardEdit()->text().isEmpty() && c.panel()->nameEdit()->text().isEmpty());
    QCOMPARE(c.window->amountEdit()->text(), QString("0"));
    QCOMPARE(c.window->discountEdit()->text(), QString("100"));
    QCOMPARE(c.window->discountedEdit()->text(), QString("0"));
    QVERIFY(c.window->pointsEdit()->text().isEmpty());
    QVERIFY(c.cell(0, BasketGrid::Name).isEmpty() && c.cell(1, BasketGrid::Amount).isEmpty());
    QCOMPARE(c.cell(1, BasketGrid::Number), QString("2"));
    QCOMPARE(c.basket()->rowCount(), 20);
    QVERIFY(!c.window->confirmButton()->isEnabled());
    QCOMPARE(c.window->journalNumberLabel()->text(), QString("0000000008"));
    QCOMPARE(c.panel()->currentCard(), QString("8001"));
}

void TestPurchase::typedAmountOverEmptyBasket()
{
    Counter c;
    c.lookUp("8001");
    QTest::keyClicks(c.window->amountEdit(), "200");
    QCOMPARE(c.window->amountEdit()->text(), QString("0200"));
    QCOMPARE(c.window->discountedEdit()->text(), QString("190"));
    QCOMPARE(c.window->pointsEdit()->text(), QString("19"));
    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.lastText(), QString("增加积分成功！"));
    QCOMPARE(c.fx.count("流水记录"), 1);
    QCOMPARE(c.fx.count("消费记录"), 0);
    QCOMPARE(c.fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = '8001'").toDouble(), 29.0);
}

void TestPurchase::basketFilledBeforeTheCard()
{
    Counter c;
    c.addProduct("SP002");
    QCOMPARE(c.window->amountEdit()->text(), QString("22.22"));
    QCOMPARE(c.window->discountedEdit()->text(), QString("22.22"));
    QVERIFY(c.window->pointsEdit()->text().isEmpty()); // no member, no ratio yet
    c.lookUp("8001");
    // The member's discount and ratio apply to what is in the basket.
    QCOMPARE(c.window->discountedEdit()->text(), QString("21.109"));
    QCOMPARE(c.window->pointsEdit()->text(), QString("2.11"));
    // A search empties the amounts; the member picked next gets the basket's again.
    c.panel()->nameEdit()->setText("张三");
    c.panel()->SearchMembers(MemberPanel::SearchColumn::Name);
    QCOMPARE(c.window->amountEdit()->text(), QString("0"));
    c.panel()->PickMember();
    QCOMPARE(c.window->amountEdit()->text(), QString("22.22"));
    QCOMPARE(c.window->pointsEdit()->text(), QString("2.11"));
}

void TestPurchase::fullBasketThenAddLines()
{
    Counter c;
    for (int i = 0; i < 20; ++i)
        c.addProduct("SP001");
    QCOMPARE(c.cell(19, BasketGrid::Code), QString("SP001"));
    QCOMPARE(c.window->amountEdit()->text(), QString("222.2"));
    c.addProduct("SP002");
    QCOMPARE(c.basket()->rowCount(), 20);
    QCOMPARE(c.window->amountEdit()->text(), QString("222.2"));
    c.window->addLinesButton()->click();
    QCOMPARE(c.basket()->rowCount(), 25);
    QCOMPARE(c.cell(24, BasketGrid::Number), QString("25"));
    c.addProduct("SP002");
    QCOMPARE(c.cell(20, BasketGrid::Code), QString("SP002"));
    QCOMPARE(c.window->amountEdit()->text(), QString("244.42"));
}

void TestPurchase::basketChecks()
{
    Counter c;
    c.lookUp("8001");
    c.addProduct("SP001");
    // A product without a category cannot be saved.
    c.basket()->setCellText(2, BasketGrid::Code, "X9");
    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.lastText(), QString("请将商品表格填写完整！"));
    QCOMPARE(c.basket()->currentRow(), 2);
    QCOMPARE(c.fx.count("流水记录"), 0);
    c.basket()->setCellText(2, BasketGrid::Code, "");

    // Leaving the grid with a line missing its quantity: the selection goes to the line.
    c.dialogs.clear();
    c.basket()->setFocus();
    c.basket()->setCurrentCell(0, BasketGrid::Quantity);
    c.basket()->setCellText(0, BasketGrid::Quantity, "");
    QVERIFY(c.cell(0, BasketGrid::Amount).isEmpty()); // the amount follows its quantity
    c.basket()->setCurrentCell(3, BasketGrid::Name);
    c.window->amountEdit()->setFocus();
    QCOMPARE(c.dialogs.texts(), QStringList{"请将所购商品表格填写完整！"});
    QCOMPARE(c.basket()->currentRow(), 0);
    // A line with price and quantity but no product is complete enough for the save.
    c.dialogs.clear();
    c.basket()->setCellText(0, BasketGrid::Quantity, "3");
    QCOMPARE(c.window->amountEdit()->text(), QString("33.33"));
    c.basket()->setFocus();
    c.window->amountEdit()->setFocus();
    QVERIFY(c.dialogs.messages.isEmpty());
}

void TestPurchase::deleteLine()
{
    Counter c;
    c.addProduct("SP001");
    c.addProduct("SP002");
    c.basket()->setCurrentCell(0, BasketGrid::Name);
    c.dialogs.answers << MsgResult::Cancel;
    c.window->deleteLineButton()->click();
    QCOMPARE(c.dialogs.messages.last().caption, QString("删除"));
    QCOMPARE(c.dialogs.lastText(), QString("确实删除该行？"));
    QCOMPARE(c.cell(0, BasketGrid::Code), QString("SP001"));
    c.window->deleteLineButton()->click();
    QCOMPARE(c.basket()->rowCount(), 19);
    QCOMPARE(c.cell(0, BasketGrid::Code), QString("SP002"));
    QCOMPARE(c.cell(0, BasketGrid::Number), QString("1"));
    QCOMPARE(c.cell(18, BasketGrid::Number), QString("19"));
    QCOMPARE(c.window->amountEdit()->text(), QString("22.22")); // at once, not at the next selection
}

void TestPurchase::keyFilters()
{
    Counter c;
    c.lookUp("8001");
    QLineEdit *amount = c.window->amountEdit();
    amount->clear();
    QCOMPARE(amount->text(), QString("0"));
    amount->selectAll();
    QTest::keyClicks(amount, "1a2-b.5 ,");
    QCOMPARE(amount->text(), QString("12.5"));
    QTest::keyClick(amount, Qt::Key_Backspace);
    QCOMPARE(amount->text(), QString("12."));
    QApplication::clipboard()->setText("x3");
    amount->paste();
    QCOMPARE(amount->text(), QString("12."));
    QApplication::clipboard()->setText("25");
    amount->selectAll();
    amount->paste();
    QCOMPARE(amount->text(), QString("25"));

    c.addProduct("SP001");
    c.typeInCell(0, BasketGrid::Quantity, "x2y");
    QCOMPARE(c.cell(0, BasketGrid::Quantity), QString("2"));
    QCOMPARE(c.cell(0, BasketGrid::Amount), QString("22.22"));
    c.typeInCell(0, BasketGrid::Price, "9.9'9");
    QCOMPARE(c.cell(0, BasketGrid::Price), QString("9.99"));
    QCOMPARE(c.cell(0, BasketGrid::Amount), QString("19.98"));
    QCOMPARE(amount->text(), QString("19.98"));
}

void TestPurchase::badNumbers_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("two points in the quantity") << int(BasketGrid::Quantity) << "1..2" << "“1..2”不是有效的数值！";
    QTest::newRow("forty digits in the price") << int(BasketGrid::Price) << QString(40, '9') << "太大";
    QTest::newRow("a product too large") << int(BasketGrid::Price) << "99999999999" << "金额太大";
}

void TestPurchase::badNumbers()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Counter c;
    c.lookUp("8001");
    c.addProduct("SP001");
    c.addProduct("SP002");
    if (typed == "99999999999")
        c.typeInCell(0, BasketGrid::Quantity, "99999");
    c.typeInCell(0, column, typed);
    QCOMPARE(c.dialogs.messages.size(), 1);
    QVERIFY2(c.dialogs.lastText().contains(message), qPrintable(c.dialogs.lastText()));
    // The line has no amount, so the total and the points leave it out.
    QVERIFY(c.cell(0, BasketGrid::Amount).isEmpty());
    QCOMPARE(c.window->amountEdit()->text(), QString("22.22"));
    // Moving on does not repeat the message for the same texts.
    c.basket()->setCurrentCell(5, BasketGrid::Name);
    QCOMPARE(c.dialogs.messages.size(), 1);

    // Two points typed in the amount: the dependent fields keep their values, and the
    // points of the earlier amount are not saved for it.
    c.dialogs.clear();
    QTest::keyClicks(c.window->amountEdit(), ".");
    QCOMPARE(c.window->amountEdit()->text(), QString("22.22."));
    QCOMPARE(c.dialogs.texts(), QStringList{"“22.22.”不是有效的数值！"});
    QCOMPARE(c.window->discountedEdit()->text(), QString("21.109"));
    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.lastText(), QString("“22.22.”不是有效的数值！"));
    QCOMPARE(c.fx.count("流水记录"), 0);

    // Adding a product without a price leaves its amount empty, without a message of its
    // own; leaving the basket reports the line without an amount.
    c.dialogs.clear();
    c.addProduct("无价");
    QCOMPARE(c.dialogs.texts(), QStringList{"请将所购商品表格填写完整！"});
    QCOMPARE(c.cell(2, BasketGrid::Code), QString("SP003"));
    QVERIFY(c.cell(2, BasketGrid::Amount).isEmpty());
}

void TestPurchase::productSearchIsLiteral()
{
    Counter c;
    c.fx.exec("insert into 商品档案 (所属类别, 商品编号, 商品名称, 单位, 预设单价) values "
              "('日用', 'A_1', '100%棉', '件', 5), ('日用', 'AB1', 'O''Brien茶', '盒', 6)");
    ProductPicker *picker = c.window->productPicker();
    const auto found = [&](const QString &text) {
        picker->searchEdit()->setText(text);
        picker->searchButton()->click();
        QStringList codes;
        for (int row = 0; row < picker->resultCount(); ++row)
            codes << picker->product(row).code;
        codes.sort();
        return codes.join(",");
    };
    QCOMPARE(found("_"), QString("A_1"));
    QCOMPARE(found("%"), QString("A_1"));
    QCOMPARE(found("'"), QString("AB1"));
    QCOMPARE(found("巾"), QString("SP001"));
    QCOMPARE(found(""), QString("AB1,A_1,SP001,SP002,SP003"));
    QVERIFY(picker->pickGroup()->isVisible());
    QVERIFY(picker->pickGrid()->hasFocus());
    // Nothing found: a double click hides the list and goes back to the search field.
    found("没有这种商品");
    picker->pickGridDoubleClick();
    QVERIFY(!picker->pickGroup()->isVisible());
    QVERIFY(picker->searchEdit()->hasFocus());
    QVERIFY(c.cell(0, BasketGrid::Code).isEmpty());
}

void TestPurchase::failingCategoryChangeShowsNoSuccess()
{
    Counter c;
    c.fx.exec("update 自动变卡 set 自动变卡 = '是'");
    AddCategory(c.fx, {"金卡", 90, 8, QVariant()});
    c.lookUp("8001");
    c.addProduct("SP001");
    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.messages.size(), 1);
    QVERIFY(c.dialogs.lastText().contains("金卡"));
    QCOMPARE(c.dialogs.messages.last().icon, MsgIcon::None);
    QCOMPARE(c.fx.count("流水记录"), 0);
    QCOMPARE(c.fx.count("消费记录"), 0);
    QCOMPARE(c.fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = '8001'").toDouble(), 10.0);
    // The window keeps what was entered, ready for another try.
    QCOMPARE(c.panel()->cardEdit()->text(), QString("8001"));
    QCOMPARE(c.cell(0, BasketGrid::Code), QString("SP001"));
    QCOMPARE(c.window->pointsEdit()->text(), QString("1.06"));
    QVERIFY(c.window->confirmButton()->isEnabled());

    c.fx.exec("update 卡类别 set 自动变卡下限 = 5 where 卡类别 = '金卡'");
    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.lastText(), QString("增加积分成功！"));
    QCOMPARE(c.fx.scalar("select 卡类别 from 会员卡信息 where 会员卡号 = '8001'").toString(), QString("金卡"));
}

void TestPurchase::vanishedMemberIsNotSaved()
{
    Counter c;
    c.lookUp("8001");
    c.addProduct("SP001");
    c.fx.exec("delete from 会员卡信息 where 会员卡号 = '8001'");
    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.texts(), QStringList{"此卡号不存在！"});
    QCOMPARE(c.fx.count("流水记录"), 0);
    QCOMPARE(c.fx.count("消费记录"), 0);
}

void TestPurchase::zeroRatioKeepsPointsAndSavesZero()
{
    Counter c;
    AddMember(c.fx, "8002", "李四", "普通", 4);
    c.lookUp("8002");
    c.addProduct("SP001");
    QVERIFY(c.window->pointsEdit()->text().isEmpty());
    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.lastText(), QString("增加积分成功！"));
    QCOMPARE(c.fx.scalar("select 增减积分 from 流水记录").toDouble(), 0.0);
    QCOMPARE(c.fx.count("消费记录"), 1);
    QCOMPARE(c.fx.scalar("select 积分 from 会员卡信息 where 会员卡号 = '8002'").toDouble(), 4.0);
}

void TestPurchase::journalNumberFollowsOtherWindows()
{
    Counter c;
    QCOMPARE(c.window->journalNumberLabel()->text(), QString("0000000001"));
    // Another window saved meanwhile: the next repaint shows the new number.
    c.fx.exec("insert into 流水记录 (编号, 增减原因) values ('0000000001', '退货')");
    c.window->repaint();
    QCOMPARE(c.window->journalNumberLabel()->text(), QString("0000000002"));
    // Even a save from a label not yet repainted takes the next free number.
    c.fx.exec("insert into 流水记录 (编号, 增减原因) values ('0000000002', '兑换积分')");
    c.lookUp("8001");
    c.window->amountEdit()->setText("10");
    c.window->confirmButton()->click();
    QCOMPARE(c.fx.count("流水记录", "编号 = '0000000003' and 增减原因 = '购物消费'"), 1);
    QCOMPARE(c.window->journalNumberLabel()->text(), QString("0000000004"));

    // A number that cannot be formed is reported once, not on every repaint.
    c.dialogs.clear();
    c.fx.exec("insert into 流水记录 (编号) values ('9999999999')");
    c.window->repaint();
    c.window->repaint();
    QCOMPARE(c.dialogs.messages.size(), 1);
    QVERIFY(c.dialogs.lastText().contains("9999999999"));
    QCOMPARE(c.window->journalNumberLabel()->text(), QString("0000000004"));
}

void TestPurchase::detailRecordsShowTheCurrentCard()
{
    Counter c;
    c.window->detailButton()->click();
    QCOMPARE(TDM1::instance()->ADOQuery8.values(), QVariantList{""});
    c.lookUp("8001");
    c.panel()->SearchMembers(MemberPanel::SearchColumn::Name);
    c.window->detailButton()->click();
    QCOMPARE(TDM1::instance()->ADOQuery8.values(), QVariantList{"8001"});
    QVERIFY(TDM1::instance()->ADOQuery8.statement().contains("流水记录"));
    QCOMPARE(c.shell.opened.last(), qMakePair(QString("会员积分增减详细记录"), QString("Txiangxijilu")));
}

void TestPurchase::receiptFollowsTheSettings_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<bool>("port");
    QTest::addColumn<bool>("report");
    QTest::newRow("no settings file: off") << "" << false << false;
    QTest::newRow("off") << "打印小票=0\r\n打印机=0\r\n" << false << false;
    QTest::newRow("POS printer on the port") << "打印小票=1\r\n打印机=0\r\n" << true << false;
    QTest::newRow("ordinary printer") << "打印小票=1\r\n打印机=1\r\n" << false << true;
    QTest::newRow("printer key missing") << "打印小票=1\r\n" << false << true;
}

void TestPurchase::receiptFollowsTheSettings()
{
    QFETCH(QString, ini);
    QFETCH(bool, port);
    QFETCH(bool, report);
    Counter c;
    CapturedPreviews previews;
    const QString portFile = c.fx.file("lp0.prn");
    if (!ini.isEmpty())
        c.fx.writeIni(Gbk::encode("[程序参数]\r\n" + ini + "打印端口=" + portFile + "\r\n"));
    c.lookUp("8001");
    c.addProduct("SP001");
    c.addProduct("SP002");
    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.lastText(), QString("增加积分成功！"));
    QCOMPARE(QFileInfo::exists(portFile), port);
    QCOMPARE(previews.titles.size(), report ? 1 : 0);
    if (port) {
        QFile f(portFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = Gbk::decode(f.readAll());
        QVERIFY(text.contains("~~~~~~~~~~~增加积分~~~~~~~~~~~~~\r\n会员卡号： 8001\r\n会员姓名： 张三\r\n"
                              "所购商品： 毛巾\r\n所购商品： 饼干\r\n消费金额： 31.6635\r\n增加积分： 3.17\r\n"
                              "现有积分： 13.17\r\n"));
    }
    // A save that fails prints nothing.
    QFile::remove(portFile);
    previews.titles.clear();
    c.lookUp("8001");
    c.window->amountEdit()->setText("10");
    c.fx.exec("delete from 会员卡信息");
    c.window->confirmButton()->click();
    QCOMPARE(c.dialogs.lastText(), QString("此卡号不存在！"));
    QVERIFY(!QFileInfo::exists(portFile));
    QVERIFY(previews.titles.isEmpty());
}

HYJF_TEST_MAIN(TestPurchase)
#include "tst_purchase.moc"
