#include "app/guanyufrm.h"
#include "app/mainfrm.h"
#include "app/menus.h"
#include "common/basefolder.h"
#include "data/sql.h"
#include "operators/permissions.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/testmain.h"
#include "support/windows.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

const QStringList freeItems{"修改密码", "退出系统", "帮助", "关于"};
const QStringList freeButtons{"系统帮助", "暂时离开", "退出"};

// Logs in as an operator holding exactly the given flags.
void loginWithFlags(Fixture &fx, TMAIN &w, const QList<int> &flags)
{
    fx.exec("insert into 操作员 (操作员, 姓名) values ('0009', '测试')");
    for (int flag : flags)
        fx.exec(QString("update 操作员 set \"%1\" = 1 where 操作员 = '0009'").arg(flag));
    fx.dm.close();
    QCOMPARE(StartAndLogin(w, "0009", ""), TMAIN::StartResult::Running);
}

QList<QMdiSubWindow *> subWindows(TMAIN &w)
{
    return w.clientArea()->subWindowList();
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menusAndToolbarInOrder();
    void eachFlagEnablesItsItemAndButton_data();
    void eachFlagEnablesItsItemAndButton();
    void noFlagKeepsOnlyFreeItems();
    void oneWindowPerTitle();
    void minimisedWindowIsRestored();
    void closedWindowOpensFresh();
    void disabledItemIgnoresEverySource();
    void helpOpensManual();
    void aboutBox();
    void exceptionsReachTheErrorDialog();
    void exitCommandsAskFirst();
};

void TestShell::menusAndToolbarInOrder()
{
    Fixture fx(false);
    TMAIN w;
    QStringList menus;
    for (QAction *a : w.menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, MenuNames());
    QCOMPARE(MenuItems().size(), 27);
    QStringList system;
    for (QAction *a : w.menuBar()->actions().first()->menu()->actions())
        system << a->text();
    QCOMPARE(system, QStringList({"操作人员及权限设置", "修改密码", "店铺名称及小票打印设置", "数据备份", "数据恢复",
                                  "积分手动清零", "历史数据清除", "数据初始化", "退出系统"}));
    QStringList buttons;
    for (const ToolButtonEntry &b : ToolButtons()) {
        QVERIFY(w.toolButton(b.caption));
        buttons << w.toolButton(b.caption)->text();
    }
    QCOMPARE(buttons, QStringList({"消费积分", "退/换货减积分", "积分兑换", "会员管理", "会员查询", "会员卡更换",
                                   "生日提醒", "系统帮助", "暂时离开", "退出"}));
    // Every permission names a real item, and every button command a real item.
    for (const PermissionFlag &f : PermissionFlags()) {
        QVERIFY2(w.menuItem(f.menuItem), qPrintable(f.menuItem));
        if (!f.toolButton.isEmpty())
            QVERIFY2(w.toolButton(f.toolButton), qPrintable(f.toolButton));
    }
}

void TestShell::eachFlagEnablesItsItemAndButton_data()
{
    QTest::addColumn<int>("flag");
    for (int flag = 1; flag <= 23; ++flag)
        QTest::newRow(qPrintable(QString::number(flag))) << flag;
}

void TestShell::eachFlagEnablesItsItemAndButton()
{
    QFETCH(int, flag);
    Fixture fx;
    TMAIN w;
    loginWithFlags(fx, w, {flag});
    for (const PermissionFlag &f : PermissionFlags()) {
        QCOMPARE(w.menuItem(f.menuItem)->isEnabled(), f.flag == flag);
        if (!f.toolButton.isEmpty())
            QCOMPARE(w.toolButton(f.toolButton)->isEnabled(), f.flag == flag);
    }
    const QList<int> withButtons{8, 9, 12, 13, 14, 15, 19};
    int enabledButtons = 0;
    for (const ToolButtonEntry &b : ToolButtons())
        if (!freeButtons.contains(b.caption) && w.toolButton(b.caption)->isEnabled())
            ++enabledButtons;
    QCOMPARE(enabledButtons, withButtons.contains(flag) ? 1 : 0);
}

void TestShell::noFlagKeepsOnlyFreeItems()
{
    Fixture fx;
    TMAIN w;
    loginWithFlags(fx, w, {});
    for (const MenuItemEntry &e : MenuItems())
        QCOMPARE(w.menuItem(e.item)->isEnabled(), freeItems.contains(e.item));
    for (const ToolButtonEntry &b : ToolButtons())
        QCOMPARE(w.toolButton(b.caption)->isEnabled(), freeButtons.contains(b.caption));
}

void TestShell::oneWindowPerTitle()
{
    Fixture fx(false);
    EnsureWindowClass("ProbeWindow");
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    w.show();
    QWidget *first = w.openChildWindow("窗口甲", "ProbeWindow");
    QVERIFY(first);
    QCOMPARE(w.openChildWindow("窗口甲", "ProbeWindow"), first);
    QCOMPARE(subWindows(w).size(), 1);
    QCOMPARE(subWindows(w).first()->geometry().topLeft(), QPoint(10, 20));
    QCOMPARE(subWindows(w).first()->size(), QSize(300, 200));
    // The same class under another title is another window; titles compare exactly.
    QWidget *second = w.openChildWindow("窗口乙", "ProbeWindow");
    QVERIFY(second && second != first);
    QVERIFY(!w.activateChildWindow("窗口"));
    QVERIFY(!w.activateChildWindow("窗口甲 "));
    QCOMPARE(subWindows(w).size(), 2);
    QVERIFY(w.activateChildWindow("窗口甲"));
    QCOMPARE(w.clientArea()->activeSubWindow()->widget(), first);
    QVERIFY(!w.openChildWindow("窗口丙", "NoSuchClass"));
    QCOMPARE(subWindows(w).size(), 2);
    w.clientArea()->closeAllSubWindows();
    w.hide();
}

