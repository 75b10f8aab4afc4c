#include "realprogram.h"

#include "common/clock.h"
#include "common/singleinstance.h"
#include "support/testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(rng.bounded(256));
    return bytes;
}

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

class TestRealProgram : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void damagedDatabaseEndsCleanly_data();
    void damagedDatabaseEndsCleanly();
    void writesNothingOutsideItsFolder();
};

void TestRealProgram::init()
{
    const QString missing = RealProgram::missingTools();
    if (!missing.isEmpty())
        QSKIP(qPrintable("needs " + missing));
}

void TestRealProgram::damagedDatabaseEndsCleanly_data()
{
    const QByteArray good = readAll(qEnvironmentVariable("HYJF_DIST") + "/database/database.mdb");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("text file") << QByteArray("会员卡号,会员姓名\r\n0001,张三\r\n");
    QTest::newRow("random bytes") << randomBytes(good.size(), 11);
    QTest::newRow("truncated to half") << good.left(good.size() / 2);
    QTest::newRow("truncated inside the header") << good.left(60);
    QTest::newRow("header kept, pages random")
        << good.left(100) + randomBytes(good.size() - 100, 12);
    QTest::newRow("second half random")
        << good.left(good.size() / 2) + randomBytes(good.size() - good.size() / 2, 13);
}

// A damaged file gives the connection message, and after its OK the program ends with
// code 0, on no signal, without touching the file.
void TestRealProgram::damagedDatabaseEndsCleanly()
{
    QFETCH(QByteArray, content);
    RealProgram program;
    QString why;
    QVERIFY(QDir(program.folder()).mkpath("database"));
    const QString database = program.folder() + "/database/database.mdb";
    // Written before start(), which leaves a file already there in place.
    QFile file(database);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
    file.close();
    QVERIFY2(program.start(&why), qPrintable(why));
    const QString error = program.waitForWindow("^错误$");
    QVERIFY2(!error.isEmpty(),
             qPrintable(QString("the connection message did not show: ") + program.state()));
    QVERIFY(program.waitForWindow("^进入系统$", 200).isEmpty());
    QVERIFY(program.keys(error, { "Return" }));
    QVERIFY(program.waitForExit());
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.process().exitCode() == 0,
             program.process().readAllStandardError().right(4000).constData());
    QCOMPARE(readAll(database), content);
    QCOMPARE(filesUnder(program.folder() + "/backup"), QStringList());
}

// A whole run, from the login to the close with its backup: the program writes into its
// own folder only. The one file outside is the single-instance lock, which lives in the
// user's runtime folder by design (the OS frees it if the program dies).
void TestRealProgram::writesNothingOutsideItsFolder()
{
    RealProgram program;
    QString why;
    QVERIFY2(program.start(&why), qPrintable(why));
    const QString login = program.waitForWindow("^进入系统$");
    QVERIFY2(!login.isEmpty(), qPrintable(QString("no login window: ") + program.state()));
    QVERIFY(program.keys(login, { "Tab", "Return" })); // 0001 has no password
    // The shop still carries the shipped name, so the program asks for one.
    const QString warning = program.waitForWindow("^提示$");
    QVERIFY2(!warning.isEmpty(), qPrintable(QString("no shop name warning: ") + program.state()));
    QVERIFY(program.keys(warning, { "Return" }));
    const QString main = program.waitForWindow("会员积分管理系统V4\\.68$");
    QVERIFY2(!main.isEmpty(), qPrintable(QString("no main window: ") + program.state()));
    // 系统设置 › 退出系统, the last item of the first menu.
    QVERIFY(program.click(main, 25, 10));
    QVERIFY(program.keys(main, { "Up", "Return" }));
    const QString confirm = program.waitForWindow("^系统提示$");
    QVERIFY2(!confirm.isEmpty(), qPrintable(QString("no exit question: ") + program.state()));
    QVERIFY(program.keys(confirm, { "Return" }));
    const QString again = program.waitForWindow("^提示$");
    QVERIFY2(!again.isEmpty(), qPrintable(QString("no backup message: ") + program.state()));
    QVERIFY(program.keys(again, { "Escape" })); // no second, manual backup
    QVERIFY(program.waitForExit());
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.process().exitCode() == 0,
             program.process().readAllStandardError().right(4000).constData());

    QCOMPARE(filesUnder(program.folder() + "/backup"), QStringList { Clock::todayText() + ".bak" });
    QStringList outside;
    for (const QString &folder : program.outsideFolders())
        for (const QString &file : filesUnder(folder))
            outside << QDir(program.outside("")).relativeFilePath(folder + "/" + file);
    QCOMPARE(outside, QStringList { "runtime/" + MutexName + ".lock" });
}

HYJF_TEST_MAIN(TestRealProgram)
#include "tst_realprogram.moc"
