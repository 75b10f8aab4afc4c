#include "common/basefolder.h"
#include "common/clock.h"
#include "common/safecopy.h"
#include "data/dm1frm.h"
#include "data/sql.h"
#include "maintenance/backup.h"
#include "maintenance/restore.h"
#include "support/fixture.h"
#include "support/login.h"
#include "support/recordingshell.h"
#include "support/testmain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QStringList folder(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QStringList members(const QString &database)
{
    QStringList cards;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "members-check");
        db.setDatabaseName(database);
        if (db.open()) {
            QSqlQuery q("select 会员卡号 from 会员卡信息 order by 会员卡号", db);
            while (q.next())
                cards << q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("members-check");
    return cards;
}

const QString restoreQuestion = "数据库恢复将要覆盖原来数据库中所有的数据，继续吗？";

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void manualBackupNames_data();
    void manualBackupNames();
    void manualBackupCancelled();
    void manualBackupProposals();
    void manualBackupFailures_data();
    void manualBackupFailures();
    void backupRefusedInsideTransaction();
    void exitOffersManualBackup_data();
    void exitOffersManualBackup();
    void restoreRefusesOtherFiles_data();
    void restoreRefusesOtherFiles();
    void restoreCancelled();
    void restoreRealBackup();
    void restoreFailureKeepsDatabase();
};

void TestBackup::manualBackupNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("existing"); // a file there before, left as it was
    QTest::newRow("no extension") << "店里 备份" << "店里 备份.bak" << "";
    QTest::newRow("ends in .bak") << "x.bak" << "x.bak.bak" << "x.bak";
    QTest::newRow("existing .BAK") << "old.BAK" << "old.BAK.bak" << "old.BAK";
    QTest::newRow("quotes") << "it's \"mine\"" << "it's \"mine\".bak" << "";
}

void TestBackup::manualBackupNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QString, existing);
    Fixture fx;
    fx.exec("insert into 会员卡信息 (会员卡号) values ('A1')");
    if (!existing.isEmpty())
        writeAll(fx.file(existing), "keep me");
    // A copy there from earlier is replaced without a question.
    writeAll(fx.file(written), "stale");
    fx.dialogs.fileNames << fx.file(chosen);
    ManualBackup();
    QCOMPARE(fx.dialogs.texts(), QStringList({"备份数据成功！"}));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("提示！"));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Information);
    QCOMPARE(fx.dialogs.fileFilters, QStringList({"BAK文件|*.BAK|所有文件|*.*"}));
    QCOMPARE(readAll(fx.file(written)), readAll(BaseFolder::databasePath()));
    QCOMPARE(members(fx.file(written)), QStringList({"A1"}));
    if (!existing.isEmpty())
        QCOMPARE(readAll(fx.file(existing)), QByteArray("keep me"));
}

void TestBackup::manualBackupCancelled()
{
    Fixture fx;
    const QStringList before = folder(fx.base());
    ManualBackup();                  // cancelled
    fx.dialogs.fileNames << QString(); // confirmed without a name
    ManualBackup();
    QCOMPARE(fx.dialogs.initialNames.size(), 2);
    QVERIFY(fx.dialogs.messages.isEmpty());
    QCOMPARE(folder(fx.base()), before);
}

void TestBackup::manualBackupProposals()
{
    Fixture fx;
    PresetManualBackupName();
    // Set at start: a run that goes past midnight still proposes the day it started.
    Clock::setFixed(Fixture::fixedNow().addDays(1));
    fx.dialogs.fileNames << fx.file("first");
    ManualBackup();
    fx.dialogs.fileNames << fx.file("no/such/folder/second");
    ManualBackup();
    ManualBackup();
    QCOMPARE(fx.dialogs.initialNames,
             QStringList({"2026-03-14", fx.file("first"), fx.file("no/such/folder/second")}));
    QCOMPARE(fx.dialogs.texts(), QStringList({"备份数据成功！", "备份数据失败，请重试！!"}));
}

void TestBackup::manualBackupFailures_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::newRow("missing folder") << "missing/x";
    QTest::newRow("name too long") << QString(300, QChar(0x540d));
    QTest::newRow("a folder has the name") << "dir";
    QTest::newRow("inside a file") << "database/database.mdb/x";
}

