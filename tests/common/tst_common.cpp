#include "common/gbk.h"
#include "common/inifile.h"
#include "common/numtext.h"
#include "common/safecopy.h"
#include "common/singleinstance.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

class TestCommon : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void numberText_data();
    void numberText();
    void textNumber_data();
    void textNumber();
    void gbkEncoding_data();
    void gbkEncoding();
    void iniDefaultsWithoutFile();
    void iniBooleans_data();
    void iniBooleans();
    void iniGbkRoundTripKeepsOtherLines();
    void iniToleratesGarbageAndUtf8();
    void iniUnwritableReportsFailure();
    void singleInstance();
    void copyReplacing();
};

void TestCommon::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("integer") << 100.0 << "100";
    QTest::newRow("noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("two decimals") << 31.66 << "31.66";
    QTest::newRow("negative") << -4.0 << "-4";
    QTest::newRow("small fixed") << 0.00001 << "0.00001";
    QTest::newRow("below fixed") << 0.000001 << "1E-6";
    QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1e15") << 1e15 << "1E15";
    QTest::newRow("thirds") << 100.0 / 3 << "33.3333333333333";
    QTest::newRow("rounding 15th digit") << 2.675 << "2.675";
    QTest::newRow("negative fraction") << -0.5 << "-0.5";
}

void TestCommon::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText(value), text);
}

void TestCommon::textNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "12.5" << true << 12.5;
    QTest::newRow("blanks") << " 7 " << true << 7.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("minus") << "-3" << true << -3.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("point only") << "." << false << 0.0;
    QTest::newRow("comma") << "1,5" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("40 digits") << QString(40, QLatin1Char('9')) << true << 1e40;
    QTest::newRow("full-width digits") << "１２" << false << 0.0;
}

void TestCommon::textNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    bool good = !ok;
    QCOMPARE(TextNumber(text, &good), value);
    QCOMPARE(good, ok);
}

void TestCommon::gbkEncoding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "abc 12" << QByteArray("abc 12");
    QTest::newRow("chinese") << "中文" << QByteArray("\xD6\xD0\xCE\xC4");
    QTest::newRow("full-width mark") << "！" << QByteArray("\xA3\xA1");
    QTest::newRow("emoji") << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << QByteArray("a?b");
    QTest::newRow("korean") << QString::fromUtf8("\xED\x95\x9C") << QByteArray("?");
}

void TestCommon::gbkEncoding()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Gbk::encode(text), bytes);
    QCOMPARE(Gbk::byteLength(text), int(bytes.size()));
    if (!bytes.contains('?'))
        QCOMPARE(Gbk::decode(bytes), text);
}

void TestCommon::iniDefaultsWithoutFile()
{
    Fixture fx(false);
    QVERIFY(!QFile::exists(AppSettings::file().path()));
    QCOMPARE(AppSettings::readString("店铺名称", "青禾岭软件工作室"), QString("青禾岭软件工作室"));
    QCOMPARE(AppSettings::readBool("提醒", true), true);
    QCOMPARE(AppSettings::readBool("打印小票", false), false);
}

void TestCommon::iniBooleans_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("def");
    QTest::addColumn<bool>("read");
    QTest::newRow("1") << QByteArray("1") << false << true;
    QTest::newRow("0") << QByteArray("0") << true << false;
    QTest::newRow("7") << QByteArray("7") << false << true;
    QTest::newRow("-1") << QByteArray("-1") << false << true;
    QTest::newRow("x keeps default yes") << QByteArray("x") << true << true;
    QTest::newRow("x keeps default no") << QByteArray("x") << false << false;
    QTest::newRow("empty keeps default") << QByteArray("") << true << true;
    QTest::newRow("1.5 is no whole number") << QByteArray("1.5") << false << false;
}

void TestCommon::iniBooleans()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, def);
    QFETCH(bool, read);
    Fixture fx(false);
    fx.writeIni(Gbk::encode("[程序参数]\r\n提醒=") + stored + "\r\n");
    QCOMPARE(AppSettings::readBool("提醒", def), read);
}

