#include "receiptstore.h"

#include "data/sql.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QList<ReceiptStore::Row> rows(const QString &statement, const QVariantList &values = {})
{
    QSqlQuery q = Sql::exec(statement, values);
    QList<ReceiptStore::Row> result;
    while (q.next()) {
        const QSqlRecord record = q.record();
        ReceiptStore::Row row;
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i), Sql::text(q.value(i)));
        result << row;
    }
    return result;
}

} // namespace

namespace ReceiptStore {

QString memberPoints(const QString &cardNumber)
{
    return Sql::text(Sql::scalar(QStringLiteral("select 积分 from 会员卡信息 where 会员卡号 = ?"),
                                 {cardNumber}));
}

Row receiptHeader()
{
    const QList<Row> all = rows(QStringLiteral("select * from 小票 limit 1"));
    return all.isEmpty() ? Row() : all.first();
}

void saveReceiptHeader(const QString &shopName, const QString &footer)
{
    Sql::exec(QStringLiteral("update 小票 set 店铺 = ?, 票尾 = ?"), {shopName, footer});
}

QList<Row> journalRows(const QString &journalNumber)
{
    return rows(QStringLiteral("select * from 流水记录 where 编号 = ?"), {journalNumber});
}

QList<Row> consumptionRows(const QString &journalNumber)
{
    return rows(QStringLiteral("select * from 消费记录 where 编号 = ?"), {journalNumber});
}

QString consumptionTotal(const QString &journalNumber)
{
    return Sql::text(
        Sql::scalar(QStringLiteral("select sum(消费金额) from 消费记录 where 编号 = ?"), {journalNumber}));
}

} // namespace ReceiptStore
