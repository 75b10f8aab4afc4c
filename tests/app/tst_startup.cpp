#include "app/mainfrm.h"
#include "app/marquee.h"
#include "common/basefolder.h"
#include "common/gbk.h"
#include "common/session.h"
#include "common/singleinstance.h"
#include "data/sql.h"
#include "members/shengrifrm.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/testmain.h"
#include "support/windows.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

QStringList childTitles(TMAIN &w)
{
    QStringList titles;
    for (QMdiSubWindow *sub : w.clientArea()->subWindowList())
        titles << sub->windowTitle();
    return titles;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Logs in as 0001 with one flag taken away (0: none) and shows the window, so its
// start-up timers run.
void startTimerCase(Fixture &fx, TMAIN &w, const QString &windowClass, int flagRemoved,
                    const QByteArray &ini)
{
    EnsureWindowClass(windowClass);
    if (flagRemoved)
        fx.exec(QString("update 操作员 set \"%1\" = 0").arg(flagRemoved));
    fx.dm.close();
    if (!ini.isEmpty())
        fx.writeIni(ini);
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    w.show();
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void connectionFailure_data();
    void connectionFailure();
    void loginOutcomes_data();
    void loginOutcomes();
    void fiveFailuresAcrossOperators();
    void settingsAtStart();
    void missingPictureIsSilent();
    void shopNameWarning_data();
    void shopNameWarning();
    void birthdayReminder_data();
    void birthdayReminder();
    void titleLinesCentred();
    void closeCancelledMakesNoBackup();
    void closeMakesDailyBackup();
    void closeWithoutBackupFolder();
    void secondInstanceEndsSilently();
};

void TestStartup::connectionFailure_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("text file") << QByteArray("not a database\n");
    QTest::newRow("random bytes") << QByteArray(4096, '\x5a');
    QTest::newRow("truncated") << QByteArray("truncate");
    QTest::newRow("tables missing") << QByteArray("foreign");
}

void TestStartup::connectionFailure()
{
    QFETCH(QByteArray, content);
    Fixture fx(false);
    const QString db = BaseFolder::databasePath();
    if (content.isEmpty()) {
        QFile::remove(db);
    } else if (content == "truncate") {
        const QByteArray good = readAll(db);
        QFile f(db);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(good.left(good.size() - 4096));
    } else if (content == "foreign") {
        fx.dm.open(db);
        fx.exec("drop table 团队");
        fx.dm.close();
    } else {
        QFile f(db);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    TMAIN w;
    bool loginShown = false;
    TMAIN::modalRunner() = [&](QDialog *) { loginShown = true; return int(QDialog::Accepted); };
    QCOMPARE(w.startUp(), TMAIN::StartResult::ConnectionFailed);
    QVERIFY(!loginShown);
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages[0].caption, QString("错误"));
    QCOMPARE(fx.dialogs.messages[0].text, QString("无法连接到指定的数据库！请重试！"));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Error);
    QCOMPARE(QFile::exists(db), !content.isEmpty());
}

void TestStartup::loginOutcomes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("empty password") << "login" << int(TMAIN::StartResult::Running);
    QTest::newRow("close box") << "reject" << int(TMAIN::StartResult::LoginEnded);
    QTest::newRow("退出") << "quit" << int(TMAIN::StartResult::LoginEnded);
}

void TestStartup::loginOutcomes()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    Fixture fx(false);
    SetCurrentOperator({}, {});
    TMAIN w;
    TMAIN::modalRunner() = [&](QDialog *d) {
        auto *login = static_cast<Tloginform *>(d);
        if (how == "login")
            login->loginButton()->click();
        else if (how == "quit")
            login->quitButton()->click();
        else
            login->reject();
        return login->result();
    };
    QCOMPARE(int(w.startUp()), result);
    const bool running = result == int(TMAIN::StartResult::Running);
    QCOMPARE(CurrentOperatorCode(), running ? QString("0001") : QString());
    QCOMPARE(w.operatorPane()->text(), running ? QString("当前用户为:0001") : QString());
    QVERIFY(fx.dialogs.messages.isEmpty());
    TMAIN::modalRunner() = [](QDialog *d) { return d->exec(); };
}

