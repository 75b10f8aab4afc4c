#include "historystore.h"

#include "records/gridsql.h"

namespace HistoryStore {

RecordStore::Statement all(const QString &table)
{
    return { QStringLiteral("select * from ") + GridSql::quoteName(table), {} };
}

RecordStore::Statement equal(const QString &table, const QString &column, const QString &value)
{
    return { QStringLiteral("select * from %1 where %2 = ?")
                 .arg(GridSql::quoteName(table), GridSql::quoteName(column)),
             { value } };
}

} // namespace HistoryStore
