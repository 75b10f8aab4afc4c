#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// A prepared, executed query that a grid model can scroll and fetch from as the rows are
// needed (Sql::exec gives forward-only queries). Throws DbError.
QSqlQuery ScrollableQuery(const QString &statement, const QVariantList &values = {});
