#include "app/mainfrm.h"
#include "cards/cardstore.h"
#include "cards/koutoufrm.h"
#include "cards/guashifrm.h"
#include "cards/guashilishifrm.h"
#include "data/dm1frm.h"
#include "data/memberpanel.h"
#include "data/sql.h"
#include "members/memberform.h"
#include "members/xinhuiyuanfrm.h"
#include "records/recordgrid.h"
#include "support/committed.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/members.h"
#include "support/openedwindows.h"
#include "support/testmain.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace {

// A replacement window over member A (12.5 points, reported lost, two purchases) and member X,
// who was introduced by A.
struct ReplaceDesk
{
    ReplaceDesk()
    {
        AddCategory(fx, { "普通", 100, 10, 0 });
        AddMember(fx, "A", "张三", "普通", 12.5, true);
        AddMember(fx, "X", "李四", "普通", 3);
        fx.exec("update 会员卡信息 set 引荐人卡号 = 'A' where 会员卡号 = 'X'");
        fx.exec("insert into 流水记录 (编号, 会员卡号, 增减积分, 增减原因) values ('0000000001', "
                "'A', 10, '购物消费'), "
                "('0000000002', 'X', 3, '购物消费'), ('0000000003', 'A', 2.5, '购物消费')");
        fx.exec("insert into 消费记录 (编号, 会员卡号, 消费金额) values ('0000000001', 'A', 100), "
                "('0000000002', 'X', 30), ('0000000003', 'A', 25.5)");
        fx.exec(
            "insert into 口头挂失记录 (会员卡号, 会员姓名, 口头挂失日期, 口头挂失时间, 挂失经手人) "
            "values ('A', '张三', '2026-03-01', '08:00:00', '0002')");
        window = std::make_unique<Tguashi>();
        window->show();
    }
    MemberPanel *panel() const { return window->memberPanel(); }
    void lookUp(const QString &card)
    {
        panel()->cardEdit()->setText(card);
        QTest::keyClick(panel()->cardEdit(), Qt::Key_Return);
    }
    void replace(const QString &oldCard, const QString &newCard)
    {
        lookUp(oldCard);
        window->newCardEdit()->setText(newCard);
        window->confirmButton()->click();
    }
    // 旧卡号|新卡号|会员姓名|原有积分|日期|时间|经手人 of every replacement, in order.
    QStringList replacements() const
    {
        QSqlQuery q = Sql::exec("select * from 挂失记录 order by rowid");
        QStringList rows;
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < 7; ++i)
                cells << Sql::text(q.value(i));
            rows << cells.join("|");
        }
        return rows;
    }
    int rowsOf(const QString &table, const QString &card)
    {
        return fx.count(table, "会员卡号 = ?", { card });
    }

    Fixture fx;
    CommittedCountDialogs dialogs { "select count(*) from 挂失记录" };
    OpenedWindowsShell shell;
    std::unique_ptr<Tguashi> window;
};

// A window holding one member panel, as the business windows do.
struct PanelHost
{
    explicit PanelHost(const MemberPanelVariant &variant)
    {
        panel = new MemberPanel(variant, &window);
        (new QVBoxLayout(&window))->addWidget(panel);
        window.show();
    }
    void lookUp(const QString &card)
    {
        panel->cardEdit()->setText(card);
        QTest::keyClick(panel->cardEdit(), Qt::Key_Return);
    }
    QWidget window;
    MemberPanel *panel;
};

using VariantFactory = std::function<MemberPanelVariant()>;

} // namespace

Q_DECLARE_METATYPE(VariantFactory)

class TestGuashi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replaceAToB();
    void oldCardRefusedEverywhere_data();
    void oldCardRefusedEverywhere();
    void chainBToC();
    void newNumberRefusals_data();
    void newNumberRefusals();
    void failedSaveMovesNothing();
    void openedByToolbarAndMenu();
};

