#include "common/apptexts.h"
#include "common/gbk.h"
#include "common/reportpreview.h"
#include "receipts/portreceipt.h"
#include "receipts/receipts.h"
#include "receipts/reportlayouts.h"
#include "receipts/reportreceipt.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>

namespace {

class CapturedPreviews : public PreviewProvider
{
public:
    CapturedPreviews() { ReportPreview::install(this); }
    ~CapturedPreviews() override { ReportPreview::install(nullptr); }
    void preview(QWidget *, const QString &title, const ReportPainter &paint) override
    {
        titles << title;
        painters << paint;
    }
    QStringList titles;
    QList<ReportPainter> painters;
};

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray fixture(const QString &name)
{
    const QString path = QFINDTESTDATA(name);
    if (path.isEmpty())
        qWarning("missing fixture %s", qPrintable(name));
    return readFile(path);
}

const QString Footer = QStringLiteral("谢谢惠顾，欢迎您再次光临！ 本店地址：河东路8号");

ReceiptSettings portSettings(const Fixture &fx)
{
    ReceiptSettings s;
    s.print = true;
    s.printer = QStringLiteral("0");
    s.port = fx.file(QStringLiteral("port.prn"));
    s.shopName = QStringLiteral("青禾岭便利店");
    s.footer = Footer;
    return s;
}

void addMember(Fixture &fx, double points = 125.5)
{
    fx.exec(QStringLiteral("insert into 会员卡信息 (会员卡号, 会员姓名, 积分) values ('8001', '张三', ?)"),
            {points});
}

// A saved purchase with its journal row and consumption rows.
void addTransaction(Fixture &fx, const QString &number, double points, const QString &reason,
                    const QList<QVariantList> &lines)
{
    fx.exec(QStringLiteral("insert into 流水记录 (编号, 会员卡号, 会员姓名, 增减积分, 增减原因, 兑换礼品, 返现金, "
                           "日期, 时间, 经手人) values (?, '8001', '张三', ?, ?, ?, ?, '2026-03-14', "
                           "'10:30:15', '0001')"),
            {number, points, reason, reason == QStringLiteral("兑换礼品") ? QStringLiteral("保温杯") : QString(),
             reason == QStringLiteral("兑换礼品") ? QVariant(0.0) : QVariant()});
    for (const QVariantList &l : lines)
        fx.exec(QStringLiteral("insert into 消费记录 (编号, 会员卡号, 会员姓名, 商品, 单位, 数量, 消费金额, 增减原因, "
                               "日期, 时间, 经手人) values (?, '8001', '张三', ?, '个', ?, ?, ?, '2026-03-14', "
                               "'10:30:15', '0001')"),
                {number, l.value(0), l.value(1), l.value(2), reason});
}

bool near(double a, double b)
{
    return qAbs(a - b) < 0.01;
}

} // namespace

class TestReceipts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void portReceiptMatchesFixture_data();
    void portReceiptMatchesFixture();
    void testReceiptMatchesFixture();
    void centredShopName_data();
    void centredShopName();
    void wrapFooter_data();
    void wrapFooter();
    void charactersOutsideGbk();
    void unwritablePortIsSilent_data();
    void unwritablePortIsSilent();
    void portNames_data();
    void portNames();
    void receiptChoice_data();
    void receiptChoice();
    void settingsDefaultsWithoutFile();
    void purchaseReportLayout();
    void returnReportLayout();
    void redemptionReportLayout();
    void emptyBasketReport();
    void reportBandsGrowAndBreakPages();
    void reportRendersToPdf();
    void reportFailureShowsErrorAndReturns();
};

