#include "app/dayinshezhifrm.h"
#include "app/mainfrm.h"
#include "common/apptexts.h"
#include "common/basefolder.h"
#include "common/gbk.h"
#include "data/sql.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString MenuItem = QStringLiteral("店铺名称及小票打印设置");

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString iniText()
{
    return Gbk::decode(readFile(BaseFolder::iniPath()));
}

QString receiptRow(const QString &column)
{
    return Sql::text(Sql::scalar(QStringLiteral("select \"%1\" from 小票").arg(column)));
}

Tdayinshezhi *openSettings(TMAIN &main)
{
    if (!main.issueMenuCommand(MenuItem) || !main.clientArea()->activeSubWindow())
        return nullptr;
    return qobject_cast<Tdayinshezhi *>(main.clientArea()->activeSubWindow()->widget());
}

void writeIni(Fixture &fx, const QString &text)
{
    fx.writeIni(Gbk::encode(QStringLiteral("[程序参数]\r\n") + text));
}

} // namespace

class TestDayinshezhi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menuOpensWindow();
    void shopNameTimerOpensWindow_data();
    void shopNameTimerOpensWindow();
    void defaultsWithoutFile();
    void fillsFromFile_data();
    void fillsFromFile();
    void saveWritesFileAndTable_data();
    void saveWritesFileAndTable();
    void saveKeepsOtherKeys();
    void emptyPortRefused();
    void unwritableFileFails();
    void databaseErrorFails();
    void chooseBackgroundPicture();
    void testButtonPrintsSavedValues();
    void exitDoesNotSave();
};

void TestDayinshezhi::menuOpensWindow()
{
    Fixture fx;
    TMAIN main;
    main.resize(1200, 800);
    Tdayinshezhi *w = openSettings(main);
    QVERIFY(w);
    QMdiSubWindow *sub = main.clientArea()->activeSubWindow();
    QCOMPARE(sub->windowTitle(), MenuItem);
    QCOMPARE(sub->geometry().topLeft(), QPoint(330, 0));
    // A second command brings the same window to the front.
    QCOMPARE(openSettings(main), w);
    QCOMPARE(main.clientArea()->subWindowList().size(), 1);
}

void TestDayinshezhi::shopNameTimerOpensWindow_data()
{
    QTest::addColumn<bool>("permitted");
    QTest::newRow("permission 2") << true;
    QTest::newRow("no permission 2") << false;
}

void TestDayinshezhi::shopNameTimerOpensWindow()
{
    QFETCH(bool, permitted);
    Fixture fx;
    TMAIN main;
    main.setShopName(AppTexts::DefaultShopName);
    main.setCommandEnabled(MenuItem, permitted);
    main.shopNameTimer()->setInterval(0);
    main.shopNameTimer()->start();
    QTRY_COMPARE(fx.dialogs.texts(), QStringList{QStringLiteral("请设置您的店铺名称！")});
    QCOMPARE(main.clientArea()->subWindowList().size(), permitted ? 1 : 0);
}

void TestDayinshezhi::defaultsWithoutFile()
{
    Fixture fx;
    Tdayinshezhi w;
    QCOMPARE(w.shopNameEdit()->text(), QStringLiteral("青禾岭软件工作室"));
    QCOMPARE(w.pictureEdit()->text(), QString());
    QCOMPARE(w.sloganEdit()->text(), QString());
    QCOMPARE(w.footerEdit()->toPlainText(), QStringLiteral("欢迎您再次光临！"));
    QVERIFY(w.posPrinterRadio()->isChecked());
    QVERIFY(!w.ordinaryPrinterRadio()->isChecked());
    QCOMPARE(w.portBox()->currentText(), QStringLiteral("lpt1"));
    QCOMPARE(w.portBox()->count(), 4);
    QCOMPARE(w.portBox()->itemText(3), QStringLiteral("lpt4"));
    QVERIFY(!w.printReceiptCheck()->isChecked());
    QVERIFY(!QFile::exists(BaseFolder::iniPath()));
}