void TestGuashi::replaceAToB()
{
    ReplaceDesk d;
    Tguashi *w = d.window.get();
    QCOMPARE(w->windowTitle(), QString("会员卡更换"));
    QCOMPARE(w->childPosition(), QPoint(250, 0));
    QVERIFY(!w->newCardEdit()->isEnabled());
    QVERIFY(!w->confirmButton()->isEnabled());

    // A lost card loads here; the points recorded are those shown now.
    d.lookUp("A");
    QVERIFY(d.dialogs.messages.isEmpty());
    QCOMPARE(d.panel()->pointsValue()->text(), QString("12.5"));
    QVERIFY(w->newCardEdit()->isEnabled());
    QVERIFY(w->confirmButton()->isEnabled());
    d.fx.exec("update 会员卡信息 set 积分 = 40 where 会员卡号 = 'A'");
    w->newCardEdit()->setText("B");
    w->confirmButton()->click();

    QCOMPARE(d.dialogs.texts(), QStringList { "会员卡更换、补发新卡成功!" });
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Information);
    QCOMPARE(d.dialogs.committedCounts, QList<int> { 1 }); // shown after the commit
    QCOMPARE(d.replacements(), QStringList { "A|B|张三|12.5|2026-03-14|10:30:15|0001" });
    QCOMPARE(d.fx.count("会员卡信息",
                        "会员卡号 = 'B' and 积分 = 40 and 口头挂失标志 = 0 and 会员姓名 = '张三'"),
             1);
    QCOMPARE(d.rowsOf("会员卡信息", "A"), 0);
    QCOMPARE(d.rowsOf("流水记录", "B"), 2);
    QCOMPARE(d.rowsOf("消费记录", "B"), 2);
    QCOMPARE(d.rowsOf("流水记录", "X"), 1);
    QCOMPARE(d.rowsOf("消费记录", "X"), 1);
    QCOMPARE(d.rowsOf("流水记录", "A") + d.rowsOf("消费记录", "A"), 0);
    // The loss record keeps the old number and is closed by the replacement.
    QCOMPARE(
        d.fx.count("口头挂失记录",
                   "会员卡号 = 'A' and 取消挂失日期 = '2026-03-14' and 取消挂失时间 = '10:30:15' "
                   "and 取消挂失经手人 = '0001'"),
        1);
    QCOMPARE(d.fx.count("会员卡信息", "会员卡号 = 'X' and 引荐人卡号 = 'A'"), 1);
    // Reset, waiting for the next card.
    QVERIFY(d.panel()->cardEdit()->text().isEmpty());
    QVERIFY(w->newCardEdit()->text().isEmpty());
    QVERIFY(d.panel()->pointsValue()->text().isEmpty());
    QVERIFY(!w->newCardEdit()->isEnabled());
    QVERIFY(!w->confirmButton()->isEnabled());

    // Every replacement is listed under the window's own title.
    w->allRecordsButton()->click();
    QCOMPARE(d.shell.opened.value(0),
             qMakePair(QString("全部会员卡更换历史记录"), QString("Tguashilishi")));
    Tguashilishi history;
    QCOMPARE(history.recordGrid->totalRowCount(), 1);
    QCOMPARE(history.recordGrid->cellText(0, 1), QString("B"));
}

void TestGuashi::oldCardRefusedEverywhere_data()
{
    QTest::addColumn<VariantFactory>("variant");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("title");
    const QString change = "此卡已经更换，不能使用,需要打开换卡记录吗？";
    const QString records = "此卡已经更换，不能使用,需要打开更换记录吗？";
    QTest::newRow("purchase") << VariantFactory(&MemberPanelVariant::purchase) << change
                              << "换卡历史记录";
    QTest::newRow("returns") << VariantFactory(&MemberPanelVariant::returns) << change
                             << "换卡历史记录";
    QTest::newRow("redemption") << VariantFactory(&MemberPanelVariant::redemption) << records
                                << "全部挂失历史记录";
    QTest::newRow("query") << VariantFactory(&MemberPanelVariant::query) << change
                           << "换卡历史记录";
    QTest::newRow("verbal loss") << VariantFactory(&MemberPanelVariant::verbalLoss) << change
                                 << "全部挂失历史记录";
    QTest::newRow("replacement") << VariantFactory(&MemberPanelVariant::replacement) << records
                                 << "全部挂失历史记录";
}

