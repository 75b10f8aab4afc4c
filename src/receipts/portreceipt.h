#pragma once

// The POS58 receipt: GBK text lines ending in CR LF on a 32-column printer, written to a
// port opened as a file. Nothing here ever shows a message: a port that cannot be opened
// or written ends the receipt quietly, the transaction stays saved.

#include <QByteArray>
#include <QString>
#include <QStringList>

// Column widths of the footer: 31 on transaction receipts; the test receipt's narrower
// box (201 of 225 pixels in the same font) leaves 27.
inline constexpr int ReceiptFooterWidth = 31;
inline constexpr int TestReceiptFooterWidth = 27;
inline constexpr int ReceiptPaperColumns = 32;

// Breaks the footer into lines of at most width single-byte columns (a double-byte
// character takes two): after the last blank that fits, else at the limit, never inside
// a character. An empty footer gives no lines.
QStringList WrapFooter(const QString &footer, int width);

// The shop name with half the free columns of the 32-column paper in front of it.
QString CenteredShopName(const QString &shopName);

// "lpt1" … "lpt4" are the parallel ports /dev/lp0 … /dev/lp3; any other text is a path
// (a USB printer's /dev/usb/lp0, or a file).
QString PortDevicePath(const QString &port);

struct PortReceipt
{
    QString shopName;
    QString titleLine;
    QString cardNumber;
    QString memberName;
    QStringList bodyLines;
    QString points;    // as stored after the save
    QString dateTime;  // "yyyy-MM-dd   HH:mm:ss"
    QString operatorCode;
    QString footer;
};

// The exact bytes the printer receives.
QByteArray PortReceiptBytes(const PortReceipt &receipt);
QByteArray TestReceiptBytes(const QString &shopName, const QString &footer);

// Writes the bytes to the port, replacing what a plain file held. False when the port
// could not be opened or written; callers normally ignore it.
bool WriteToPort(const QString &port, const QByteArray &bytes);

// Reads the member's points now stored and the clock, then writes the receipt. False when
// nothing could be printed.
bool PrintPortReceipt(const QString &port, const QString &shopName, const QString &titleLine,
                      const QStringList &bodyLines, const QString &cardNumber,
                      const QString &memberName, const QString &operatorCode,
                      const QString &footer);

// The settings window's "POS打印测试": port, shop name and footer as saved in myini.ini,
// whatever 打印小票 and 打印机 say.
bool PrintTestReceipt();