void TestStartup::fiveFailuresAcrossOperators()
{
    Fixture fx;
    fx.exec("insert into 操作员 (操作员, 姓名, 密码) values ('0002', '张丽', 'abc')");
    fx.dm.close();
    TMAIN w;
    const QList<QPair<QString, QString>> attempts{
        {"0001", "x"}, {"0002", "x"}, {"0001", "y"}, {"0002", "abd"}, {"0002", "ab"}, {"0002", "abc"}};
    QCOMPARE(StartAndLogin(w, attempts), TMAIN::StartResult::LoginEnded);
    QCOMPARE(fx.dialogs.texts(), QStringList({"密码错误，请重新输入！", "密码错误，请重新输入！",
                                              "密码错误，请重新输入！", "密码错误，请重新输入！",
                                              "密码错误超过五次，软件将被关闭！"}));
    QCOMPARE(w.loginForm()->failures(), 5);
}

void TestStartup::settingsAtStart()
{
    Fixture fx(false);
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(BaseFolder::defaultPicture(), "JPG"));
    fx.writeIni(Gbk::encode("[程序参数]\r\n店铺名称=青禾岭超市\r\n广告语=会员日全场九五折\r\n背景图片=\r\n提醒=0\r\n"));
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    QCOMPARE(w.windowTitle(), QString("青禾岭超市会员积分管理系统V4.68"));
    QCOMPARE(w.titleLine1()->text(), QString("青禾岭超市"));
    QCOMPARE(w.titleLine2()->text(), QString("会 员 积 分 管 理 系 统"));
    QCOMPARE(w.sloganPane()->text(), QString("会员日全场九五折"));
    QCOMPARE(w.sloganPane()->stepInterval(), 20);
    QVERIFY(!w.reminderSwitch());
    // An empty picture setting falls back to the default picture beside the program.
    QVERIFY(w.clientArea()->hasPicture());
}

void TestStartup::missingPictureIsSilent()
{
    Fixture fx(false);
    fx.writeIni(Gbk::encode("[程序参数]\r\n背景图片=") + Gbk::encode(fx.file("image/nothing.jpg")) + "\r\n");
    QFile notAPicture(BaseFolder::defaultPicture());
    QVERIFY(notAPicture.open(QIODevice::WriteOnly));
    notAPicture.write("garbage");
    notAPicture.close();
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    QVERIFY(!w.clientArea()->hasPicture());
    w.reloadBackground(BaseFolder::defaultPicture());
    QVERIFY(!w.clientArea()->hasPicture());
    QVERIFY(fx.dialogs.messages.isEmpty());
    QVERIFY(w.reminderSwitch()); // absent key: yes
}

void TestStartup::shopNameWarning_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("permission");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<bool>("opened");
    QTest::newRow("default name, permitted") << QByteArray() << true << true << true;
    QTest::newRow("default name, no permission 2") << QByteArray() << false << true << false;
    QTest::newRow("own name") << Gbk::encode("[程序参数]\r\n店铺名称=小店\r\n") << true << false << false;
}

void TestStartup::shopNameWarning()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, permission);
    QFETCH(bool, warned);
    QFETCH(bool, opened);
    Fixture fx;
    TMAIN w;
    startTimerCase(fx, w, "Tdayinshezhi", permission ? 0 : 2, ini);
    QVERIFY(w.shopNameTimer()->isActive());
    QCOMPARE(w.shopNameTimer()->interval(), 1000);
    w.shopNameTimerFire();
    QVERIFY(!w.shopNameTimer()->isActive());
    QCOMPARE(fx.dialogs.texts().contains("请设置您的店铺名称！"), warned);
    if (warned) {
        QCOMPARE(fx.dialogs.messages[0].caption, QString("提示"));
        QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Error);
    }
    QCOMPARE(childTitles(w).contains("店铺名称及小票打印设置"), opened);
    w.hide();
}

void TestStartup::birthdayReminder_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("permission");
    QTest::addColumn<bool>("opened");
    QTest::newRow("key absent, permitted") << QByteArray() << true << true;
    QTest::newRow("key absent, no permission 19") << QByteArray() << false << false;
    QTest::newRow("switched off") << Gbk::encode("[程序参数]\r\n提醒=0\r\n") << true << false;
    QTest::newRow("7 counts as on") << Gbk::encode("[程序参数]\r\n提醒=7\r\n") << true << true;
}

void TestStartup::birthdayReminder()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, permission);
    QFETCH(bool, opened);
    Fixture fx;
    TMAIN w;
    startTimerCase(fx, w, "Tshengri", permission ? 0 : 19, ini);
    QVERIFY(w.reminderTimer()->isActive());
    w.reminderTimerFire();
    QCOMPARE(childTitles(w).contains("会员生日提醒"), opened);
    if (opened)
        QVERIFY(qobject_cast<Tshengri *>(w.clientArea()->activeSubWindow()->widget()));
    w.hide();
}

