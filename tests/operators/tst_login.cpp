#include "common/session.h"
#include "common/shell.h"
#include "operators/login.h"
#include "operators/operatorstore.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

// Records what the login asks of the main window.
class RecordingShell : public Shell
{
public:
    bool activateChildWindow(const QString &) override { return false; }
    QWidget *openChildWindow(const QString &, const QString &) override { return nullptr; }
    bool issueMenuCommand(const QString &) override { return false; }
    void setCommandEnabled(const QString &item, bool on) override { items[item] = on; }
    void setToolButtonEnabled(const QString &caption, bool on) override { buttons[caption] = on; }
    void setOperatorText(const QString &text) override { operatorText = text; }
    void setShopName(const QString &) override {}
    void reloadBackground(const QString &) override {}
    QWidget *mainWidget() override { return nullptr; }
    void terminate() override {}

    QHash<QString, bool> items, buttons;
    QString operatorText;
};

class TestLogin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void passwordsMatch_data();
    void passwordsMatch();
    void opensWithOperatorsInTableOrder();
    void choosingShowsNameAndMovesToPassword();
    void loginRecordsOperatorAndTypedPassword();
    void unknownOperatorRefused();
    void emptyOperatorTable();
    void longAndQuotedPasswords();
};

void TestLogin::passwordsMatch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("match");
    QTest::newRow("both empty") << "" << "" << true;
    QTest::newRow("exact") << "abc" << "abc" << true;
    QTest::newRow("small for capitals") << "secret" << "SeCrEt" << true;
    QTest::newRow("capitals for small") << "ABC1" << "abc1" << true;
    QTest::newRow("wrong") << "abd" << "abc" << false;
    QTest::newRow("prefix") << "ab" << "abc" << false;
    QTest::newRow("non-latin letters keep case") << "Ä" << "ä" << false;
    QTest::newRow("chinese") << "密码" << "密码" << true;
    QTest::newRow("blank is a character") << "abc " << "abc" << false;
}

void TestLogin::passwordsMatch()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, match);
    QCOMPARE(OperatorStore::passwordsMatch(typed, stored), match);
}

void TestLogin::opensWithOperatorsInTableOrder()
{
    Fixture fx;
    fx.exec("insert into 操作员 (操作员, 姓名, 密码) values ('0003', '王五', 'x'), ('0002', '李四', NULL)");
    Tloginform login(nullptr);
    QComboBox *box = login.operatorBox();
    QCOMPARE(box->count(), 3);
    QCOMPARE(box->itemText(0), QString("0001"));
    QCOMPARE(box->itemText(1), QString("0003"));
    QCOMPARE(box->itemText(2), QString("0002"));
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(login.nameEdit()->text(), QString("系统管理员"));
    QVERIFY(login.passwordEdit()->text().isEmpty());
    QCOMPARE(login.passwordEdit()->echoMode(), QLineEdit::Password);
    QCOMPARE(login.windowTitle(), QString("进入系统"));
}

void TestLogin::choosingShowsNameAndMovesToPassword()
{
    Fixture fx;
    fx.exec("insert into 操作员 (操作员, 姓名) values ('0002', '李四')");
    Tloginform login(nullptr);
    login.show();
    QVERIFY(QTest::qWaitForWindowActive(&login));
    login.operatorBox()->setCurrentIndex(1);
    QCOMPARE(login.nameEdit()->text(), QString("李四"));
    QCOMPARE(QApplication::focusWidget(), login.passwordEdit());
    // A code typed by hand shows the name of whoever has it, or nothing.
    login.operatorBox()->setEditText("0009");
    QCOMPARE(login.nameEdit()->text(), QString());
}

void TestLogin::loginRecordsOperatorAndTypedPassword()
{
    Fixture fx;
    fx.exec("insert into 操作员 (操作员, 姓名, 密码, \"13\", \"19\", \"7\") values ('0002', '李四', 'Pass', 1, 1, 1)");
    RecordingShell shell;
    Tloginform login(&shell);
    login.operatorBox()->setCurrentIndex(1);
    login.passwordEdit()->setText("pASS");
    QTest::keyClick(login.passwordEdit(), Qt::Key_Return);
    QCOMPARE(login.result(), int(QDialog::Accepted));
    QCOMPARE(CurrentOperatorCode(), QString("0002"));
    QCOMPARE(CurrentOperatorPassword(), QString("pASS"));
    QCOMPARE(shell.operatorText, QString("当前用户为:0002"));
    QCOMPARE(shell.items.size(), 23);
    QCOMPARE(shell.buttons.size(), 7);
    QVERIFY(shell.items["消费积分"] && shell.items["会员生日提醒"] && shell.items["会员卡类别设置"]);
    QVERIFY(!shell.items["操作人员及权限设置"] && !shell.items["数据恢复"]);
    QVERIFY(shell.buttons["消费积分"] && shell.buttons["生日提醒"] && !shell.buttons["会员管理"]);
}

void TestLogin::unknownOperatorRefused()
{
    Fixture fx;
    Tloginform login(nullptr);
    login.show();
    QVERIFY(QTest::qWaitForWindowActive(&login));
    login.operatorBox()->setFocus();
    login.operatorBox()->setEditText("9'9");
    // Typing moves on to the password field, where an unknown code is refused at once.
    QCOMPARE(fx.dialogs.texts(), QStringList({"不存在的用户！"}));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("提示"));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Error);
    QVERIFY(login.operatorBox()->hasFocus());
    QCOMPARE(login.operatorBox()->lineEdit()->selectedText(), QString("9'9"));
    fx.dialogs.clear();
    login.loginButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"不存在的用户！"}));
    QCOMPARE(login.failures(), 0);
    QVERIFY(login.isVisible());
    login.hide();
}

void TestLogin::emptyOperatorTable()
{
    Fixture fx;
    fx.exec("delete from 操作员");
    Tloginform login(nullptr);
    QCOMPARE(login.operatorBox()->count(), 0);
    login.loginButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"不存在的用户！"}));
    QCOMPARE(login.result(), 0);
}

void TestLogin::longAndQuotedPasswords()
{
    Fixture fx;
    const QString quoted = "a'b\"c; drop table 操作员; --";
    fx.exec("insert into 操作员 (操作员, 姓名, 密码) values ('0002', '李四', ?)", {quoted});
    Tloginform login(nullptr);
    login.operatorBox()->setCurrentIndex(1);
    login.passwordEdit()->setText(QString(1000, QLatin1Char('x')));
    login.loginButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList({"密码错误，请重新输入！"}));
    QVERIFY(login.passwordEdit()->text().isEmpty());
    login.passwordEdit()->setText(quoted.toUpper());
    login.loginButton()->click();
    QCOMPARE(login.result(), int(QDialog::Accepted));
    QCOMPARE(fx.count("操作员"), 2);
}

HYJF_TEST_MAIN(TestLogin)
#include "tst_login.moc"
