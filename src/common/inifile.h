#pragma once

#include <QString>

// A Windows-style INI file in GBK. Every read opens the file, takes one key and closes it;
// a missing file or key gives the caller's default.
class IniFile
{
public:
    explicit IniFile(QString path);

    QString readString(const QString &section, const QString &key, const QString &def) const;
    // "1" and any other whole number but 0 read as yes; text that is no whole number gives def.
    bool readBool(const QString &section, const QString &key, bool def) const;

    // Rewrites the file with the key set, keeping every other line. False when it cannot be written.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeBool(const QString &section, const QString &key, bool value);

    const QString &path() const { return m_path; }

private:
    QString m_path;
};

// The program's own settings: myini.ini beside the executable, section 程序参数.
namespace AppSettings {
inline const QString section = QStringLiteral("程序参数");
IniFile file();
QString readString(const QString &key, const QString &def);
bool readBool(const QString &key, bool def);
bool writeString(const QString &key, const QString &value);
bool writeBool(const QString &key, bool value);
} // namespace AppSettings