void TestDayinshezhi::fillsFromFile_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<bool>("pos");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("print");
    QTest::newRow("POS") << "打印机=0\r\n打印端口=lpt3\r\n打印小票=1\r\n" << true << "lpt3" << true;
    QTest::newRow("ordinary") << "打印机=1\r\n打印端口=/dev/usb/lp0\r\n打印小票=0\r\n" << false << "/dev/usb/lp0" << false;
    QTest::newRow("other printer value") << "打印机=2\r\n打印小票=5\r\n" << false << "lpt1" << true;
    QTest::newRow("printer missing") << "打印小票=yes\r\n" << true << "lpt1" << false;
}

void TestDayinshezhi::fillsFromFile()
{
    QFETCH(QString, ini);
    QFETCH(bool, pos);
    QFETCH(QString, port);
    QFETCH(bool, print);
    Fixture fx;
    writeIni(fx, ini + QStringLiteral("店铺名称=青禾岭便利店\r\n背景图片=/srv/海边.jpg\r\n广告语=本周会员双倍积分\r\n"
                                      "小票尾=谢谢惠顾欢迎再来\r\n"));
    Tdayinshezhi w;
    QCOMPARE(w.shopNameEdit()->text(), QStringLiteral("青禾岭便利店"));
    QCOMPARE(w.pictureEdit()->text(), QStringLiteral("/srv/海边.jpg"));
    QCOMPARE(w.sloganEdit()->text(), QStringLiteral("本周会员双倍积分"));
    QCOMPARE(w.footerEdit()->toPlainText(), QStringLiteral("谢谢惠顾欢迎再来"));
    QCOMPARE(w.posPrinterRadio()->isChecked(), pos);
    QCOMPARE(w.ordinaryPrinterRadio()->isChecked(), !pos);
    QCOMPARE(w.portBox()->currentText(), port);
    QCOMPARE(w.printReceiptCheck()->isChecked(), print);
}

void TestDayinshezhi::saveWritesFileAndTable_data()
{
    QTest::addColumn<QString>("shopName");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("pos");
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("footer");
    QTest::addColumn<QString>("joinedFooter");
    QTest::newRow("quote, typed port, ordinary printer, two-line footer")
        << "O'Brien's 小店" << "/dev/usb/lp0" << false << true << "谢谢惠顾\n欢迎再来" << "谢谢惠顾欢迎再来";
    QTest::newRow("empty shop name, listed port, POS") << "" << "lpt2" << true << false << "再见" << "再见";
}

