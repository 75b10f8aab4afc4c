#include "operatorstore.h"

#include "data/sql.h"

namespace OperatorStore {

QList<Login> logins()
{
    QList<Login> result;
    QSqlQuery q = Sql::exec(QStringLiteral("select 操作员, 密码 from 操作员 order by rowid"));
    while (q.next())
        result.append({Sql::text(q.value(0)), Sql::text(q.value(1))});
    return result;
}

QString nameOf(const QString &code)
{
    return Sql::text(Sql::scalar(QStringLiteral("select 姓名 from 操作员 where 操作员 = ?"), {code}));
}

PermissionSet permissionsOf(const QString &code)
{
    PermissionSet flags{};
    QStringList columns;
    for (int flag = 1; flag <= 23; ++flag)
        columns << QStringLiteral("\"%1\"").arg(flag);
    QSqlQuery q = Sql::exec(QStringLiteral("select %1 from 操作员 where 操作员 = ?")
                                .arg(columns.join(QLatin1Char(','))),
                            {code});
    if (q.next())
        for (int i = 0; i < 23; ++i)
            flags[i] = Sql::isTrue(q.value(i));
    return flags;
}

bool passwordsMatch(const QString &typed, const QString &stored)
{
    if (typed.size() != stored.size())
        return false;
    const auto fold = [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ? QChar(c.unicode() - 32) : c;
    };
    for (qsizetype i = 0; i < typed.size(); ++i)
        if (fold(typed.at(i)) != fold(stored.at(i)))
            return false;
    return true;
}

} // namespace OperatorStore
