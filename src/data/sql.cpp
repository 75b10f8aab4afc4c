#include "sql.h"

#include "common/numtext.h"

#include <QMetaType>
#include <QSqlDatabase>
#include <QSqlError>

DbError::DbError(const QString &text)
    : std::runtime_error(text.toStdString())
    , m_text(text)
{
}

namespace {

QString errorText(const QSqlError &error)
{
    QString t = error.databaseText();
    if (t.isEmpty())
        t = error.text();
    if (t.trimmed().isEmpty())
        t = QStringLiteral("数据库错误");
    return t;
}

} // namespace

namespace Sql {

QSqlQuery exec(const QString &statement, const QVariantList &values)
{
    QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    if (!db.isOpen())
        throw DbError(QStringLiteral("数据库没有连接"));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(statement))
        throw DbError(errorText(q.lastError()));
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw DbError(errorText(q.lastError()));
    return q;
}

int execute(const QString &statement, const QVariantList &values)
{
    QSqlQuery q = exec(statement, values);
    return q.numRowsAffected();
}

QVariant scalar(const QString &statement, const QVariantList &values)
{
    QSqlQuery q = exec(statement, values);
    if (!q.next())
        return {};
    return q.value(0);
}

QString text(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return NumberText(value.toDouble());
    default:
        return value.toString();
    }
}

bool isTrue(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return false;
    if (value.typeId() == QMetaType::QString) {
        const QString t = value.toString().trimmed().toLower();
        return t == QLatin1String("true") || t == QLatin1String("-1") || t == QLatin1String("1");
    }
    return value.toDouble() != 0;
}

} // namespace Sql

TransactionGuard::TransactionGuard()
{
    Sql::exec(QStringLiteral("BEGIN IMMEDIATE"));
    m_open = true;
}

TransactionGuard::~TransactionGuard()
{
    if (!m_open)
        return;
    try {
        Sql::exec(QStringLiteral("ROLLBACK"));
    } catch (const DbError &) {
        // The engine rolls back by itself after some failures; nothing is left open then.
    }
}

void TransactionGuard::commit()
{
    Sql::exec(QStringLiteral("COMMIT"));
    m_open = false;
}