void TestReceipts::portReceiptMatchesFixture_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<QString>("file");
    QTest::newRow("purchase, two basket lines")
        << int(ReceiptKind::Purchase)
        << PurchaseBodyLines({QStringLiteral("洗发水"), QStringLiteral("毛巾")}, QStringLiteral("31.6635"),
                             QStringLiteral("3.17"))
        << "purchase_two_lines.prn";
    QTest::newRow("purchase, empty basket")
        << int(ReceiptKind::Purchase) << PurchaseBodyLines({}, QStringLiteral("50"), QStringLiteral("5"))
        << "purchase_empty_basket.prn";
    QTest::newRow("return")
        << int(ReceiptKind::Return)
        << ReturnBodyLines({QStringLiteral("毛巾")}, QStringLiteral("9.5"), QStringLiteral("0.95"))
        << "return.prn";
    QTest::newRow("redemption")
        << int(ReceiptKind::Redemption)
        << RedemptionBodyLines(QStringLiteral("100"), QStringLiteral("保温杯"), QStringLiteral("0"))
        << "redemption.prn";
}

void TestReceipts::portReceiptMatchesFixture()
{
    QFETCH(int, kind);
    QFETCH(QStringList, body);
    QFETCH(QString, file);
    Fixture fx;
    addMember(fx);
    TransactionReceipt r;
    r.kind = ReceiptKind(kind);
    r.journalNumber = QStringLiteral("0000000001");
    r.cardNumber = QStringLiteral("8001");
    r.memberName = QStringLiteral("张三");
    r.bodyLines = body;
    const ReceiptSettings settings = portSettings(fx);
    // A port holding an older receipt is overwritten, not appended to.
    QFile old(settings.port);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(500, 'x'));
    old.close();

    CapturedPreviews previews;
    PrintTransactionReceipt(settings, r);
    const QByteArray expected = fixture(file);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(readFile(settings.port), expected);
    QVERIFY(previews.titles.isEmpty());
    QVERIFY(fx.dialogs.messages.isEmpty());
}

void TestReceipts::testReceiptMatchesFixture()
{
    Fixture fx;
    const QString port = fx.file(QStringLiteral("test.prn"));
    // Off and ordinary printer: the test receipt goes to the port all the same.
    fx.writeIni(Gbk::encode(QStringLiteral("[程序参数]\r\n打印端口=%1\r\n店铺名称=青禾岭便利店\r\n"
                                           "小票尾=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n"
                                           "打印小票=0\r\n打印机=1\r\n")
                                .arg(port)));
    QVERIFY(PrintTestReceipt());
    QCOMPARE(readFile(port), fixture(QStringLiteral("test_receipt.prn")));
}

void TestReceipts::centredShopName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("blanks");
    QTest::newRow("31 ASCII") << QString(31, QLatin1Char('A')) << 0;
    QTest::newRow("30 ASCII") << QString(30, QLatin1Char('A')) << 1;
    QTest::newRow("empty") << QString() << 16;
    QTest::newRow("32 ASCII") << QString(32, QLatin1Char('A')) << 0;
    QTest::newRow("40 ASCII") << QString(40, QLatin1Char('A')) << 0;
    QTest::newRow("15 Chinese, 30 bytes") << QString(15, QChar(0x5E97)) << 1;
    QTest::newRow("15 Chinese and a letter, 31 bytes") << QString(15, QChar(0x5E97)) + QLatin1Char('A') << 0;
    QTest::newRow("16 Chinese, 32 bytes") << QString(16, QChar(0x5E97)) << 0;
    QTest::newRow("6 Chinese") << QStringLiteral("青禾岭便利店") << 10;
    QTest::newRow("odd free space") << QStringLiteral("ABC") << 14;
}

void TestReceipts::centredShopName()
{
    QFETCH(QString, name);
    QFETCH(int, blanks);
    QCOMPARE(CenteredShopName(name), QString(blanks, QLatin1Char(' ')) + name);
}

