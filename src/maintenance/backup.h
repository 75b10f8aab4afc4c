#pragma once

#include <QString>

class Shell;

// A byte-for-byte copy of the database, replacing the target. Refused while a transaction is
// open; outside one the journal mode keeps the whole database in the file itself.
bool CopyDatabase(const QString &target);

// backup/yyyy-MM-dd.bak beside the program, for today.
QString DailyBackupPath();

// Run while the main window closes: today's copy of the database, then the offer of a
// manual backup (the menu command "数据备份", so only for operators allowed to back up).
void ExitBackup(Shell *shell);

// The name the manual backup's save dialog proposes: today's date as the program started,
// then the name chosen last.
QString ManualBackupName();
// Program start: the proposal becomes today's date.
void PresetManualBackupName();

// "数据备份": a copy of the database under a chosen name with ".bak" appended.
void ManualBackup();

inline const QString BackupFilter = QStringLiteral("BAK文件|*.BAK|所有文件|*.*");
