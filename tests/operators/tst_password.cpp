#include "common/session.h"
#include "operators/guaqifrm.h"
#include "operators/operatorstore.h"
#include "operators/xiugaimimafrm.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/testmain.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

void typeChange(Txiugaimima &w, const QString &old, const QString &fresh, const QString &confirm)
{
    w.oldPasswordEdit()->setText(old);
    w.newPasswordEdit()->setText(fresh);
    w.confirmPasswordEdit()->setText(confirm);
    w.confirmButton()->click();
}

// Types into the lock and presses the button that is showing.
void typeAtLock(Tguaqi &lock, const QString &password)
{
    lock.passwordEdit()->setText(password);
    (lock.isLocked() ? lock.wakeButton() : lock.leaveButton())->click();
}

} // namespace

class TestPassword : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void changePassword_data();
    void changePassword();
    void changeForMissingOperator();
    void lockStates();
    void lockCannotBeDismissed();
    void lockWantsLoginPasswordAfterChange();
    void toolbarLocksModally();
};

void TestPassword::changePassword_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("storedAfter");
    const QVariant null = QVariant(QMetaType::fromType<QString>());
    const QString longQuoted = QString(200, QLatin1Char('\'')) + "\"x";
    QTest::newRow("null equals empty") << null << "" << "n" << "n" << "修改成功！" << "n";
    QTest::newRow("null refuses text") << null << "x" << "n" << "n" << "旧密码不正确！" << "";
    QTest::newRow("case matters") << QVariant("AbC") << "abc" << "n" << "n" << "旧密码不正确！" << "AbC";
    QTest::newRow("exact") << QVariant("AbC") << "AbC" << longQuoted << longQuoted << "修改成功！"
                           << longQuoted;
    QTest::newRow("new ones differ") << QVariant("AbC") << "AbC" << "n1" << "n2" << "两次密码不一致！"
                                     << "AbC";
    QTest::newRow("to empty") << QVariant("AbC") << "AbC" << "" << "" << "修改成功！" << "";
}

void TestPassword::changePassword()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(QString, storedAfter);
    Fixture fx;
    fx.exec("insert into 操作员 (操作员, 姓名, 密码) values ('0002', '李四', ?)", {stored});
    SetCurrentOperator("0002", "typed at login");
    Txiugaimima w;
    w.show();
    QCOMPARE(w.codeEdit()->text(), QString("0002"));
    QVERIFY(!w.codeEdit()->isEnabled());
    typeChange(w, old, fresh, confirm);
    QCOMPARE(fx.dialogs.texts(), QStringList({message}));
    const bool done = message == "修改成功！";
    QCOMPARE(fx.dialogs.messages[0].caption, QString(done ? "提示！" : "错误！"));
    QCOMPARE(fx.dialogs.messages[0].icon, done ? MsgIcon::Information : MsgIcon::Error);
    QCOMPARE(OperatorStore::storedPassword("0002").value(), storedAfter);
    QCOMPARE(OperatorStore::storedPassword("0001").value(), QString());
    // The window stays as it is.
    QVERIFY(w.isVisible());
    QCOMPARE(w.oldPasswordEdit()->text(), old);
    QCOMPARE(w.confirmPasswordEdit()->text(), confirm);
    QCOMPARE(CurrentOperatorPassword(), QString("typed at login"));
}

void TestPassword::changeForMissingOperator()
{
    Fixture fx;
    SetCurrentOperator("0002", "");
    Txiugaimima w;
    typeChange(w, "", "n", "n");
    QCOMPARE(fx.dialogs.texts(), QStringList({"不存在的用户！"}));
    QCOMPARE(fx.count("操作员"), 1);
}

