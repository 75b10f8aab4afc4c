#pragma once

#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <optional>
#include <stdexcept>

// An engine error, carrying the engine's own text. The data layer never shows messages;
// callers catch this, roll back and show the text.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

// Every statement goes through here: prepared, values bound (never spliced into the
// text), checked. Throws DbError on any failure.
namespace Sql {
QSqlQuery exec(const QString &statement, const QVariantList &values = {});
// Runs a statement and returns the number of rows it changed.
int execute(const QString &statement, const QVariantList &values = {});
// First column of the first row; an invalid QVariant when there is no row.
QVariant scalar(const QString &statement, const QVariantList &values = {});
// The first row with its column names; nothing when there is no row.
std::optional<QSqlRecord> firstRow(const QString &statement, const QVariantList &values = {});
// execute(), scalar() and firstRow() keep their statements prepared on the connection;
// the data module drops them before it closes the connection.
void forgetPreparedStatements();
// Text of a value as the windows show it: null reads as empty, numbers by NumberText.
QString text(const QVariant &value);
bool isTrue(const QVariant &value); // null reads as no
} // namespace Sql

// BEGIN IMMEDIATE on construction; rolls back when destroyed uncommitted, so an exception
// anywhere in a save leaves nothing of it behind.
class TransactionGuard
{
public:
    TransactionGuard();
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard &) = delete;
    TransactionGuard &operator=(const TransactionGuard &) = delete;

    void commit();

private:
    bool m_open = false;
};
