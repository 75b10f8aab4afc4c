#pragma once

#include <QString>

// The program's folder: the executable's directory unless a test or tool points elsewhere.
// Database, settings, pictures, manual and backups all live below it.
namespace BaseFolder {
QString path();
void setPath(const QString &folder); // empty restores the executable's folder

QString file(const QString &relative);
inline QString databasePath() { return file(QStringLiteral("database/database.mdb")); }
inline QString iniPath() { return file(QStringLiteral("myini.ini")); }
inline QString backupFolder() { return file(QStringLiteral("backup")); }
inline QString defaultPicture() { return file(QStringLiteral("image/海岸.jpg")); }
inline QString helpPath() { return file(QStringLiteral("help.html")); }
} // namespace BaseFolder