void TestShell::minimisedWindowIsRestored()
{
    Fixture fx(false);
    EnsureWindowClass("Tjifenchaxun");
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    w.show();
    QVERIFY(w.issueMenuCommand("会员查询"));
    QCOMPARE(subWindows(w).size(), 1);
    QMdiSubWindow *sub = subWindows(w).first();
    QCOMPARE(sub->windowTitle(), QString("会员查询"));
    sub->showMinimized();
    QVERIFY(sub->isMinimized());
    w.toolButton("会员查询")->click();
    QCOMPARE(subWindows(w).size(), 1);
    QVERIFY(!sub->isMinimized());
    QCOMPARE(w.clientArea()->activeSubWindow(), sub);
    w.clientArea()->closeAllSubWindows();
    w.hide();
}

void TestShell::closedWindowOpensFresh()
{
    Fixture fx(false);
    EnsureWindowClass("ProbeWindow");
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    w.show();
    auto *probe = qobject_cast<ProbeWindow *>(w.openChildWindow("甲", "ProbeWindow"));
    QVERIFY(probe);
    probe->field->setText("typed");
    QPointer<QMdiSubWindow> frame = subWindows(w).first();
    probe->close(); // the window closes itself: its frame goes too
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY(frame.isNull());
    QCOMPARE(subWindows(w).size(), 0);
    probe = qobject_cast<ProbeWindow *>(w.openChildWindow("甲", "ProbeWindow"));
    QVERIFY(probe);
    QCOMPARE(probe->field->text(), QString());
    w.clientArea()->closeAllSubWindows();
    w.hide();
}

void TestShell::disabledItemIgnoresEverySource()
{
    Fixture fx;
    EnsureWindowClass("Tzengjiajifen");
    TMAIN w;
    loginWithFlags(fx, w, {});
    w.show();
    // Even a button left enabled does nothing while its item is disabled.
    w.setToolButtonEnabled("消费积分", true);
    w.toolButton("消费积分")->click();
    QVERIFY(!w.issueMenuCommand("消费积分"));
    w.menuItem("消费积分")->trigger();
    QCOMPARE(subWindows(w).size(), 0);
    w.setCommandEnabled("消费积分", true);
    w.toolButton("消费积分")->click();
    QCOMPARE(subWindows(w).size(), 1);
    QCOMPARE(subWindows(w).first()->windowTitle(), QString("购物或换货增加积分"));
    w.clientArea()->closeAllSubWindows();
    w.hide();
}

void TestShell::helpOpensManual()
{
    Fixture fx(false);
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    w.toolButton("系统帮助")->click();
    QVERIFY(fx.dialogs.openedDocuments.isEmpty()); // no manual, no message
    QVERIFY(fx.dialogs.messages.isEmpty());
    QFile manual(BaseFolder::helpPath());
    QVERIFY(manual.open(QIODevice::WriteOnly));
    manual.write("<html></html>");
    manual.close();
    w.menuItem("帮助")->trigger();
    QCOMPARE(fx.dialogs.openedDocuments, QStringList({BaseFolder::helpPath()}));
}

void TestShell::aboutBox()
{
    Fixture fx(false);
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    QString title, texts;
    QTimer::singleShot(0, [&] {
        auto *about = qobject_cast<Tguanyu *>(QApplication::activeModalWidget());
        if (!about)
            return;
        title = about->windowTitle();
        for (QLabel *l : about->findChildren<QLabel *>())
            texts += l->text();
        about->close();
    });
    w.menuItem("关于")->trigger();
    QCOMPARE(title, QString("关于本系统"));
    QVERIFY(texts.contains("青禾岭会员积分管理系统"));
    QVERIFY(texts.contains("程序版本：4.68"));
}

void TestShell::exceptionsReachTheErrorDialog()
{
    Fixture fx;
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { Sql::exec("select * from 不存在的表"); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages[0].caption, QString("青禾岭会员积分管理系统"));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Error);
    QVERIFY(fx.dialogs.messages[0].text.contains("不存在的表"));
    // The program goes on.
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(fx.dialogs.messages.size(), 2);
}

void TestShell::exitCommandsAskFirst()
{
    Fixture fx(false);
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    w.show();
    fx.dialogs.answers << MsgResult::Cancel << MsgResult::Cancel;
    w.menuItem("退出系统")->trigger();
    w.toolButton("退出")->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"确实要退出本系统吗？", "确实要退出本系统吗？"}));
    QVERIFY(w.isVisible());
    fx.dialogs.answers << MsgResult::Ok << MsgResult::Cancel;
    w.toolButton("退出")->click();
    QVERIFY(!w.isVisible());
}

HYJF_TEST_MAIN(TestShell)
#include "tst_shell.moc"