void TestDayinshezhi::saveWritesFileAndTable()
{
    QFETCH(QString, shopName);
    QFETCH(QString, port);
    QFETCH(bool, pos);
    QFETCH(bool, print);
    QFETCH(QString, footer);
    QFETCH(QString, joinedFooter);
    Fixture fx;
    TMAIN main;
    QPointer<Tdayinshezhi> w = openSettings(main);
    QVERIFY(w);
    w->shopNameEdit()->setText(shopName);
    w->pictureEdit()->setText(QStringLiteral("/srv/图片/海边.jpg"));
    w->sloganEdit()->setText(QStringLiteral("本周双倍积分"));
    w->footerEdit()->setPlainText(footer);
    (pos ? w->posPrinterRadio() : w->ordinaryPrinterRadio())->setChecked(true);
    w->portBox()->setCurrentText(port);
    w->printReceiptCheck()->setChecked(print);
    w->saveButton()->click();

    QCOMPARE(fx.dialogs.texts(), QStringList{QStringLiteral("配置成功！")});
    QCOMPARE(fx.dialogs.messages.first().caption, QStringLiteral("提示"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Information);
    // The keys in their order, the footer on one line.
    QCOMPARE(iniText(), QStringLiteral("[程序参数]\r\n打印端口=%1\r\n店铺名称=%2\r\n背景图片=/srv/图片/海边.jpg\r\n"
                                       "广告语=本周双倍积分\r\n打印小票=%3\r\n小票尾=%4\r\n打印机=%5\r\n")
                            .arg(port, shopName, print ? QStringLiteral("1") : QStringLiteral("0"), joinedFooter,
                                 pos ? QStringLiteral("0") : QStringLiteral("1")));
    QCOMPARE(receiptRow(QStringLiteral("店铺")), shopName);
    QCOMPARE(receiptRow(QStringLiteral("票尾")), footer);
    QCOMPARE(fx.count(QStringLiteral("小票")), 1);
    QCOMPARE(main.windowTitle(), shopName + QStringLiteral("会员积分管理系统V4.68"));
    QCOMPARE(main.titleLine1()->text(), shopName);
    QTRY_VERIFY(w.isNull());
}

void TestDayinshezhi::saveKeepsOtherKeys()
{
    Fixture fx;
    writeIni(fx, QStringLiteral("提醒=0\r\n店铺名称=旧名\r\n"));
    Tdayinshezhi w;
    w.shopNameEdit()->setText(QStringLiteral("新名"));
    w.saveButton()->click();
    QVERIFY(iniText().contains(QStringLiteral("提醒=0\r\n")));
    QVERIFY(iniText().contains(QStringLiteral("店铺名称=新名\r\n")));
    QVERIFY(!iniText().contains(QStringLiteral("旧名")));
}

void TestDayinshezhi::emptyPortRefused()
{
    Fixture fx;
    TMAIN main;
    main.setShopName(QStringLiteral("原来的店"));
    QPointer<Tdayinshezhi> w = openSettings(main);
    w->shopNameEdit()->setText(QStringLiteral("新店"));
    w->portBox()->setCurrentText(QString());
    w->saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList{QStringLiteral("请选择POS打印端口！")});
    QCOMPARE(fx.dialogs.messages.first().caption, QStringLiteral("提示"));
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
    QVERIFY(!QFile::exists(BaseFolder::iniPath()));
    QCOMPARE(receiptRow(QStringLiteral("店铺")), QStringLiteral("青禾岭软件")); // the reference row
    QCOMPARE(main.titleLine1()->text(), QStringLiteral("原来的店"));
    QCoreApplication::processEvents();
    QVERIFY(!w.isNull());
    QCOMPARE(w->shopNameEdit()->text(), QStringLiteral("新店"));
}

void TestDayinshezhi::unwritableFileFails()
{
    Fixture fx;
    // A folder where the file should be: nothing can be read or written there.
    QVERIFY(QDir().mkpath(BaseFolder::iniPath()));
    TMAIN main;
    main.setShopName(QStringLiteral("原来的店"));
    QPointer<Tdayinshezhi> w = openSettings(main);
    w->shopNameEdit()->setText(QStringLiteral("新店"));
    w->saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList{QStringLiteral("配置失败！")});
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
    // The table is not touched when the file failed.
    QCOMPARE(receiptRow(QStringLiteral("店铺")), QStringLiteral("青禾岭软件")); // the reference row
    QCOMPARE(main.titleLine1()->text(), QStringLiteral("原来的店"));
    QCoreApplication::processEvents();
    QVERIFY(!w.isNull());
}

void TestDayinshezhi::databaseErrorFails()
{
    Fixture fx;
    TMAIN main;
    main.setShopName(QStringLiteral("原来的店"));
    QPointer<Tdayinshezhi> w = openSettings(main);
    w->shopNameEdit()->setText(QStringLiteral("新店"));
    fx.dm.close();
    w->saveButton()->click();
    QCOMPARE(fx.dialogs.texts(), QStringList{QStringLiteral("配置失败！")});
    // What was written stays written.
    QVERIFY(iniText().contains(QStringLiteral("店铺名称=新店\r\n")));
    QVERIFY(iniText().contains(QStringLiteral("打印机=0\r\n")));
    QCOMPARE(main.titleLine1()->text(), QStringLiteral("原来的店"));
    QCoreApplication::processEvents();
    QVERIFY(!w.isNull());
}