void TestBackup::manualBackupFailures()
{
    QFETCH(QString, chosen);
    Fixture fx;
    QDir(fx.base()).mkdir("dir.bak");
    const QByteArray database = readAll(BaseFolder::databasePath());
    const QStringList before = folder(fx.base());
    fx.dialogs.fileNames << fx.file(chosen);
    ManualBackup();
    QCOMPARE(fx.dialogs.texts(), QStringList({"备份数据失败，请重试！!"}));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("错误！"));
    QCOMPARE(fx.dialogs.messages[0].icon, MsgIcon::Error);
    // Nothing left behind, nothing lost.
    QCOMPARE(folder(fx.base()), before);
    QVERIFY(folder(fx.file("dir.bak")).isEmpty());
    QCOMPARE(folder(fx.file("database")), QStringList({"database.mdb"}));
    QCOMPARE(readAll(BaseFolder::databasePath()), database);
    QCOMPARE(fx.count("操作员"), 1);
}

void TestBackup::backupRefusedInsideTransaction()
{
    Fixture fx;
    {
        TransactionGuard open;
        fx.exec("insert into 会员卡信息 (会员卡号) values ('half')");
        fx.dialogs.fileNames << fx.file("during");
        ManualBackup();
        QCOMPARE(fx.dialogs.texts(), QStringList({"备份数据失败，请重试！!"}));
        QVERIFY(!QFile::exists(fx.file("during.bak")));
    }
    fx.dialogs.fileNames << fx.file("after");
    ManualBackup();
    QCOMPARE(fx.dialogs.lastText(), QString("备份数据成功！"));
    QCOMPARE(members(fx.file("after.bak")), QStringList());
}

void TestBackup::exitOffersManualBackup_data()
{
    QTest::addColumn<bool>("allowed");
    QTest::newRow("with permission 3") << true;
    QTest::newRow("without permission 3") << false;
}

void TestBackup::exitOffersManualBackup()
{
    QFETCH(bool, allowed);
    Fixture fx;
    if (!allowed)
        fx.exec("update 操作员 set \"3\" = 0");
    fx.dm.close();
    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    main.show();
    PresetManualBackupName();
    fx.dialogs.answers << MsgResult::Ok << MsgResult::Ok;
    fx.dialogs.fileNames << fx.file("copy");
    QVERIFY(main.close());
    QVERIFY(QFile::exists(fx.file("backup/2026-03-14.bak")));
    QCOMPARE(QFile::exists(fx.file("copy.bak")), allowed);
    QCOMPARE(fx.dialogs.initialNames, allowed ? QStringList({"2026-03-14"}) : QStringList());
    if (allowed) {
        QCOMPARE(fx.dialogs.lastText(), QString("备份数据成功！"));
        QVERIFY(CheckDatabaseFile(fx.file("copy.bak")).isEmpty());
    } else {
        QCOMPARE(fx.dialogs.messages.size(), 2); // the exit question and the offer
    }
}

void TestBackup::restoreRefusesOtherFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("text file") << "text";
    QTest::newRow("truncated database") << "truncated";
    QTest::newRow("another program's database") << "foreign";
    QTest::newRow("missing file") << "missing";
}

