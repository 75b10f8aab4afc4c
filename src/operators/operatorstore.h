#pragma once

#include "permissions.h"

#include <QList>
#include <QString>

// Statements on 操作员 used by the login and the operator windows.
namespace OperatorStore {

struct Login
{
    QString code;
    QString password; // null reads as empty
};

// Every operator in the order the table returns them.
QList<Login> logins();
// Name of the operator with this code; empty when there is none.
QString nameOf(const QString &code);
// Flags 1..23 of the operator; a null flag reads as no, a missing operator has none.
PermissionSet permissionsOf(const QString &code);

// A-Z compared without regard to case; everything else exactly.
bool passwordsMatch(const QString &typed, const QString &stored);

} // namespace OperatorStore
