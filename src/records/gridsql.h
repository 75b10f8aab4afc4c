#pragma once

#include "gridcolumn.h"

#include <QList>
#include <QString>
#include <QStringList>

// SQL around a grid's query. Names put into statement text are always checked first:
// sort fields against the query's columns, filter columns against the table's.
namespace GridSql {
// "name" quoted as an identifier, inner quotes doubled.
QString quoteName(const QString &name);
// The statement with the sort keys wrapped around it; the statement itself unchanged
// when there are none.
QString sorted(const QString &statement, const QList<SortKey> &keys);
// select count(*), sum(...) ... over the statement's rows.
QString footer(const QString &statement, const QStringList &sumFields);
QString count(const QString &statement);
// The columns of a table of the database, in their order; empty for no such table.
QStringList tableColumns(const QString &table);
// True when column names a real column of table, exactly as the table spells it.
bool isTableColumn(const QString &table, const QString &column);
} // namespace GridSql