void TestBackup::restoreRefusesOtherFiles()
{
    QFETCH(QString, kind);
    Fixture fx;
    RecordingShell shell;
    fx.exec("insert into 会员卡信息 (会员卡号) values ('A1')");
    const QString chosen = fx.file("chosen.BAK");
    if (kind == "text") {
        writeAll(chosen, "会员卡号,积分\nA1,100\n");
    } else if (kind == "truncated") {
        QVERIFY(CopyFileReplacing(BaseFolder::databasePath(), chosen));
        QFile f(chosen);
        QVERIFY(f.resize(f.size() / 2));
    } else if (kind == "foreign") {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
            db.setDatabaseName(chosen);
            QVERIFY(db.open());
            QSqlQuery(db).exec("create table 会员卡信息 (会员卡号 text)");
            db.close();
        }
        QSqlDatabase::removeDatabase("foreign");
    }
    const QByteArray database = readAll(BaseFolder::databasePath());
    fx.dialogs.fileNames << chosen;
    RestoreDatabase();
    QCOMPARE(fx.dialogs.texts(), QStringList({restoreQuestion, "所选文件不是有效的数据库备份！"}));
    QCOMPARE(fx.dialogs.messages[0].caption, QString("数据恢复"));
    QCOMPARE(fx.dialogs.messages[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(fx.dialogs.messages[1].icon, MsgIcon::Error);
    QCOMPARE(fx.dialogs.fileFilters, QStringList({"BAK文件|*.BAK|所有文件|*.*"}));
    QCOMPARE(readAll(BaseFolder::databasePath()), database);
    QVERIFY(folder(fx.file("backup")).isEmpty());
    QCOMPARE(shell.terminated, 0);
    // The program goes on with its data.
    fx.exec("insert into 会员卡信息 (会员卡号) values ('A2')");
    QCOMPARE(fx.count("会员卡信息"), 2);
}

void TestBackup::restoreCancelled()
{
    Fixture fx;
    RecordingShell shell;
    fx.dialogs.answers << MsgResult::Cancel;
    fx.dialogs.fileNames << fx.file("backup/x.bak");
    RestoreDatabase();
    QVERIFY(fx.dialogs.fileFilters.isEmpty());
    fx.dialogs.clear();
    RestoreDatabase(); // the open dialog cancelled
    QCOMPARE(fx.dialogs.texts(), QStringList({restoreQuestion}));
    QCOMPARE(fx.dialogs.fileFilters.size(), 1);
    QCOMPARE(shell.terminated, 0);
    QVERIFY(TDM1::instance()->isOpen());
}

void TestBackup::restoreRealBackup()
{
    Fixture fx;
    fx.exec("insert into 会员卡信息 (会员卡号) values ('A1')");
    fx.dialogs.fileNames << fx.file("saved");
    ManualBackup();
    fx.exec("insert into 会员卡信息 (会员卡号) values ('B2')");
    fx.dm.close();
    const QByteArray before = readAll(BaseFolder::databasePath());

    TMAIN main;
    QCOMPARE(StartAndLogin(main), TMAIN::StartResult::Running);
    main.show();
    fx.dialogs.clear();
    fx.dialogs.fileNames << fx.file("saved.bak");
    QVERIFY(main.issueMenuCommand("数据恢复"));
    QCOMPARE(fx.dialogs.texts(), QStringList({restoreQuestion, "恢复数据成功！请重新启动软件！"}));
    QCOMPARE(fx.dialogs.messages[1].caption, QString("提示"));
    QCOMPARE(fx.dialogs.messages[1].icon, MsgIcon::Information);
    // Ended at once: no exit question, no daily backup; the copy taken before stays.
    QVERIFY(!main.isVisible());
    QCOMPARE(folder(fx.file("backup")), QStringList({"恢复前备份_2026-03-14_103015.bak"}));
    QCOMPARE(readAll(fx.file("backup/恢复前备份_2026-03-14_103015.bak")), before);
    QCOMPARE(readAll(BaseFolder::databasePath()), readAll(fx.file("saved.bak")));
    QCOMPARE(folder(fx.file("database")), QStringList({"database.mdb"}));
    QCOMPARE(members(BaseFolder::databasePath()), QStringList({"A1"}));
    QVERIFY(CheckDatabaseFile(BaseFolder::databasePath()).isEmpty());
}

void TestBackup::restoreFailureKeepsDatabase()
{
    Fixture fx;
    RecordingShell shell;
    fx.exec("insert into 会员卡信息 (会员卡号) values ('A1')");
    QVERIFY(CopyFileReplacing(BaseFolder::databasePath(), fx.file("good.bak")));
    fx.exec("insert into 会员卡信息 (会员卡号) values ('B2')");
    // Without the backup folder no copy of the data in use can be kept, so nothing is replaced.
    QDir(fx.file("backup")).removeRecursively();
    const QByteArray database = readAll(BaseFolder::databasePath());
    fx.dialogs.fileNames << fx.file("good.bak");
    RestoreDatabase();
    QCOMPARE(fx.dialogs.texts(), QStringList({restoreQuestion, "恢复数据失败，请重试！!"}));
    QCOMPARE(fx.dialogs.messages[1].caption, QString("错误"));
    QCOMPARE(shell.terminated, 0);
    QCOMPARE(readAll(BaseFolder::databasePath()), database);
    // The connection is back.
    QVERIFY(fx.dm.isOpen());
    QCOMPARE(fx.count("会员卡信息"), 2);
}

HYJF_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
