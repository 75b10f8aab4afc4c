#pragma once

#include <QDate>

// The statements of the destructive maintenance commands. Throw DbError.
namespace MaintenanceStore {

// Replacement, verbal loss and journal rows dated before the day; that day's rows stay.
// Consumption rows and members' points are left alone.
void deleteHistoryBefore(const QDate &day);
// Back to the reference content of a new database (团队 untouched), all or nothing.
void initialise();
void zeroAllPoints();

} // namespace MaintenanceStore
