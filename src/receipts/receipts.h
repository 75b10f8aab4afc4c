#pragma once

// Receipts after a purchase, a return or exchange, or a redemption.
//
// How a transaction window uses this:
//
//   // 1. When "确定" is pressed, before the save:
//   const ReceiptSettings settings = ReceiptSettings::read();
//   ... checks, transaction, commit ...
//   // 2. After a successful commit only (a rolled-back save prints nothing):
//   TransactionReceipt receipt;
//   receipt.kind = ReceiptKind::Purchase;
//   receipt.journalNumber = journalNumber;          // the number the rows were saved under
//   receipt.cardNumber = cardEdit->text();
//   receipt.memberName = nameEdit->text();
//   receipt.bodyLines = PurchaseBodyLines(productNames, discountedEdit->text(), pointsEdit->text());
//   PrintTransactionReceipt(settings, receipt, this);
//   // 3. Reset the window as usual.
//
// PrintTransactionReceipt never throws and never leaves the window half-done: with
// 打印小票 off it does nothing; with 打印机 "1" (or missing) it shows the report receipt
// in a print preview; otherwise it writes the port receipt, silently giving up when the
// port cannot be opened or written. The member's points are read from the database by
// the receipt itself, so call it after the commit.
//
// Body lines (between the member name line and the points line of the port receipt):
//   PurchaseBodyLines(names of the basket rows that hold a product name, 折后金额, 增加积分)
//   ReturnBodyLines(names of the basket rows whose 所属类别 is filled, 折后金额, 减少积分)
//   RedemptionBodyLines(兑换积分, 兑换礼品, 兑换现金)
// Each takes the window's texts as shown; numbers are not reformatted.
//
// Underneath: portreceipt.h (WrapFooter, PrintPortReceipt, PrintTestReceipt, the exact
// bytes) and reportreceipt.h / reportlayouts.h (PrintReportReceipt with its three layouts).
// In tests, a port that names a file receives the bytes, and a PreviewProvider installed
// with ReportPreview::install receives the report instead of the modal preview.

#include <QString>
#include <QStringList>

class QWidget;

enum class ReceiptKind { Purchase, Return, Redemption };

// The five receipt keys of myini.ini with the defaults a transaction applies.
struct ReceiptSettings
{
    bool print = false;                // 打印小票
    QString printer = QStringLiteral("1"); // 打印机: "1" ordinary printer, anything else POS
    QString port;                      // 打印端口
    QString shopName;                  // 店铺名称
    QString footer;                    // 小票尾

    static ReceiptSettings read();
};

struct TransactionReceipt
{
    ReceiptKind kind = ReceiptKind::Purchase;
    QString journalNumber;
    QString cardNumber;
    QString memberName;
    QStringList bodyLines; // port receipt only; the report reads the saved rows
};

enum class ReceiptRoute { None, Report, Port };
ReceiptRoute ChooseReceipt(const ReceiptSettings &settings);

// Prints the receipt of a committed transaction the way the settings say. The operator
// is the logged-in one. A report that cannot be prepared shows its error, as any
// unexpected error does, and returns normally.
void PrintTransactionReceipt(const ReceiptSettings &settings, const TransactionReceipt &receipt,
                             QWidget *parent = nullptr);

// The title line of the port receipt for each kind.
QString PortTitleLine(ReceiptKind kind);

QStringList PurchaseBodyLines(const QStringList &productNames, const QString &discountedTotal,
                              const QString &points);
QStringList ReturnBodyLines(const QStringList &productNames, const QString &discountedAmount,
                            const QString &points);
QStringList RedemptionBodyLines(const QString &points, const QString &gift, const QString &cash);