void TestCommon::iniGbkRoundTripKeepsOtherLines()
{
    Fixture fx(false);
    fx.writeIni(Gbk::encode("; 注释\r\n[其他]\r\n店铺名称=别处\r\n[程序参数]\r\n广告语=旧的\r\n"));
    QVERIFY(AppSettings::writeString("店铺名称", "青禾岭超市"));
    QVERIFY(AppSettings::writeString("广告语", "欢迎光临！每周三会员日"));
    QVERIFY(AppSettings::writeBool("打印小票", true));
    QCOMPARE(AppSettings::readString("店铺名称", {}), QString("青禾岭超市"));
    QCOMPARE(AppSettings::readString("广告语", {}), QString("欢迎光临！每周三会员日"));
    QCOMPARE(AppSettings::readBool("打印小票", false), true);

    QFile f(AppSettings::file().path());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // Stored in GBK, not UTF-8, with the other section untouched.
    QVERIFY(bytes.contains(Gbk::encode("店铺名称=青禾岭超市")));
    QVERIFY(!bytes.contains(QString("青禾岭超市").toUtf8()));
    QVERIFY(bytes.contains(Gbk::encode("[其他]\r\n店铺名称=别处")));
    QVERIFY(bytes.startsWith(Gbk::encode("; 注释")));
    QCOMPARE(IniFile(f.fileName()).readString("其他", "店铺名称", {}), QString("别处"));
}

void TestCommon::iniToleratesGarbageAndUtf8()
{
    Fixture fx(false);
    // Garbage lines around a GBK section.
    fx.writeIni("\x01\x02 garbage\r\n=no key\r\n[unclosed\r\n" + Gbk::encode("[程序参数]\n 店铺名称 = 小店 \n提醒\n\xFF"));
    QCOMPARE(AppSettings::readString("店铺名称", "默认"), QString("小店"));
    // A file saved as UTF-8 by another editor.
    fx.writeIni(QString("[程序参数]\n店铺名称=小店\n").toUtf8());
    QCOMPARE(AppSettings::readString("店铺名称", "默认"), QString("小店"));
    QCOMPARE(AppSettings::readBool("提醒", true), true);
    QCOMPARE(AppSettings::readString("广告语", "无"), QString("无"));
    // A value with a line break stays one line.
    QVERIFY(AppSettings::writeString("小票尾", "第一行\r\n第二行"));
    QCOMPARE(AppSettings::readString("小票尾", {}), QString("第一行第二行"));
    QCOMPARE(AppSettings::readString("店铺名称", "默认"), QString("小店"));
}

void TestCommon::iniUnwritableReportsFailure()
{
    Fixture fx(false);
    IniFile ini(fx.file("no such folder/myini.ini"));
    QVERIFY(!ini.writeString("程序参数", "店铺名称", "x"));
    QCOMPARE(ini.readString("程序参数", "店铺名称", "d"), QString("d"));
}

void TestCommon::singleInstance()
{
    QTemporaryDir dir;
    SingleInstance first(MutexName, dir.path());
    QVERIFY(first.acquire());
    {
        SingleInstance second(MutexName, dir.path());
        QVERIFY(!second.acquire());
    }
    SingleInstance other(QStringLiteral("another"), dir.path());
    QVERIFY(other.acquire());
}

void TestCommon::copyReplacing()
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.bin");
    const QString target = dir.filePath("target.bin");
    QFile s(source);
    QVERIFY(s.open(QIODevice::WriteOnly));
    s.write(QByteArray(3 << 20, 'x'));
    s.close();
    QFile t(target);
    QVERIFY(t.open(QIODevice::WriteOnly));
    t.write("old");
    t.close();

    QVERIFY(CopyFileReplacing(source, target));
    QCOMPARE(QFileInfo(target).size(), qint64(3 << 20));

    // A failed copy leaves the target as it was and no temporary files behind.
    QVERIFY(!CopyFileReplacing(dir.filePath("missing.bin"), target));
    QCOMPARE(QFileInfo(target).size(), qint64(3 << 20));
    QVERIFY(!CopyFileReplacing(source, dir.filePath("missing folder/target.bin")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

HYJF_TEST_MAIN(TestCommon)
#include "tst_common.moc"
