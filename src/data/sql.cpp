#include "sql.h"

#include "common/numtext.h"

#include <QHash>
#include <QMetaType>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

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

QSqlDatabase openConnection()
{
    QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    if (!db.isOpen())
        throw DbError(QStringLiteral("数据库没有连接"));
    return db;
}

// The statements of lookups, balances and numbers run again and again with new values: each
// is prepared once per connection. Only scalar(), execute() and firstRow() use them, which
// finish a statement before returning, so no caller ever holds one that is run again.
struct PreparedStatements
{
    struct Entry
    {
        QSqlQuery query;
        qsizetype valueCount = 0;
    };
    QHash<QString, Entry> entries;
    const QSqlDriver *driver = nullptr;
};

PreparedStatements &prepared()
{
    static PreparedStatements p;
    return p;
}

// The prepared statement, or nothing when it must be prepared afresh (another number of
// values than the first time: the engine's error is then the plain path's).
QSqlQuery *preparedQuery(const QString &statement, const QVariantList &values)
{
    QSqlDatabase db = openConnection();
    PreparedStatements &p = prepared();
    if (p.driver != db.driver()) {
        p.entries.clear();
        p.driver = db.driver();
    }
    auto it = p.entries.find(statement);
    if (it == p.entries.end()) {
        // Statements with names chosen at run time (sorts, filters) vary: keep the cache small.
        if (p.entries.size() >= 128)
            p.entries.clear();
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(statement))
            throw DbError(errorText(q.lastError()));
        it = p.entries.insert(statement, {q, values.size()});
    }
    if (it->valueCount != values.size())
        return nullptr;
    QSqlQuery *q = &it->query;
    for (qsizetype i = 0; i < values.size(); ++i)
        q->bindValue(int(i), values.at(i));
    if (!q->exec()) {
        const QString text = errorText(q->lastError());
        q->finish();
        throw DbError(text);
    }
    return q;
}

} // namespace

namespace Sql {

void forgetPreparedStatements()
{
    prepared().entries.clear();
    prepared().driver = nullptr;
}

QSqlQuery exec(const QString &statement, const QVariantList &values)
{
    QSqlQuery q(openConnection());
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
    if (QSqlQuery *q = preparedQuery(statement, values)) {
        const int changed = q->numRowsAffected();
        q->finish();
        return changed;
    }
    QSqlQuery q = exec(statement, values);
    return q.numRowsAffected();
}

QVariant scalar(const QString &statement, const QVariantList &values)
{
    if (QSqlQuery *q = preparedQuery(statement, values)) {
        const QVariant value = q->next() ? q->value(0) : QVariant();
        q->finish();
        return value;
    }
    QSqlQuery q = exec(statement, values);
    if (!q.next())
        return {};
    return q.value(0);
}

std::optional<QSqlRecord> firstRow(const QString &statement, const QVariantList &values)
{
    if (QSqlQuery *q = preparedQuery(statement, values)) {
        std::optional<QSqlRecord> row;
        if (q->next())
            row = q->record();
        q->finish();
        return row;
    }
    QSqlQuery q = exec(statement, values);
    if (!q.next())
        return std::nullopt;
    return q.record();
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
