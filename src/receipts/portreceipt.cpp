#include "portreceipt.h"

#include "receiptstore.h"

#include "common/basefolder.h"
#include "common/clock.h"
#include "common/gbk.h"
#include "common/inifile.h"
#include "data/sql.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString Greeting = QStringLiteral("          欢 迎 光 临");
const QString Tildes(ReceiptPaperColumns, QLatin1Char('~'));
const QString TestTitle = QStringLiteral("~~~~~~~POS打印机测试通过~~~~~~~");
const QString TestThanks = QStringLiteral("~~~~~~~~~~~ 谢谢惠顾 ~~~~~~~~~~~");

// Vertical tab, then ESC J 140: feeds the paper past the tear bar.
const QByteArray PaperFeed("\x0B\x1B\x4A\x8C\r\n", 6);
const QByteArray Ending("\n\r\n", 3);

void addLine(QByteArray &out, const QString &line)
{
    out += Gbk::encode(line);
    out += "\r\n";
}

} // namespace

QStringList WrapFooter(const QString &footer, int width)
{
    QStringList lines;
    QString line;
    int lineWidth = 0;
    qsizetype afterBlank = -1; // length of line up to and including its last blank
    const QList<uint> codePoints = footer.toUcs4();
    for (uint u : codePoints) {
        const char32_t cp = u;
        const QString ch = QString::fromUcs4(&cp, 1);
        const int w = Gbk::byteLength(ch);
        // Twice at most: a break after a blank can leave a remainder that still has no room.
        while (lineWidth + w > width && !line.isEmpty()) {
            if (afterBlank > 0 && afterBlank < line.size()) {
                lines << line.left(afterBlank);
                line = line.mid(afterBlank);
            } else {
                lines << line;
                line.clear();
            }
            lineWidth = Gbk::byteLength(line);
            afterBlank = -1;
        }
        line += ch;
        lineWidth += w;
        if (ch == QLatin1String(" "))
            afterBlank = line.size();
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

QString CenteredShopName(const QString &shopName)
{
    const int length = Gbk::byteLength(shopName);
    if (length >= ReceiptPaperColumns)
        return shopName;
    return QString((ReceiptPaperColumns - length) / 2, QLatin1Char(' ')) + shopName;
}

QString PortDevicePath(const QString &port)
{
    static const QRegularExpression lpt(QStringLiteral("^lpt([1-4])$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = lpt.match(port);
    if (m.hasMatch())
        return QStringLiteral("/dev/lp%1").arg(m.captured(1).toInt() - 1);
    if (port.trimmed().isEmpty())
        return {};
    // A bare file name lands in the program folder, as it did beside the executable.
    if (QFileInfo(port).isRelative())
        return BaseFolder::file(port);
    return port;
}

QByteArray PortReceiptBytes(const PortReceipt &r)
{
    QByteArray out;
    addLine(out, Greeting);
    addLine(out, CenteredShopName(r.shopName));
    addLine(out, r.titleLine);
    addLine(out, QStringLiteral("会员卡号： ") + r.cardNumber);
    addLine(out, QStringLiteral("会员姓名： ") + r.memberName);
    for (const QString &line : r.bodyLines)
        addLine(out, line);
    addLine(out, QStringLiteral("现有积分： ") + r.points);
    addLine(out, Tildes);
    addLine(out, r.dateTime);
    addLine(out, QStringLiteral("经手人： ") + r.operatorCode);
    addLine(out, Tildes);
    for (const QString &line : WrapFooter(r.footer, ReceiptFooterWidth))
        addLine(out, line);
    out += PaperFeed;
    out += Ending;
    return out;
}

QByteArray TestReceiptBytes(const QString &shopName, const QString &footer)
{
    QByteArray out;
    addLine(out, Greeting);
    addLine(out, CenteredShopName(shopName));
    addLine(out, TestTitle);
    for (const QString &line : WrapFooter(footer, TestReceiptFooterWidth))
        addLine(out, line);
    addLine(out, TestThanks);
    out += PaperFeed;
    out += Ending;
    return out;
}

bool WriteToPort(const QString &port, const QByteArray &bytes)
{
    const QString path = PortDevicePath(port);
    if (path.isEmpty())
        return false;
    QFile device(path);
    // Unbuffered, so a printer that refuses the data fails the write itself. A printer
    // that is not there must not turn into a plain file under /dev.
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered;
    if (path.startsWith(QLatin1String("/dev/")))
        mode |= QIODevice::ExistingOnly;
    if (!device.open(mode))
        return false;
    const bool written = device.write(bytes) == bytes.size();
    device.close();
    return written && device.error() == QFileDevice::NoError;
}

bool PrintPortReceipt(const QString &port, const QString &shopName, const QString &titleLine,
                      const QStringList &bodyLines, const QString &cardNumber,
                      const QString &memberName, const QString &operatorCode,
                      const QString &footer)
{
    PortReceipt r;
    r.shopName = shopName;
    r.titleLine = titleLine;
    r.cardNumber = cardNumber;
    r.memberName = memberName;
    r.bodyLines = bodyLines;
    r.operatorCode = operatorCode;
    r.footer = footer;
    try {
        r.points = ReceiptStore::memberPoints(cardNumber);
    } catch (const DbError &) {
        return false; // the transaction is saved; a receipt is not worth an error
    }
    const QDateTime now = Clock::now();
    r.dateTime = Clock::dateText(now.date()) + QStringLiteral("   ") + Clock::timeText(now.time());
    return WriteToPort(port, PortReceiptBytes(r));
}

bool PrintTestReceipt()
{
    const QString port = AppSettings::readString(QStringLiteral("打印端口"), QString());
    const QString shopName = AppSettings::readString(QStringLiteral("店铺名称"), QString());
    const QString footer = AppSettings::readString(QStringLiteral("小票尾"), QString());
    return WriteToPort(port, TestReceiptBytes(shopName, footer));
}
