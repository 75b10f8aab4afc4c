#pragma once

#include "permissions.h"

#include <QList>
#include <QString>

#include <optional>

// Statements on 操作员 used by the login and the operator windows.
namespace OperatorStore {

struct Login
{
    QString code;
    QString password; // null reads as empty
};

struct Entry
{
    QString code;
    QString name;
};

struct Operator
{
    QString code;
    QString name;
    QString password; // null reads as empty
    PermissionSet flags{};
};

// Every operator in the order the table returns them.
QList<Login> logins();
QList<Entry> entries();
// Name of the operator with this code; empty when there is none.
QString nameOf(const QString &code);
// Flags 1..23 of the operator; a null flag reads as no, a missing operator has none.
PermissionSet permissionsOf(const QString &code);
std::optional<Operator> find(const QString &code);
bool exists(const QString &code);

// The saves of the operator windows, each in its own transaction. Throw DbError.
void add(const Operator &op);
// Rewrites the row of heldCode, its code included.
void modify(const QString &heldCode, const Operator &op);
void remove(const QString &code);

// The stored password exactly as it is (null reads as empty); nothing when there is no
// such operator.
std::optional<QString> storedPassword(const QString &code);
// Returns the number of rows changed.
int setPassword(const QString &code, const QString &password);

// A-Z compared without regard to case; everything else exactly.
bool passwordsMatch(const QString &typed, const QString &stored);

} // namespace OperatorStore