void TestGuashi::oldCardRefusedEverywhere()
{
    QFETCH(VariantFactory, variant);
    QFETCH(QString, question);
    QFETCH(QString, title);
    ReplaceDesk d;
    d.replace("A", "B");
    d.dialogs.clear();

    PanelHost h(variant());
    d.dialogs.answers << MsgResult::Ok;
    h.lookUp("A");
    QCOMPARE(d.dialogs.texts(), QStringList { question });
    QCOMPARE(d.shell.opened.value(0), qMakePair(title, QString("Tguashilishi")));
    QCOMPARE(TDM1::instance()->ADOQuery9.values(), QVariantList { "A" });
    QVERIFY(!h.panel->isLoaded());
    QVERIFY(h.panel->nameEdit()->text().isEmpty());

    // B is the member, with the points and, where shown, the purchases made under A.
    d.dialogs.clear();
    h.lookUp("B");
    QVERIFY(d.dialogs.messages.isEmpty()); // the loss flag went with the old number
    QVERIFY(h.panel->isLoaded());
    QCOMPARE(h.panel->nameEdit()->text(), QString("张三"));
    QCOMPARE(h.panel->pointsValue()->text(), QString("12.5"));
    if (h.panel->purchaseCountValue()) {
        QCOMPARE(h.panel->purchaseCountValue()->text(), QString("2"));
        QCOMPARE(h.panel->totalAmountValue()->text(), QString("125.5"));
    }
}

void TestGuashi::chainBToC()
{
    ReplaceDesk d;
    d.replace("A", "B");
    // Registration refuses the old number for good.
    {
        Txinhuiyuan registration;
        registration.form()->cardEdit()->setText("A");
        QVERIFY(!registration.cardEditExit());
        QCOMPARE(d.dialogs.lastText(), QString("此卡已经挂失，不能使用!"));
        QVERIFY(registration.form()->cardEdit()->text().isEmpty());
    }
    // Here too the old number only offers its history; the panel stays as it was.
    d.dialogs.clear();
    d.lookUp("X");
    d.dialogs.answers << MsgResult::Cancel;
    d.lookUp("A");
    QCOMPARE(d.dialogs.texts(), QStringList { "此卡已经更换，不能使用,需要打开更换记录吗？" });
    QVERIFY(d.shell.opened.isEmpty());
    QCOMPARE(d.panel()->nameEdit()->text(), QString("李四"));

    d.dialogs.clear();
    d.replace("B", "C'3");
    QCOMPARE(d.dialogs.texts(), QStringList { "会员卡更换、补发新卡成功!" });
    QCOMPARE(d.replacements(),
             (QStringList { "A|B|张三|12.5|2026-03-14|10:30:15|0001",
                            "B|C'3|张三|12.5|2026-03-14|10:30:15|0001" }));
    QCOMPARE(d.rowsOf("流水记录", "C'3"), 2);
    QCOMPARE(d.rowsOf("消费记录", "C'3"), 2);
    QCOMPARE(d.rowsOf("会员卡信息", "C'3"), 1);
    // The loss record was closed by the first replacement and stays as it was.
    QCOMPARE(d.fx.count("口头挂失记录", "取消挂失日期 is null"), 0);
}

void TestGuashi::newNumberRefusals_data()
{
    QTest::addColumn<QString>("newCard");
    QTest::addColumn<bool>("searchFirst");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("left"); // the new card number field afterwards
    QTest::newRow("empty") << "" << false << "请输入新卡号！"
                           << "";
    QTest::newRow("replaced away before") << "OLD" << false << "此新卡号已经被更换，不能使用！"
                                          << "OLD";
    QTest::newRow("a member's card") << "X" << false << "选定的新卡号已经存在！"
                                     << "";
    QTest::newRow("the old number itself") << "A" << false << "选定的新卡号已经存在！"
                                           << "";
    // A search empties the old number but keeps "确定" as the lookup left it.
    QTest::newRow("no old number after a search") << "N1" << true << "此卡号不存在！"
                                                  << "N1";
}