void TestReceipts::wrapFooter_data()
{
    QTest::addColumn<QString>("footer");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("lines");
    const QString forty = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcd");
    QTest::newRow("40 ASCII, no blank") << forty << 31 << QStringList{forty.left(31), forty.mid(31)};
    QTest::newRow("40 ASCII at the test width") << forty << 27 << QStringList{forty.left(27), forty.mid(27)};
    QTest::newRow("empty") << QString() << 31 << QStringList();
    QTest::newRow("short") << QStringLiteral("欢迎您再次光临！") << 31 << QStringList{QStringLiteral("欢迎您再次光临！")};
    QTest::newRow("exactly 31") << QString(31, QLatin1Char('x')) << 31 << QStringList{QString(31, QLatin1Char('x'))};
    QTest::newRow("after the last blank that fits")
        << QStringLiteral("aaaa bbbb cccc dddd eeee ffff gggg hhhh") << 31
        << QStringList{QStringLiteral("aaaa bbbb cccc dddd eeee ffff "), QStringLiteral("gggg hhhh")};
    QTest::newRow("blank just past the limit")
        << QString(31, QLatin1Char('a')) + QStringLiteral(" b") << 31
        << QStringList{QString(31, QLatin1Char('a')), QStringLiteral(" b")};
    // 15 Chinese characters fill 30 columns; the 16th would straddle the limit.
    QTest::newRow("double-byte at the boundary") << QString(15, QChar(0x4E2D)) + QStringLiteral("文字") << 31
                                                 << QStringList{QString(15, QChar(0x4E2D)), QStringLiteral("文字")};
    QTest::newRow("double-byte after an odd column") << QStringLiteral("a") + QString(16, QChar(0x4E2D)) << 31
                                                     << QStringList{QStringLiteral("a") + QString(15, QChar(0x4E2D)),
                                                                    QString(1, QChar(0x4E2D))};
    QTest::newRow("blank first, then a double-byte overflow")
        << QStringLiteral(" bcde中") << 5 << QStringList{QStringLiteral(" "), QStringLiteral("bcde"), QStringLiteral("中")};
    QTest::newRow("Chinese with a blank")
        << QStringLiteral("谢谢惠顾，欢迎您再次光临！ 本店地址：河东路8号") << 31
        << QStringList{QStringLiteral("谢谢惠顾，欢迎您再次光临！ "), QStringLiteral("本店地址：河东路8号")};
    QTest::newRow("three lines") << QString(70, QLatin1Char('z')) << 31
                                 << QStringList{QString(31, QLatin1Char('z')), QString(31, QLatin1Char('z')),
                                                QString(8, QLatin1Char('z'))};
}

void TestReceipts::wrapFooter()
{
    QFETCH(QString, footer);
    QFETCH(int, width);
    QFETCH(QStringList, lines);
    const QStringList wrapped = WrapFooter(footer, width);
    QCOMPARE(wrapped, lines);
    for (const QString &line : wrapped)
        QVERIFY(Gbk::byteLength(line) <= width);
}

void TestReceipts::charactersOutsideGbk()
{
    Fixture fx;
    fx.exec(QStringLiteral("insert into 会员卡信息 (会员卡号, 会员姓名, 积分) values ('8001', '李😀', 7)"));
    ReceiptSettings s = portSettings(fx);
    s.shopName = QStringLiteral("😀店");
    s.footer = QString(30, QLatin1Char('f')) + QStringLiteral("😀g");
    TransactionReceipt r;
    r.cardNumber = QStringLiteral("8001");
    r.memberName = QStringLiteral("李😀");
    r.bodyLines = RedemptionBodyLines(QStringLiteral("1"), QStringLiteral("ﷺ"), QStringLiteral("0"));
    r.kind = ReceiptKind::Redemption;
    PrintTransactionReceipt(s, r);
    const QList<QByteArray> lines = readFile(s.port).split('\n');
    const QByteArray shop = Gbk::encode(QStringLiteral("?店"));
    // "?店" is three bytes: (32 - 3) / 2 = 14 blanks.
    QCOMPARE(lines.at(1), QByteArray(14, ' ') + shop + '\r');
    QCOMPARE(lines.at(4), Gbk::encode(QStringLiteral("会员姓名： 李?")) + '\r');
    QCOMPARE(lines.at(6), Gbk::encode(QStringLiteral("兑换礼品： ?")) + '\r');
    // The replacement takes one column, so 30 + "?" fits and "g" moves on.
    QCOMPARE(lines.at(13), QByteArray(30, 'f') + "?\r");
    QCOMPARE(lines.at(14), QByteArray("g\r"));
}

