#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariantList>

// The receipts' statements. Throws DbError like every data access; never shows a message.
namespace ReceiptStore {

using Row = QHash<QString, QString>; // column name → text as the windows show it

// The member's points as stored now; empty when the card is unknown.
QString memberPoints(const QString &cardNumber);
// The one row of 小票 (店铺, 票尾); empty when the table is empty.
Row receiptHeader();
// Rewrites the one row of 小票.
void saveReceiptHeader(const QString &shopName, const QString &footer);
QList<Row> journalRows(const QString &journalNumber);
QList<Row> consumptionRows(const QString &journalNumber);
// Sum of 消费金额 of the number's consumption rows; empty when there are none.
QString consumptionTotal(const QString &journalNumber);

} // namespace ReceiptStore
