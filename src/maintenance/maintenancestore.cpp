#include "maintenancestore.h"

#include "common/clock.h"
#include "data/schema.h"
#include "data/sql.h"

namespace MaintenanceStore {

void deleteHistoryBefore(const QDate &day)
{
    // Dates are stored yyyy-MM-dd, so text order is date order.
    const QString before = Clock::dateText(day);
    Sql::exec(QStringLiteral("delete from 挂失记录 where 日期 < ?"), {before});
    Sql::exec(QStringLiteral("delete from 口头挂失记录 where 口头挂失日期 < ?"), {before});
    Sql::exec(QStringLiteral("delete from 流水记录 where 日期 < ?"), {before});
}

void initialise()
{
    // Stopping half-way could leave the table of operators empty, and nobody could log in.
    TransactionGuard transaction;
    for (const QString &statement : Schema::initialisationStatements())
        Sql::exec(statement);
    transaction.commit();
}

void zeroAllPoints()
{
    Sql::exec(QStringLiteral("update 会员卡信息 set 积分 = 0"));
}

} // namespace MaintenanceStore