void TestPassword::lockStates()
{
    Fixture fx;
    SetCurrentOperator("0001", "Secret");
    Tguaqi lock;
    lock.show();
    QCOMPARE(lock.windowTitle(), QString("暂时离开"));
    QVERIFY(!(lock.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(lock.leaveButton()->isVisible() && lock.cancelButton()->isVisible());
    QVERIFY(!lock.wakeButton()->isVisible());

    typeAtLock(lock, "secret");
    QCOMPARE(fx.dialogs.texts(), QStringList({"对不起，密码错误！"}));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("提示"));
    QVERIFY(!lock.isLocked());

    typeAtLock(lock, "Secret");
    QVERIFY(lock.isLocked());
    QCOMPARE(lock.windowTitle(), QString("唤醒系统"));
    QCOMPARE(lock.lockGroup()->title(), QString("唤醒系统"));
    QVERIFY(lock.passwordEdit()->text().isEmpty());
    QVERIFY(lock.wakeButton()->isVisible());
    QVERIFY(!lock.leaveButton()->isVisible() && !lock.cancelButton()->isVisible());
    lock.cancelButtonClick();
    QVERIFY(lock.isVisible());

    fx.dialogs.clear();
    for (const QString &wrong : {"", "SECRET", "secret"}) {
        typeAtLock(lock, wrong);
        QVERIFY(lock.isVisible());
    }
    QCOMPARE(fx.dialogs.texts(), QStringList(3, "对不起，密码错误！"));
    fx.dialogs.clear();
    lock.passwordEdit()->setText("Secret");
    QTest::keyClick(lock.passwordEdit(), Qt::Key_Return);
    QCOMPARE(fx.dialogs.texts(), QStringList({"系统已被成功唤醒！"}));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Information);
    QVERIFY(!lock.isVisible());
    QCOMPARE(lock.result(), int(QDialog::Accepted));

    // Cancelled before locking, with no password at all.
    SetCurrentOperator("0001", "");
    Tguaqi second;
    second.show();
    second.cancelButton()->click();
    QVERIFY(!second.isVisible());
    Tguaqi third;
    third.show();
    typeAtLock(third, "");
    QVERIFY(third.isLocked());
    typeAtLock(third, "");
    QVERIFY(!third.isVisible());
}

void TestPassword::lockCannotBeDismissed()
{
    Fixture fx;
    SetCurrentOperator("0001", "pw");
    Tguaqi lock;
    lock.show();
    for (bool locked : {false, true}) {
        if (locked)
            typeAtLock(lock, "pw");
        QCOMPARE(lock.isLocked(), locked);
        QTest::keyClick(lock.passwordEdit(), Qt::Key_Escape);
        QTest::keyClick(&lock, Qt::Key_Escape);
        QVERIFY(!lock.close());
        lock.reject();
        QTest::keyClick(&lock, Qt::Key_F4, Qt::AltModifier);
        QVERIFY(lock.isVisible());
    }
    QVERIFY(fx.dialogs.messages.isEmpty());
    typeAtLock(lock, "pw");
    QVERIFY(!lock.isVisible());
}

void TestPassword::lockWantsLoginPasswordAfterChange()
{
    Fixture fx;
    fx.exec("insert into 操作员 (操作员, 姓名, 密码) values ('0002', '李四', 'PaSS')");
    // Logged in typing small letters, which the login accepts.
    SetCurrentOperator("0002", "pass");
    Txiugaimima w;
    typeChange(w, "pass", "new", "new");
    QCOMPARE(fx.dialogs.texts(), QStringList({"旧密码不正确！"}));
    typeChange(w, "PaSS", "new", "new");
    QCOMPARE(fx.dialogs.lastText(), QString("修改成功！"));
    fx.dialogs.clear();

    Tguaqi lock;
    lock.show();
    for (const QString &wrong : {"new", "PaSS"})
        typeAtLock(lock, wrong);
    QCOMPARE(fx.dialogs.texts(), QStringList(2, "对不起，密码错误！"));
    typeAtLock(lock, "pass");
    QVERIFY(lock.isLocked());
    typeAtLock(lock, "new");
    QVERIFY(lock.isVisible());
    typeAtLock(lock, "pass");
    QVERIFY(!lock.isVisible());
}

void TestPassword::toolbarLocksModally()
{
    Fixture fx;
    fx.exec("update 操作员 set 密码 = 'pw'");
    fx.dm.close();
    TMAIN main;
    QCOMPARE(StartAndLogin(main, "0001", "PW"), TMAIN::StartResult::Running);
    main.show();
    QVERIFY(main.issueMenuCommand("修改密码"));
    QCOMPARE(main.clientArea()->activeSubWindow()->pos(), QPoint(330, 0));

    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto *lock = qobject_cast<Tguaqi *>(QApplication::activeModalWidget());
        if (!lock)
            return;
        seen << lock->windowTitle();
        seen << (lock->parentWidget() ? "owned" : "no owner");
        typeAtLock(*lock, "pw"); // the password as typed at login, not as stored
        seen << (lock->isLocked() ? "locked" : "open");
        typeAtLock(*lock, "PW");
        seen << (lock->isLocked() ? "locked" : "open");
        typeAtLock(*lock, "PW");
        seen << (lock->isVisible() ? "still there" : "gone");
    });
    main.toolButton("暂时离开")->click();
    QCOMPARE(seen, QStringList({"暂时离开", "no owner", "open", "locked", "gone"}));
    QCOMPARE(fx.dialogs.texts(), QStringList({"对不起，密码错误！", "系统已被成功唤醒！"}));
    QVERIFY(!QApplication::activeModalWidget());
    main.clientArea()->closeAllSubWindows();
    fx.dialogs.answers << MsgResult::Ok << MsgResult::Cancel;
    main.close();
}

HYJF_TEST_MAIN(TestPassword)
#include "tst_password.moc"