void TestGuashi::newNumberRefusals()
{
    QFETCH(QString, newCard);
    QFETCH(bool, searchFirst);
    QFETCH(QString, message);
    QFETCH(QString, left);
    ReplaceDesk d;
    d.fx.exec(
        "insert into 挂失记录 (旧卡号, 新卡号, 会员姓名, 原有积分) values ('OLD', 'X', '李四', 0)");
    d.lookUp("A");
    if (searchFirst) {
        d.panel()->nameEdit()->setText("张");
        d.panel()->searchButton(MemberPanel::SearchColumn::Name)->click();
        QVERIFY(d.panel()->cardEdit()->text().isEmpty());
        QVERIFY(d.window->confirmButton()->isEnabled());
    }
    d.window->newCardEdit()->setText(newCard);
    d.window->confirmButton()->click();
    QCOMPARE(d.dialogs.texts(), QStringList { message });
    QCOMPARE(d.dialogs.messages.last().caption, QString("提示"));
    QCOMPARE(d.dialogs.messages.last().icon, MsgIcon::Error);
    QCOMPARE(d.window->newCardEdit()->text(), left);
    QCOMPARE(d.fx.count("挂失记录"), 1);
    QCOMPARE(d.rowsOf("会员卡信息", "A"), 1);
    QCOMPARE(d.rowsOf("流水记录", "A"), 2);
    QCOMPARE(d.fx.count("口头挂失记录", "取消挂失日期 is null"), 1);
}

void TestGuashi::failedSaveMovesNothing()
{
    ReplaceDesk d;
    d.fx.exec("create trigger refuse before insert on 挂失记录 begin select raise(abort, "
              "'磁盘已满'); end");
    d.replace("A", "B");
    QCOMPARE(d.dialogs.messages.size(), 1);
    QVERIFY2(d.dialogs.lastText().contains("磁盘已满"), qPrintable(d.dialogs.lastText()));
    // The statements before the failing one are undone with it.
    QCOMPARE(d.rowsOf("会员卡信息", "A"), 1);
    QCOMPARE(d.rowsOf("流水记录", "A"), 2);
    QCOMPARE(d.rowsOf("消费记录", "A"), 2);
    QCOMPARE(d.fx.count("会员卡信息", "口头挂失标志 = 1"), 1);
    // The window stays as it was, ready to try again.
    QCOMPARE(d.panel()->cardEdit()->text(), QString("A"));
    QCOMPARE(d.window->newCardEdit()->text(), QString("B"));
    QVERIFY(d.window->confirmButton()->isEnabled());

    // The store function by itself, as other callers use it.
    d.fx.exec("drop trigger refuse");
    QCOMPARE(CardStore::ReplaceCard("A", "B", "张三", "12.5"), CardStore::Replacement::Done);
    QCOMPARE(CardStore::ReplaceCard("A", "D", "张三", "12.5"), CardStore::Replacement::OldMissing);
    QCOMPARE(d.replacements().size(), 1);
}

void TestGuashi::openedByToolbarAndMenu()
{
    Fixture fx;
    fx.dm.close();
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    const auto window = [&](const QString &title) -> QWidget * {
        for (QMdiSubWindow *sub : main.clientArea()->subWindowList())
            if (sub->windowTitle() == title)
                return sub->widget();
        return nullptr;
    };
    main.toolButton("会员卡更换")->click();
    auto *replacement = qobject_cast<Tguashi *>(window("会员卡更换"));
    QVERIFY(replacement);
    replacement->allRecordsButton()->click();
    QVERIFY(qobject_cast<Tguashilishi *>(window("全部会员卡更换历史记录")));
    QVERIFY(main.issueMenuCommand("会员卡挂失及取消"));
    QVERIFY(qobject_cast<Tkoutou *>(window("会员卡挂失及取消")));
    main.clientArea()->closeAllSubWindows();
    main.setAttribute(Qt::WA_DeleteOnClose, false);
}

HYJF_TEST_MAIN(TestGuashi)
#include "tst_guashi.moc"
