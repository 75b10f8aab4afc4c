#include "recordstore.h"

#include "common/clock.h"
#include "gridsql.h"

namespace RecordStore {

Statement filtered(const QString &table, const Filter &filter)
{
    const QString from = QStringLiteral("select * from ") + GridSql::quoteName(table);
    const QString column = GridSql::quoteName(filter.column) + QStringLiteral(" = ?");
    const QString dates = QStringLiteral("日期 between ? and ?");
    const QString d1 = Clock::dateText(filter.from);
    const QString d2 = Clock::dateText(filter.to);
    if (filter.allDates && filter.allMembers)
        return { from, {} };
    if (filter.allDates)
        return { from + QStringLiteral(" where ") + column, { filter.value } };
    if (filter.allMembers)
        return { from + QStringLiteral(" where ") + dates, { d1, d2 } };
    return { from + QStringLiteral(" where (") + column + QStringLiteral(") and (") + dates
                 + QLatin1Char(')'),
             { filter.value, d1, d2 } };
}

} // namespace RecordStore