void TestReceipts::unwritablePortIsSilent_data()
{
    QTest::addColumn<QString>("port");
    QTest::newRow("empty") << QString();
    QTest::newRow("blank") << QStringLiteral("   ");
    QTest::newRow("folder") << QStringLiteral("backup");
    QTest::newRow("missing folder") << QStringLiteral("/nonexistent/printer/lp0");
    QTest::newRow("no parallel port") << QStringLiteral("lpt4");
}

void TestReceipts::unwritablePortIsSilent()
{
    QFETCH(QString, port);
    if (port == QLatin1String("lpt4") && QFileInfo::exists(QStringLiteral("/dev/lp3")))
        QSKIP("this machine has a fourth parallel port");
    Fixture fx;
    addMember(fx);
    ReceiptSettings s = portSettings(fx);
    s.port = port;
    TransactionReceipt r;
    r.cardNumber = QStringLiteral("8001");
    try {
        PrintTransactionReceipt(s, r);
    } catch (...) {
        QFAIL("a receipt failure escaped");
    }
    QVERIFY(!PrintPortReceipt(port, s.shopName, PortTitleLine(ReceiptKind::Purchase), {}, r.cardNumber,
                              QString(), QStringLiteral("0001"), s.footer));
    QVERIFY(fx.dialogs.messages.isEmpty());
    QVERIFY(QFileInfo(fx.file(QStringLiteral("backup"))).isDir());
    if (port == QLatin1String("lpt4"))
        QVERIFY(!QFileInfo::exists(QStringLiteral("/dev/lp3")));
}

void TestReceipts::portNames_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("path");
    QTest::newRow("lpt1") << "lpt1" << "/dev/lp0";
    QTest::newRow("lpt2") << "lpt2" << "/dev/lp1";
    QTest::newRow("lpt3") << "lpt3" << "/dev/lp2";
    QTest::newRow("lpt4") << "lpt4" << "/dev/lp3";
    QTest::newRow("upper case") << "LPT2" << "/dev/lp1";
    QTest::newRow("usb") << "/dev/usb/lp0" << "/dev/usb/lp0";
    QTest::newRow("lpt5 is a file name") << "lpt5" << "BASE/lpt5";
    QTest::newRow("relative file") << "out/receipt.txt" << "BASE/out/receipt.txt";
    QTest::newRow("empty") << "" << "";
}

void TestReceipts::portNames()
{
    QFETCH(QString, port);
    QFETCH(QString, path);
    Fixture fx(false);
    path.replace(QStringLiteral("BASE"), fx.base());
    QCOMPARE(QDir::cleanPath(PortDevicePath(port)), QDir::cleanPath(path));
}

void TestReceipts::receiptChoice_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<int>("route");
    QTest::newRow("no file") << QString() << int(ReceiptRoute::None);
    QTest::newRow("off, POS") << QStringLiteral("[程序参数]\r\n打印小票=0\r\n打印机=0\r\n") << int(ReceiptRoute::None);
    QTest::newRow("off, ordinary") << QStringLiteral("[程序参数]\r\n打印小票=0\r\n打印机=1\r\n") << int(ReceiptRoute::None);
    QTest::newRow("on, POS") << QStringLiteral("[程序参数]\r\n打印小票=1\r\n打印机=0\r\n") << int(ReceiptRoute::Port);
    QTest::newRow("on, ordinary") << QStringLiteral("[程序参数]\r\n打印小票=1\r\n打印机=1\r\n") << int(ReceiptRoute::Report);
    QTest::newRow("on, printer missing") << QStringLiteral("[程序参数]\r\n打印小票=1\r\n") << int(ReceiptRoute::Report);
    QTest::newRow("on, other printer") << QStringLiteral("[程序参数]\r\n打印小票=-1\r\n打印机=2\r\n") << int(ReceiptRoute::Port);
}

