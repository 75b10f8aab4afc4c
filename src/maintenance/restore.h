#pragma once

#include <QString>

// "数据恢复": puts a chosen backup in place of the database and ends the program, so the
// next start works on the restored file. A file that is no database of this program is
// refused before anything changes, and the database in use is kept in backup/ first.
void RestoreDatabase();

// backup/恢复前备份_yyyy-MM-dd_HHmmss.bak: the database as it was before a restore.
QString PreRestoreBackupPath();
