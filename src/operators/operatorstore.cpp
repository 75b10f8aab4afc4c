#include "operatorstore.h"

#include "data/sql.h"

#include <QStringList>

namespace OperatorStore {

namespace {

QString flagColumns()
{
    QStringList columns;
    for (int flag = 1; flag <= 23; ++flag)
        columns << QStringLiteral("\"%1\"").arg(flag);
    return columns.join(QStringLiteral(", "));
}

void appendFlags(QVariantList &values, const PermissionSet &flags)
{
    for (bool on : flags)
        values << (on ? 1 : 0);
}

} // namespace

QList<Login> logins()
{
    QList<Login> result;
    QSqlQuery q = Sql::exec(QStringLiteral("select 操作员, 密码 from 操作员 order by rowid"));
    while (q.next())
        result.append({Sql::text(q.value(0)), Sql::text(q.value(1))});
    return result;
}

QList<Entry> entries()
{
    QList<Entry> result;
    QSqlQuery q = Sql::exec(QStringLiteral("select 操作员, 姓名 from 操作员 order by rowid"));
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
    const std::optional<Operator> op = find(code);
    return op ? op->flags : PermissionSet{};
}

std::optional<Operator> find(const QString &code)
{
    QSqlQuery q = Sql::exec(QStringLiteral("select 操作员, 姓名, 密码, %1 from 操作员 where 操作员 = ?")
                                .arg(flagColumns()),
                            {code});
    if (!q.next())
        return std::nullopt;
    Operator op;
    op.code = Sql::text(q.value(0));
    op.name = Sql::text(q.value(1));
    op.password = Sql::text(q.value(2));
    for (int i = 0; i < 23; ++i)
        op.flags[i] = Sql::isTrue(q.value(3 + i));
    return op;
}

bool exists(const QString &code)
{
    return Sql::scalar(QStringLiteral("select 1 from 操作员 where 操作员 = ?"), {code}).isValid();
}

void add(const Operator &op)
{
    QStringList marks;
    for (int i = 0; i < 26; ++i)
        marks << QStringLiteral("?");
    QVariantList values{op.code, op.name, op.password};
    appendFlags(values, op.flags);
    TransactionGuard transaction;
    Sql::exec(QStringLiteral("insert into 操作员 (操作员, 姓名, 密码, %1) values (%2)")
                  .arg(flagColumns(), marks.join(QStringLiteral(", "))),
              values);
    transaction.commit();
}

void modify(const QString &heldCode, const Operator &op)
{
    QStringList sets{QStringLiteral("操作员 = ?"), QStringLiteral("姓名 = ?"), QStringLiteral("密码 = ?")};
    for (int flag = 1; flag <= 23; ++flag)
        sets << QStringLiteral("\"%1\" = ?").arg(flag);
    QVariantList values{op.code, op.name, op.password};
    appendFlags(values, op.flags);
    values << heldCode;
    TransactionGuard transaction;
    Sql::exec(QStringLiteral("update 操作员 set %1 where 操作员 = ?").arg(sets.join(QStringLiteral(", "))),
              values);
    transaction.commit();
}

void remove(const QString &code)
{
    Sql::exec(QStringLiteral("delete from 操作员 where 操作员 = ?"), {code});
}

std::optional<QString> storedPassword(const QString &code)
{
    QSqlQuery q = Sql::exec(QStringLiteral("select 密码 from 操作员 where 操作员 = ?"), {code});
    if (!q.next())
        return std::nullopt;
    return Sql::text(q.value(0));
}

int setPassword(const QString &code, const QString &password)
{
    return Sql::execute(QStringLiteral("update 操作员 set 密码 = ? where 操作员 = ?"), {password, code});
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