void TestReceipts::receiptChoice()
{
    QFETCH(QString, ini);
    QFETCH(int, route);
    Fixture fx;
    addMember(fx);
    addTransaction(fx, QStringLiteral("0000000001"), 5, QStringLiteral("购物消费"), {});
    const QString port = fx.file(QStringLiteral("port.prn"));
    if (!ini.isEmpty())
        fx.writeIni(Gbk::encode(ini + QStringLiteral("打印端口=") + port + QStringLiteral("\r\n")));
    const ReceiptSettings settings = ReceiptSettings::read();
    QCOMPARE(int(ChooseReceipt(settings)), route);

    CapturedPreviews previews;
    TransactionReceipt r;
    r.journalNumber = QStringLiteral("0000000001");
    r.cardNumber = QStringLiteral("8001");
    PrintTransactionReceipt(settings, r);
    QCOMPARE(QFileInfo::exists(port), route == int(ReceiptRoute::Port));
    QCOMPARE(previews.titles.size(), route == int(ReceiptRoute::Report) ? 1 : 0);
}

void TestReceipts::settingsDefaultsWithoutFile()
{
    Fixture fx;
    const ReceiptSettings s = ReceiptSettings::read();
    QCOMPARE(s.print, false);
    QCOMPARE(s.printer, QStringLiteral("1"));
    QCOMPARE(s.port, QString());
    QCOMPARE(s.shopName, QString());
    QCOMPARE(s.footer, QString());
}

