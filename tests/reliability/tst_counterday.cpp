#include "app/mainfrm.h"
#include "common/basefolder.h"
#include "common/gbk.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "members/typing.h"
#include "points/basketgrid.h"
#include "points/productpicker.h"
#include "records/readback.h"
#include "records/recordgrid.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/testmain.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Rows of a statement, cells joined by "|", NULL shown as "null".
QStringList Rows(const QString &statement)
{
    QSqlQuery q = Sql::exec(statement);
    QStringList rows;
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < q.record().count(); ++c)
            cells << (q.value(c).isNull() ? QStringLiteral("null") : Sql::text(q.value(c)));
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// The operator at the counter: menu commands through the main window, then typing and
// clicking in the window the command opened.
class Counter
{
public:
    explicit Counter(TMAIN &main, Fixture &fx)
        : m_main(main)
        , m_fx(fx)
    {
    }

    QWidget *menu(const QString &item)
    {
        QAction *action = m_main.menuItem(item);
        if (!action || !action->isEnabled())
            qFatal("menu item %s is not there", qPrintable(item));
        action->trigger();
        QCoreApplication::processEvents();
        QMdiSubWindow *sub = m_main.clientArea()->activeSubWindow();
        m_window = sub ? sub->widget() : nullptr;
        return m_window;
    }

    QWidget *window() const { return m_window; }
    void use(QWidget *window) { m_window = window; }

    template<typename T = QWidget> T *control(const QString &name) const
    {
        T *w = m_window->findChild<T *>(name);
        if (!w)
            qFatal("no control %s in %s", qPrintable(name), m_window->metaObject()->className());
        return w;
    }

