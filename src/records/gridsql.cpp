#include "gridsql.h"

#include <QSqlDatabase>
#include <QSqlRecord>

namespace GridSql {

QString quoteName(const QString &name)
{
    QString inner = name;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString sorted(const QString &statement, const QList<SortKey> &keys)
{
    if (keys.isEmpty())
        return statement;
    QStringList terms;
    for (const SortKey &k : keys)
        terms << quoteName(k.field)
                + (k.order == Qt::AscendingOrder ? QStringLiteral(" asc")
                                                 : QStringLiteral(" desc"));
    // A line break keeps a trailing comment in the statement from swallowing the wrapper.
    return QStringLiteral("select * from (\n") + statement + QStringLiteral("\n) order by ")
        + terms.join(QStringLiteral(", "));
}

QString footer(const QString &statement, const QStringList &sumFields)
{
    QStringList terms { QStringLiteral("count(*)") };
    for (const QString &f : sumFields)
        terms << QStringLiteral("sum(%1)").arg(quoteName(f));
    return QStringLiteral("select ") + terms.join(QStringLiteral(", "))
        + QStringLiteral(" from (\n") + statement + QStringLiteral("\n)");
}

QString count(const QString &statement)
{
    return footer(statement, {});
}

QStringList tableColumns(const QString &table)
{
    const QSqlRecord r
        = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false)
              .record(table);
    QStringList names;
    for (int i = 0; i < r.count(); ++i)
        names << r.fieldName(i);
    return names;
}

bool isTableColumn(const QString &table, const QString &column)
{
    return !column.isEmpty() && tableColumns(table).contains(column);
}

} // namespace GridSql
