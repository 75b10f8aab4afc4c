#pragma once

#include <QString>

class Shell;

// backup/yyyy-MM-dd.bak beside the program, for today.
QString DailyBackupPath();

// Run while the main window closes: today's copy of the database, then the offer of a
// manual backup (the menu command "数据备份", so only for operators allowed to back up).
void ExitBackup(Shell *shell);
