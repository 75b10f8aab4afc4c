#include "scrollquery.h"

#include "sql.h"

#include <QSqlDatabase>
#include <QSqlError>

QSqlQuery ScrollableQuery(const QString &statement, const QVariantList &values)
{
    QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    if (!db.isOpen())
        throw DbError(QStringLiteral("数据库没有连接"));
    QSqlQuery q(db);
    const auto failure = [&q] {
        const QString text = q.lastError().databaseText();
        return DbError(text.isEmpty() ? q.lastError().text() : text);
    };
    if (!q.prepare(statement))
        throw failure();
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw failure();
    return q;
}