void TestStartup::titleLinesCentred()
{
    Fixture fx(false);
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    w.resize(1280, 800);
    w.show();
    QCoreApplication::processEvents();
    QCOMPARE(w.titleLine1()->size(), QSize(1024, 57));
    QCOMPARE(w.titleLine2()->size(), QSize(1024, 65));
    QCOMPARE(w.titleLine1()->pos(), QPoint((w.width() - 1024) / 2, (w.height() - 4 * 57) / 2));
    QCOMPARE(w.titleLine2()->pos(), QPoint((w.width() - 1024) / 2, (w.height() - 65) / 2));
    w.resize(1000, 700);
    QCoreApplication::processEvents();
    QCOMPARE(w.titleLine2()->pos(), QPoint((w.width() - 1024) / 2, (w.height() - 65) / 2));
    w.hide();
}

void TestStartup::closeCancelledMakesNoBackup()
{
    Fixture fx(false);
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    w.show();
    fx.dialogs.answers << MsgResult::Cancel;
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(fx.dialogs.messages.last().text, QString("确实要退出本系统吗？"));
    QCOMPARE(fx.dialogs.messages.last().caption, QString("系统提示"));
    QCOMPARE(fx.dialogs.messages.last().buttons, MsgButtons::OkCancel);
    QVERIFY(QDir(BaseFolder::backupFolder()).isEmpty());
    fx.dialogs.answers << MsgResult::Ok << MsgResult::Cancel;
    QVERIFY(w.close());
}

void TestStartup::closeMakesDailyBackup()
{
    Fixture fx(false);
    const QString backup = fx.file("backup/2026-03-14.bak");
    for (int exit = 0; exit < 2; ++exit) {
        TMAIN w;
        QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
        Sql::exec("insert into 会员卡信息 (会员卡号) values (?)", {QString("exit %1").arg(exit)});
        w.show();
        fx.dialogs.clear();
        fx.dialogs.answers << MsgResult::Ok << MsgResult::Cancel;
        QVERIFY(w.close());
        QCOMPARE(fx.dialogs.messages.size(), 2);
        QVERIFY(fx.dialogs.messages[1].text.startsWith("退出系统前软件已经自动进行数据备份！"));
        QCOMPARE(fx.dialogs.messages[1].caption, QString("提示"));
        QCOMPARE(readAll(backup), readAll(BaseFolder::databasePath()));
        fx.dm.close();
    }
    // One file for the day, holding the later exit's state.
    QCOMPARE(QDir(fx.file("backup")).entryList(QDir::Files), QStringList({"2026-03-14.bak"}));
    QVERIFY(fx.dm.open(backup));
    QCOMPARE(fx.count("会员卡信息"), 2);
}

void TestStartup::closeWithoutBackupFolder()
{
    Fixture fx(false);
    QDir(fx.file("backup")).removeRecursively();
    TMAIN w;
    QCOMPARE(StartAndLogin(w), TMAIN::StartResult::Running);
    w.show();
    fx.dialogs.answers << MsgResult::Ok;
    QVERIFY(w.close());
    QCOMPARE(fx.dialogs.texts(), QStringList({"确实要退出本系统吗？", "备份数据失败，请重试！"}));
    QCOMPARE(fx.dialogs.messages[1].caption, QString("错误"));
    QVERIFY(!QFile::exists(fx.file("backup")));
}

void TestStartup::secondInstanceEndsSilently()
{
    const QString program = qEnvironmentVariable("HYJF_DIST") + "/huiyuanjifen";
    if (!QFile::exists(program))
        QSKIP("the program is not built");
    QTemporaryDir runtime;
    SingleInstance first(MutexName, runtime.path());
    QVERIFY(first.acquire());
    QTemporaryDir copy;
    QVERIFY(QFile::copy(program, copy.filePath("huiyuanjifen")));
    QFile::setPermissions(copy.filePath("huiyuanjifen"), QFile::ExeOwner | QFile::ReadOwner);
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.start(copy.filePath("huiyuanjifen"));
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    // No database beside it was touched or created, no window was shown.
    QVERIFY(!QFile::exists(copy.filePath("database")));
    QVERIFY(second.readAllStandardError().isEmpty());
}

HYJF_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