void TestReceipts::purchaseReportLayout()
{
    Fixture fx;
    addMember(fx, 128.67);
    fx.exec(QStringLiteral("update 小票 set 店铺 = ?, 票尾 = ?"),
            {QStringLiteral("青禾岭便利店"), QStringLiteral("谢谢惠顾\n欢迎再来")});
    addTransaction(fx, QStringLiteral("0000000007"), 3.17, QStringLiteral("购物消费"),
                   {{QStringLiteral("洗发水"), 1.0, 18.9}, {QStringLiteral("毛巾"), 2.0, 12.7635}});
    // Another transaction's rows stay off this receipt.
    addTransaction(fx, QStringLiteral("0000000008"), 1, QStringLiteral("购物消费"), {{QStringLiteral("牙刷"), 1.0, 5.0}});

    CapturedPreviews previews;
    TransactionReceipt r;
    r.kind = ReceiptKind::Purchase;
    r.journalNumber = QStringLiteral("0000000007");
    r.cardNumber = QStringLiteral("8001");
    ReceiptSettings s;
    s.print = true;
    PrintTransactionReceipt(s, r);
    QCOMPARE(previews.titles, QStringList{ReportPreviewTitle});

    const PreparedReport report = PrepareReportReceipt(PurchaseReportLayout(), r.cardNumber, r.journalNumber);
    QCOMPARE(report.pageSize, QSizeF(120, 1000));
    QCOMPARE(report.margin, 5.0);
    QCOMPARE(report.pageCount, 1);
    struct Expect
    {
        QString text;
        double left, width, top;
        QString family;
        int pixels;
    };
    const QList<Expect> expected{
        {QStringLiteral("欢迎光临"), 22.2, 21.2, 1.1, QStringLiteral("华文新魏"), 19},
        {QStringLiteral("青禾岭便利店"), 43.4, 45.5, 1.1, QStringLiteral("华文新魏"), 19},
        {QStringLiteral("增加积分"), 26.5, 18.0, 15.3, QStringLiteral("宋体"), 16},
        {QStringLiteral("经手人："), 65.6, 12.7, 15.3, QStringLiteral("宋体"), 13},
        {QStringLiteral("0001"), 79.4, 22.2, 15.3, QStringLiteral("宋体"), 13},
        {QStringLiteral("卡号："), 6.4, 10.6, 21.3, QStringLiteral("宋体"), 13},
        {QStringLiteral("8001"), 16.9, 39.2, 21.3, QStringLiteral("宋体"), 13},
        {QStringLiteral("姓名："), 56.1, 9.5, 21.3, QStringLiteral("宋体"), 13},
        {QStringLiteral("张三"), 65.6, 36.0, 21.3, QStringLiteral("宋体"), 13},
        {QStringLiteral("序号"), 6.4, 9.5, 26.8, QStringLiteral("宋体"), 13},
        {QStringLiteral("商品名"), 15.9, 31.8, 26.8, QStringLiteral("宋体"), 13},
        {QStringLiteral("数量"), 47.6, 25.4, 26.8, QStringLiteral("宋体"), 13},
        {QStringLiteral("消费金额"), 73.0, 28.6, 26.8, QStringLiteral("宋体"), 13},
        {QStringLiteral("洗发水"), 15.9, 31.8, 32.3, QStringLiteral("宋体"), 13},
        {QStringLiteral("18.9"), 73.0, 28.6, 32.3, QStringLiteral("宋体"), 13},
        {QStringLiteral("毛巾"), 15.9, 31.8, 37.1, QStringLiteral("宋体"), 13},
        {QStringLiteral("12.7635"), 73.0, 28.6, 37.1, QStringLiteral("宋体"), 13},
        {QStringLiteral("合计金额："), 7.4, 16.9, 71.9, QStringLiteral("宋体"), 13},
        {QStringLiteral("31.6635"), 25.4, 25.4, 71.9, QStringLiteral("宋体"), 13},
        {QStringLiteral("增加积分："), 55.0, 15.9, 71.9, QStringLiteral("宋体"), 13},
        {QStringLiteral("3.17"), 72.0, 28.6, 71.9, QStringLiteral("宋体"), 13},
        {QStringLiteral("现有积分："), 7.4, 15.9, 77.9, QStringLiteral("宋体"), 13},
        {QStringLiteral("128.67"), 24.3, 21.2, 77.9, QStringLiteral("宋体"), 13},
        {QStringLiteral("日期："), 47.6, 9.5, 77.9, QStringLiteral("宋体"), 13},
        {QStringLiteral("2026-03-14 10:30:15"), 58.2, 43.4, 77.9, QStringLiteral("宋体"), 13},
        {QStringLiteral("谢谢惠顾\n欢迎再来"), 7.4, 95.3, 83.9, QStringLiteral("宋体"), 13},
    };
    for (const Expect &e : expected) {
        const PreparedItem *item = report.find(e.text);
        QVERIFY2(item, qPrintable(e.text));
        QVERIFY2(near(item->rect.left(), e.left) && near(item->rect.width(), e.width)
                     && near(item->rect.top(), e.top),
                 qPrintable(e.text));
        QCOMPARE(item->font.family, e.family);
        QCOMPARE(item->font.pixelSize, e.pixels);
    }
    // Line numbers of the two rows, nothing of the other transaction.
    QCOMPARE(report.find(QStringLiteral("1"))->rect.left(), 6.4);
    QVERIFY(near(report.find(QStringLiteral("1"))->rect.top(), 32.3));
    QCOMPARE(report.find(QStringLiteral("1"), 1)->rect.left(), 47.6);
    QCOMPARE(report.find(QStringLiteral("2"))->rect.left(), 6.4);
    QVERIFY(near(report.find(QStringLiteral("2"))->rect.top(), 37.1));
    QCOMPARE(report.find(QStringLiteral("2"), 1)->rect.left(), 47.6);
    QVERIFY(!report.find(QStringLiteral("牙刷")));
    QCOMPARE(report.find(QStringLiteral("谢谢惠顾\n欢迎再来"))->rect.height(), 19.6);
    for (const PreparedItem &item : report.items)
        QVERIFY2(item.rect.right() <= 110.0 + 1e-9, qPrintable(item.text));
}

void TestReceipts::returnReportLayout()
{
    Fixture fx;
    addMember(fx, 10);
    addTransaction(fx, QStringLiteral("0000000003"), -0.95, QStringLiteral("退货"),
                   {{QStringLiteral("毛巾"), -1.0, -9.5}});
    const PreparedReport report =
        PrepareReportReceipt(ReturnReportLayout(), QStringLiteral("8001"), QStringLiteral("0000000003"));
    const PreparedItem *heading = report.find(QStringLiteral("减少积分"));
    QVERIFY(heading);
    QCOMPARE(heading->rect.left(), 26.5);
    QCOMPARE(heading->font.pixelSize, 16);
    QCOMPARE(report.find(QStringLiteral("减少积分："))->rect.left(), 55.0);
    QVERIFY(!report.find(QStringLiteral("增加积分")));
    QVERIFY(!report.find(QStringLiteral("增加积分：")));
    QCOMPARE(report.find(QStringLiteral("-1"))->rect.left(), 47.6);
    QCOMPARE(report.find(QStringLiteral("-9.5"))->rect.left(), 73.0);
    // The total and the points, both negative as stored.
    QCOMPARE(report.find(QStringLiteral("-9.5"), 1)->rect.left(), 25.4);
    QCOMPARE(report.find(QStringLiteral("-0.95"))->rect.left(), 72.0);
    QCOMPARE(report.find(QStringLiteral("10"))->rect.left(), 24.3);
}