void TestDayinshezhi::chooseBackgroundPicture()
{
    Fixture fx;
    const QString picture = fx.file(QStringLiteral("image/新背景.png"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(picture));
    TMAIN main;
    QVERIFY(!main.clientArea()->hasPicture());
    Tdayinshezhi *w = openSettings(main);

    fx.dialogs.fileNames.enqueue(picture);
    w->pictureButton()->click();
    QCOMPARE(fx.dialogs.fileFilters, QStringList{QStringLiteral("所有文件|*.*")});
    QCOMPARE(w->pictureEdit()->text(), picture);
    QVERIFY(iniText().contains(QStringLiteral("背景图片=") + picture + QStringLiteral("\r\n")));
    QVERIFY(main.clientArea()->hasPicture());

    // Cancelled: the field as edited is written and shown, even when it is no picture.
    w->pictureEdit()->setText(fx.file(QStringLiteral("database/database.mdb")));
    w->pictureButton()->click();
    QCOMPARE(w->pictureEdit()->text(), fx.file(QStringLiteral("database/database.mdb")));
    QVERIFY(iniText().contains(QStringLiteral("背景图片=") + fx.file(QStringLiteral("database/database.mdb"))));
    QVERIFY(!main.clientArea()->hasPicture());
    QVERIFY(fx.dialogs.messages.isEmpty());
}

void TestDayinshezhi::testButtonPrintsSavedValues()
{
    Fixture fx;
    const QString port = fx.file(QStringLiteral("pos.prn"));
    writeIni(fx, QStringLiteral("打印端口=%1\r\n店铺名称=存档店名\r\n小票尾=存档票尾\r\n打印小票=0\r\n打印机=1\r\n").arg(port));
    Tdayinshezhi w;
    w.shopNameEdit()->setText(QStringLiteral("屏幕店名"));
    w.footerEdit()->setPlainText(QStringLiteral("屏幕票尾"));
    w.portBox()->setCurrentText(fx.file(QStringLiteral("other.prn")));
    w.testButton()->click();
    const QByteArray printed = readFile(port);
    QVERIFY(printed.contains(Gbk::encode(QStringLiteral("存档店名"))));
    QVERIFY(printed.contains(Gbk::encode(QStringLiteral("存档票尾\r\n"))));
    QVERIFY(printed.contains(Gbk::encode(QStringLiteral("~~~~~~~POS打印机测试通过~~~~~~~\r\n"))));
    QVERIFY(!printed.contains(Gbk::encode(QStringLiteral("屏幕"))));
    QVERIFY(!QFile::exists(fx.file(QStringLiteral("other.prn"))));
    QVERIFY(fx.dialogs.messages.isEmpty());

    // No printer: nothing said.
    writeIni(fx, QStringLiteral("打印端口=/nonexistent/lp0\r\n"));
    w.testButton()->click();
    QVERIFY(fx.dialogs.messages.isEmpty());
}

void TestDayinshezhi::exitDoesNotSave()
{
    Fixture fx;
    TMAIN main;
    QPointer<Tdayinshezhi> w = openSettings(main);
    w->shopNameEdit()->setText(QStringLiteral("新店"));
    w->exitButton()->click();
    QTRY_VERIFY(w.isNull());
    QVERIFY(!QFile::exists(BaseFolder::iniPath()));
    QCOMPARE(receiptRow(QStringLiteral("店铺")), QStringLiteral("青禾岭软件")); // the reference row
    QVERIFY(fx.dialogs.messages.isEmpty());
}

HYJF_TEST_MAIN(TestDayinshezhi)
#include "tst_dayinshezhi.moc"