    void type(const QString &field, const QString &text)
    {
        QWidget *w = control(field);
        if (auto *box = qobject_cast<QComboBox *>(w))
            w = box->lineEdit();
        w->setFocus(Qt::OtherFocusReason);
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->clear();
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
            plain->clear();
        TypeText(w, text);
    }
    void enter(const QString &field) { QTest::keyClick(focusable(field), Qt::Key_Return); }
    // Leaves a field with Tab, as the operator moves on (checks that run on leaving).
    void tab(const QString &field)
    {
        QTest::keyClick(focusable(field), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    void click(const QString &button) { control<QAbstractButton>(button)->click(); }
    void check(const QString &box, bool on = true)
    {
        auto *b = control<QAbstractButton>(box);
        if (b->isChecked() != on)
            b->click();
    }
    void choose(const QString &box, const QString &text)
    {
        auto *b = control<QComboBox>(box);
        b->setCurrentIndex(b->findText(text));
    }

    // The card lookup of the member panel.
    void card(const QString &number)
    {
        auto *panel = m_window->findChild<MemberPanel *>();
        panel->cardEdit()->setFocus();
        panel->cardEdit()->clear();
        TypeText(panel->cardEdit(), number);
        QTest::keyClick(panel->cardEdit(), Qt::Key_Return);
    }
    // A product found by its code in the basket's product search and double-clicked.
    void product(const QString &code)
    {
        auto *picker = m_window->findChild<ProductPicker *>();
        picker->searchEdit()->clear();
        TypeText(picker->searchEdit(), code);
        QTest::keyClick(picker->searchEdit(), Qt::Key_Return);
        picker->pickGrid()->setCurrentIndex(picker->pickGrid()->model()->index(0, 0));
        picker->pickGridDoubleClick();
    }
    void basketCell(int row, int column, const QString &text)
    {
        auto *basket = m_window->findChild<BasketGrid *>();
        basket->setFocus();
        basket->setCurrentCell(row, column);
        basket->editItem(basket->item(row, column));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    // The messages since the last call.
    QStringList said()
    {
        const QStringList texts = m_fx.dialogs.texts().mid(m_seen);
        m_seen = m_fx.dialogs.texts().size();
        return texts;
    }

private:
    QWidget *focusable(const QString &name) const
    {
        QWidget *w = control(name);
        if (auto *box = qobject_cast<QComboBox *>(w))
            return box->lineEdit();
        return w;
    }

    TMAIN &m_main;
    Fixture &m_fx;
    QWidget *m_window = nullptr;
    int m_seen = 0;
};

Readback::Table Cells(const Readback::Sheet &sheet)
{
    Readback::Table table;
    for (const auto &row : sheet) {
        QStringList cells;
        for (const Readback::SheetCell &c : row)
            cells << c.text;
        table << cells;
    }
    return table;
}

} // namespace

class TestCounterDay : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aDayAtTheCounter();
};

void TestCounterDay::aDayAtTheCounter()
{
    Fixture fx(false);
    const QString pos = fx.file("pos.prn");
    const QDir exports(fx.file("exports"));
    QDir().mkpath(exports.path());
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    main.show();
    // The two prompts a second after the window shows (shop name, birthdays) have tests of their
    // own; on a slow machine they would open their windows in the middle of the day's first steps.
    main.shopNameTimer()->stop();
    main.reminderTimer()->stop();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    Counter c(main, fx);

    // Morning: the shop, its receipts, the categories, the referral bonus and a cashier.
    c.menu("店铺名称及小票打印设置");
    c.type("shopNameEdit", "青禾便利店");
    c.type("sloganEdit", "会员日全场九折");
    c.type("footerEdit", "谢谢惠顾");
    c.check("posPrinterRadio");
    c.type("portBox", pos);
    c.check("printReceiptCheck");
    c.click("saveButton");
    QCOMPARE(c.said(), QStringList({ "配置成功！" }));

    c.menu("会员卡类别设置");
    c.check("autoChangeRadio");
    c.click("switchConfirmButton");
    const QList<QStringList> categories { { "普通卡", "10", "100", "0" },
                                          { "金卡", "10", "90", "100" } };
    for (const QStringList &row : categories) {
        c.click("newButton");
        c.type("nameEdit", row[0]);
        c.type("ratioEdit", row[1]);
        c.check("giftCheck");
        c.check("cashCheck");
        c.type("discountEdit", row[2]);
        c.type("thresholdEdit", row[3]);
        c.click("saveButton");
    }
    QCOMPARE(c.said(), QStringList({ "修改成功！" }));
    c.window()->close();

    c.menu("引荐人增加积分设置");
    c.type("bonusEdit", "5");
    c.click("confirmButton");
    QCOMPARE(c.said(), QStringList({ "修改成功！" }));

    c.menu("操作人员及权限设置");
    c.click("addButton");
    c.use(main.clientArea()->activeSubWindow()->widget());
    c.type("codeEdit", "0002");
    c.type("nameEdit", "王收银");
    c.type("passwordEdit", "123");
    c.type("repeatEdit", "123");
    c.check("flagBox18"); // 消费积分
    c.check("flagBox19"); // 退/换货减积分
    c.click("saveButton");
    QCOMPARE(c.said(), QStringList({ "新增操作人员成功！" }));
    c.window()->close();

    // Members: 张三 brings 李四.
    c.menu("新增修改会员信息");
    c.type("cardEdit", "8001");
    c.type("nameEdit", "张三");
    c.type("idEdit", "330102198003061234");
    c.tab("idEdit");
    c.type("mobileEdit", "13900000001");
    c.click("saveButton");
    c.type("cardEdit", "8002");
    c.type("nameEdit", "李四");
    c.type("mobileEdit", "13900000002");
    c.type("referrerCardEdit", "8001");
    c.enter("referrerCardEdit");
    c.click("saveButton");
    QCOMPARE(c.said(), QStringList({ "新增会员成功！", "新增会员成功！" }));
    c.window()->close();

    c.menu("商品档案预录入");
    const QList<QStringList> products { { "日用", "SP001", "毛巾", "条", "12" },
                                        { "食品", "SP002", "饼干", "包", "8.5" } };
    for (const QStringList &p : products) {
        c.click("newButton");
        c.type("categoryBox", p[0]);
        c.type("codeEdit", p[1]);
        c.type("nameEdit", p[2]);
        c.type("unitEdit", p[3]);
        c.type("priceEdit", p[4]);
        c.click("saveButton");
    }
    c.window()->close();

    // Sales: a basket for 张三, a typed amount for 李四 that lifts him to 金卡.
    c.menu("消费积分");
    c.card("8001");
    c.product("SP001");
    c.product("SP002");
    c.basketCell(1, BasketGrid::Quantity, "2");
    c.click("confirmButton");
    const QByteArray purchaseReceipt = ReadAll(pos);
    c.card("8002");
    c.type("amountEdit", "1000");
    c.click("confirmButton");
    QCOMPARE(c.said(), QStringList({ "增加积分成功！", "增加积分成功！" }));
    c.window()->close();

    // A return and an exchange for 张三.
    c.menu("退/换货减积分");
    c.card("8001");
    c.product("SP002");
    c.type("noteEdit", "破损");
    c.click("confirmButton");
    const QByteArray returnReceipt = ReadAll(pos);
    c.card("8001");
    c.check("exchangeButton");
    c.product("SP001");
    c.type("discountedEdit", "5");
    c.type("noteEdit", "换颜色");
    c.click("confirmButton");
    QCOMPARE(c.said(), QStringList({ "退/换货减少积分成功！", "退/换货减少积分成功！" }));
    c.window()->close();

    // 李四 takes a gift and some cash.
    c.menu("积分兑换");
    c.card("8002");
    c.type("pointsEdit", "20");
    c.type("giftEdit", "雨伞");
    c.click("confirmButton");
    const QByteArray giftReceipt = ReadAll(pos);
    c.check("cashButton"); // the kind comes before the card
    c.card("8002");
    c.type("pointsEdit", "10");
    c.type("cashEdit", "5");
    c.click("confirmButton");
    QCOMPARE(c.said(), QStringList({ "兑换积分成功！", "兑换积分成功！" }));
    c.window()->close();

    // 张三 loses his card, and gets 9001 instead.
    c.menu("会员卡挂失及取消");
    c.card("8001");
    c.click("confirmButton");
    QCOMPARE(c.said(), QStringList({ "挂失成功！" }));
    c.window()->close();
    // The lost card is refused at the till; the operator declines its loss records.
    c.menu("消费积分");
    fx.dialogs.answers << MsgResult::Cancel;
    c.card("8001");
    QCOMPARE(c.said(), QStringList({ "此卡已经挂失，不能使用,需要打开挂失记录吗？" }));
    QVERIFY(!c.window()->findChild<MemberPanel *>()->isLoaded());
    c.window()->close();
    c.menu("会员卡更换");
    c.card("8001");
    c.type("newCardEdit", "9001");
    c.click("confirmButton");
    QCOMPARE(c.said().size(), 1);
    c.window()->close();

    // The old number is refused for good.
    c.menu("积分兑换");
    fx.dialogs.answers << MsgResult::Cancel;
    c.card("8001");
    QCOMPARE(c.said(), QStringList({ "此卡已经更换，不能使用,需要打开更换记录吗？" }));
    c.window()->close();

    c.menu("会员查询");
    c.card("9001");
    auto *panel = c.window()->findChild<MemberPanel *>();
    QCOMPARE(panel->nameEdit()->text(), QString("张三"));
    QCOMPARE(panel->pointsValue()->text(), QString("6.55"));
    QCOMPARE(panel->purchaseCountValue()->text(), QString("1"));
    c.window()->close();

    c.menu("全部会员信息");
    c.click("showAllButton");
    auto *memberGrid = c.window()->findChild<RecordGrid *>();
    QCOMPARE(memberGrid->totalRowCount(), 2);
    QStringList listed { memberGrid->cellText(0, 0), memberGrid->cellText(1, 0) };
    listed.sort();
    QCOMPARE(listed, QStringList({ "8002", "9001" }));
    c.window()->close();

    // The journal of the day, in every format.
    c.menu("会员积分增减历史记录");
    c.check("allDatesBox");
    c.check("allMembersBox");
    c.click("queryButton");
    for (int format = 1; format <= 5; ++format) {
        fx.dialogs.fileNames << exports.filePath("journal");
        fx.dialogs.filterChoices << format;
        c.click("excelButton");
    }
    QCOMPARE(c.said(), QStringList(5, "导出数据成功！"));
    c.window()->close();

    fx.dialogs.fileNames << fx.file("exports/counterday");
    QVERIFY(main.issueMenuCommand("数据备份"));
    c.said();

    fx.dialogs.answers << MsgResult::Ok << MsgResult::Cancel;
    QVERIFY(main.close());

    // The database after the day.
    QVERIFY(Sql::scalar("pragma integrity_check").toString() == "ok");
    QCOMPARE(
        Rows("select 卡类别, 折扣, 积分比例, 自动变卡下限, 允许兑换礼品, 允许返现金 from 卡类别"),
        QStringList({ "普通卡|100|10|0|1|1", "金卡|90|10|100|1|1" }));
    QCOMPARE(Rows("select 自动变卡 from 自动变卡"), QStringList({ "是" }));
    QCOMPARE(Rows("select 引荐积分 from 引荐积分"), QStringList({ "5" }));
    QCOMPARE(Rows("select 店铺, 票尾 from 小票"), QStringList({ "青禾便利店|谢谢惠顾" }));
    QCOMPARE(
        Rows(
            "select 操作员, 姓名, 密码, \"1\", \"18\", \"19\", \"23\" from 操作员 order by 操作员"),
        QStringList({ "0001|系统管理员|null|1|1|1|1", "0002|王收银|123|0|1|1|0" }));
    QCOMPARE(
        Rows("select 所属类别, 商品编号, 商品名称, 单位, 预设单价 from 商品档案 order by 编号"),
        QStringList({ "日用|SP001|毛巾|条|12", "食品|SP002|饼干|包|8.5" }));
    QCOMPARE(
        Rows("select 会员卡号, 卡类别, 会员姓名, 身份证号, 会员生日, 生日, 手机, 引荐人卡号, "
             "引荐人姓名, 起用日期, "
             "积分, 口头挂失标志 from 会员卡信息 order by 会员卡号"),
        QStringList({ "8002|普通卡|李四||2026-03-14|3-14|13900000002|8001|张三|2026-03-14|70|0",
                      "9001|普通卡|张三|330102198003061234|1980-03-06|3-6|13900000001|||2026-03-14|"
                      "6.55|0" }));
    QCOMPARE(
        Rows("select 编号, 会员卡号, 会员姓名, 增减积分, 增减原因, \"退/换货说明\", 兑换礼品, "
             "返现金, 日期, 时间, 经手人 "
             "from 流水记录 order by coalesce(编号, '')"),
        QStringList({ "null|9001|张三|5|引荐会员|null|null|null|2026-03-14|10:30:15|0001",
                      "0000000001|9001|张三|2.9|购物消费|null|null|null|2026-03-14|10:30:15|0001",
                      "0000000002|8002|李四|100|购物消费|null|null|null|2026-03-14|10:30:15|0001",
                      "0000000003|9001|张三|-0.85|退货|破损|null|null|2026-03-14|10:30:15|0001",
                      "0000000004|9001|张三|-0.5|换货|换颜色|null|null|2026-03-14|10:30:15|0001",
                      "0000000005|8002|李四|-20|兑换积分|null|雨伞|0|2026-03-14|10:30:15|0001",
                      "0000000006|8002|李四|-10|兑换积分|null||5|2026-03-14|10:30:15|0001" }));
    QCOMPARE(Rows("select 编号, 会员卡号, 会员姓名, 商品, 单位, 数量, 消费金额, 增减原因, "
                  "\"退/换货说明\" "
                  "from 消费记录 order by 编号, 商品"),
             QStringList({ "0000000001|9001|张三|毛巾|条|1|12|购物消费|null",
                           "0000000001|9001|张三|饼干|包|2|17|购物消费|null",
                           "0000000003|9001|张三|饼干|包|-1|-8.5|退货|破损",
                           "0000000004|9001|张三|毛巾|条|-1|-12|换货|换颜色" }));
    QCOMPARE(Rows("select 会员卡号, 会员姓名, 口头挂失日期, 口头挂失时间, 挂失经手人, "
                  "取消挂失日期, 取消挂失时间, 取消挂失经手人 "
                  "from 口头挂失记录"),
             QStringList({ "8001|张三|2026-03-14|10:30:15|0001|2026-03-14|10:30:15|0001" }));
    QCOMPARE(Rows("select 旧卡号, 新卡号, 会员姓名, 原有积分, 日期, 时间, 经手人 from 挂失记录"),
             QStringList({ "8001|9001|张三|6.55|2026-03-14|10:30:15|0001" }));

    // The settings file, as the shop settings wrote it.
    QCOMPARE(Gbk::decode(ReadAll(BaseFolder::iniPath())),
             QString("[程序参数]\r\n打印端口=%1\r\n店铺名称=青禾便利店\r\n背景图片=\r\n广告语="
                     "会员日全场九折\r\n"
                     "打印小票=1\r\n小票尾=谢谢惠顾\r\n打印机=0\r\n")
                 .arg(pos));

    // Receipts: each one replaced the one before on the port.
    const auto receipt = [](const QStringList &lines) {
        return Gbk::encode(lines.join("\r\n") + "\r\n")
            + QByteArray("\x0B\x1B\x4A\x8C\r\n\n\r\n", 9);
    };
    const QString head = "          欢 迎 光 临";
    const QString shop = "           青禾便利店";
    const QString rule = QString(32, '~');
    const QStringList tail { rule, "2026-03-14   10:30:15", "经手人： 0001", rule, "谢谢惠顾" };
    QCOMPARE(
        purchaseReceipt,
        receipt(QStringList { head, shop, "~~~~~~~~~~~增加积分~~~~~~~~~~~~~", "会员卡号： 8001",
                              "会员姓名： 张三", "所购商品： 毛巾", "所购商品： 饼干",
                              "消费金额： 29", "增加积分： 2.9", "现有积分： 7.9" }
                + tail));
    QCOMPARE(returnReceipt,
             receipt(QStringList { head, shop, "~~~~~~~退/换货减少积分~~~~~~~~~", "会员卡号： 8001",
                                   "会员姓名： 张三", "退货商品： 饼干", "退货金额： 8.5",
                                   "减少积分： 0.85", "现有积分： 7.05" }
                     + tail));
    QCOMPARE(giftReceipt,
             receipt(QStringList { head, shop, "~~~~~~~~~~积分兑换~~~~~~~~~~~", "会员卡号： 8002",
                                   "会员姓名： 李四", "兑换积分： 20", "兑换礼品： 雨伞",
                                   "兑换现金： 0", "现有积分： 80" }
                     + tail));
    QCOMPARE(ReadAll(pos),
             receipt(QStringList { head, shop, "~~~~~~~~~~积分兑换~~~~~~~~~~~", "会员卡号： 8002",
                                   "会员姓名： 李四", "兑换积分： 10", "兑换礼品： ",
                                   "兑换现金： 5", "现有积分： 70" }
                     + tail));

    // The exports, read back: the grid's titles and the seven rows, the same in every format.
    const Readback::Table journal {
        { "会员卡号", "会员姓名", "商品", "兑换礼品", "返现金", "增减积分", "增减原因",
          "退/换货说明", "日期", "时间", "经手人" },
        { "9001", "张三", "", "", "", "5", "引荐会员", "", "2026-03-14", "10:30:15", "0001" },
        { "9001", "张三", "", "", "", "2.9", "购物消费", "", "2026-03-14", "10:30:15", "0001" },
        { "8002", "李四", "", "", "", "100", "购物消费", "", "2026-03-14", "10:30:15", "0001" },
        { "9001", "张三", "", "", "", "-0.85", "退货", "破损", "2026-03-14", "10:30:15", "0001" },
        { "9001", "张三", "", "", "", "-0.5", "换货", "换颜色", "2026-03-14", "10:30:15", "0001" },
        { "8002", "李四", "", "雨伞", "0", "-20", "兑换积分", "", "2026-03-14", "10:30:15",
          "0001" },
        { "8002", "李四", "", "", "5", "-10", "兑换积分", "", "2026-03-14", "10:30:15", "0001" }
    };
    QCOMPARE(Readback::delimited(ReadAll(exports.filePath("journal.txt")), '\t'), journal);
    QCOMPARE(Readback::delimited(ReadAll(exports.filePath("journal.csv")), ','), journal);
    QCOMPARE(Readback::html(QString::fromUtf8(ReadAll(exports.filePath("journal.htm")))), journal);
    QCOMPARE(Readback::rtf(ReadAll(exports.filePath("journal.rtf"))), journal);
    QCOMPARE(Cells(Readback::xlsxSheet(exports.filePath("journal.xlsx"))), journal);

    // Both backups are the database as it was closed.
    const QByteArray database = ReadAll(BaseFolder::databasePath());
    QCOMPARE(ReadAll(fx.file("backup/2026-03-14.bak")), database);
    QCOMPARE(ReadAll(fx.file("exports/counterday.bak")), database);
}

HYJF_TEST_MAIN(TestCounterDay)
#include "tst_counterday.moc"