void TestReceipts::redemptionReportLayout()
{
    Fixture fx;
    addMember(fx, 25.5);
    fx.exec(QStringLiteral("update 小票 set 店铺 = '青禾岭便利店', 票尾 = '欢迎再来'"));
    addTransaction(fx, QStringLiteral("0000000004"), -100, QStringLiteral("兑换礼品"),
                   {{QStringLiteral("不该出现"), 1.0, 1.0}});
    const PreparedReport report =
        PrepareReportReceipt(RedemptionReportLayout(), QStringLiteral("8001"), QStringLiteral("0000000004"));
    struct Expect
    {
        QString text;
        double left, width, top;
    };
    const QList<Expect> expected{
        {QStringLiteral("欢迎光临"), 22.2, 21.2, 1.1},
        {QStringLiteral("青禾岭便利店"), 43.4, 45.5, 1.1},
        {QStringLiteral("积分兑换"), 30.7, 18.0, 15.3},
        {QStringLiteral("经手人："), 69.9, 12.7, 15.3},
        {QStringLiteral("0001"), 83.6, 22.2, 15.3},
        {QStringLiteral("卡号"), 1.1, 26.5, 21.8},
        {QStringLiteral("姓名"), 27.5, 22.2, 21.8},
        {QStringLiteral("兑换积分"), 49.7, 14.8, 21.8},
        {QStringLiteral("礼品"), 64.6, 25.4, 21.8},
        {QStringLiteral("现金"), 90.0, 15.9, 21.8},
        {QStringLiteral("8001"), 1.1, 26.5, 33.9},
        {QStringLiteral("张三"), 27.5, 22.2, 33.9},
        {QStringLiteral("-100"), 49.7, 14.8, 33.9},
        {QStringLiteral("保温杯"), 64.6, 25.4, 33.9},
        {QStringLiteral("0"), 90.0, 15.9, 33.9},
        {QStringLiteral("现有积分："), 2.1, 15.9, 47.6},
        {QStringLiteral("25.5"), 19.1, 21.2, 47.6},
        {QStringLiteral("日期时间："), 42.3, 15.9, 47.6},
        {QStringLiteral("   2026-03-14 10:30:15"), 59.3, 46.6, 47.6},
        {QStringLiteral("欢迎再来"), 2.1, 103.7, 53.6},
    };
    for (const Expect &e : expected) {
        const PreparedItem *item = report.find(e.text);
        QVERIFY2(item, qPrintable(e.text));
        QVERIFY2(near(item->rect.left(), e.left) && near(item->rect.width(), e.width)
                     && near(item->rect.top(), e.top),
                 qPrintable(e.text));
    }
    QVERIFY(!report.find(QStringLiteral("不该出现")));
    QVERIFY(!report.find(QStringLiteral("序号")));
}

void TestReceipts::emptyBasketReport()
{
    Fixture fx;
    addMember(fx);
    addTransaction(fx, QStringLiteral("0000000002"), 5, QStringLiteral("购物消费"), {});
    const PreparedReport report =
        PrepareReportReceipt(PurchaseReportLayout(), QStringLiteral("8001"), QStringLiteral("0000000002"));
    const PreparedItem *label = report.find(QStringLiteral("合计金额："));
    QVERIFY(label);
    // The total right of its label is empty, and no row lies between heading and summary.
    for (const PreparedItem &item : report.items) {
        if (near(item.rect.top(), label->rect.top()) && near(item.rect.left(), 25.4))
            QCOMPARE(item.text, QString());
        QVERIFY2(item.rect.top() < 32.3 || item.rect.top() >= 70.9, qPrintable(item.text));
    }
}

