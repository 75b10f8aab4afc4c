#pragma once

#include <QString>
#include <QStringList>

namespace Schema {
// The twelve tables a database of this program holds.
const QStringList &tableNames();
// CREATE TABLE and CREATE INDEX statements of a new database.
const QStringList &createStatements();
// The data initialisation: after it the database holds the reference content.
// Leaves 团队 as it is.
const QStringList &initialisationStatements();
// Writes a new database file with the reference content. Refuses an existing file.
bool createDatabase(const QString &path, QString *error);
} // namespace Schema
