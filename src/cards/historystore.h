#pragma once

#include "records/recordstore.h"

#include <QString>

// The statements of the replacement and verbal loss history windows.
namespace HistoryStore {
// Every row of the table.
RecordStore::Statement all(const QString &table);
// Rows whose column equals the value exactly; column checked by the caller.
RecordStore::Statement equal(const QString &table, const QString &column, const QString &value);
} // namespace HistoryStore