void TestReceipts::reportBandsGrowAndBreakPages()
{
    const auto dataWithRows = [](int count) {
        ReportData data;
        QList<ReportRow> rows;
        for (int i = 0; i < count; ++i)
            rows << ReportRow{{QStringLiteral("商品"), QStringLiteral("商品%1").arg(i + 1)}};
        data.sets.insert(QStringLiteral("消费记录"), rows);
        data.sets.insert(QStringLiteral("小票"), {ReportRow{{QStringLiteral("票尾"), QStringLiteral("票尾")}}});
        return data;
    };
    // Twelve rows run past the summary's own place: it follows the last row.
    PreparedReport report = PrepareReport(PurchaseReportLayout(), dataWithRows(12));
    QVERIFY(near(report.find(QStringLiteral("商品12"))->rect.top(), 32.3 + 11 * 4.8));
    QVERIFY(near(report.find(QStringLiteral("合计金额："))->rect.top(), 32.3 + 12 * 4.8 + 1.0));
    QCOMPARE(report.pageCount, 1);

    // More rows than a metre of paper holds: a second page below a repeated page header.
    report = PrepareReport(PurchaseReportLayout(), dataWithRows(250));
    QCOMPARE(report.pageCount, 2);
    const PreparedItem *first = report.find(QStringLiteral("序号"));
    const PreparedItem *repeated = report.find(QStringLiteral("序号"), 1);
    QVERIFY(first && repeated);
    QCOMPARE(first->page, 0);
    QCOMPARE(repeated->page, 1);
    QCOMPARE(report.find(QStringLiteral("欢迎光临"), 1), nullptr);
    for (const PreparedItem &item : report.items)
        QVERIFY2(item.rect.bottom() <= 990.0 + 1e-9, qPrintable(item.text));
    const PreparedItem *last = report.find(QStringLiteral("商品250"));
    QCOMPARE(last->page, 1);
    QCOMPARE(report.find(QStringLiteral("票尾"))->page, 1);
    QVERIFY(report.find(QStringLiteral("票尾"))->rect.top() > last->rect.top());
}

void TestReceipts::reportRendersToPdf()
{
    Fixture fx;
    addMember(fx);
    fx.exec(QStringLiteral("update 小票 set 店铺 = '青禾岭便利店', 票尾 = '欢迎再来'"));
    addTransaction(fx, QStringLiteral("0000000001"), 3.17, QStringLiteral("购物消费"),
                   {{QStringLiteral("洗发水"), 1.0, 18.9}});
    CapturedPreviews previews;
    PrintReportReceipt(nullptr, PurchaseReportLayout(), QStringLiteral("8001"), QStringLiteral("0000000001"));
    QCOMPARE(previews.painters.size(), 1);

    const QString pdf = fx.file(QStringLiteral("receipt.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    previews.painters.first()(&printer);
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QVERIFY(readFile(pdf).startsWith("%PDF"));
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    QVERIFY(near(paper.width(), 120) && near(paper.height(), 1000));
    QVERIFY(near(printer.pageLayout().margins(QPageLayout::Millimeter).left(), 5));
}

void TestReceipts::reportFailureShowsErrorAndReturns()
{
    Fixture fx;
    fx.dm.close();
    CapturedPreviews previews;
    TransactionReceipt r;
    r.cardNumber = QStringLiteral("8001");
    ReceiptSettings s;
    s.print = true;
    try {
        PrintTransactionReceipt(s, r);
    } catch (...) {
        QFAIL("the error escaped to the window");
    }
    QCOMPARE(fx.dialogs.messages.size(), 1);
    QCOMPARE(fx.dialogs.messages.first().caption, AppTexts::ApplicationTitle);
    QCOMPARE(fx.dialogs.messages.first().icon, MsgIcon::Error);
    QVERIFY(previews.titles.isEmpty());
}

HYJF_TEST_MAIN(TestReceipts)
#include "tst_receipts.moc"
