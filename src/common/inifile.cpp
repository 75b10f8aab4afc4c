#include "inifile.h"

#include "basefolder.h"
#include "gbk.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

QStringList readLines(const QString &path, bool *exists = nullptr)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (exists)
            *exists = false;
        return {};
    }
    if (exists)
        *exists = true;
    QString text = Gbk::decode(f.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text.split(QLatin1Char('\n'));
}

bool isSectionLine(const QString &line, QString *name)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// Splits "key=value"; comments and lines without "=" are not pairs.
bool keyValue(const QString &line, QString *key, QString *value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *key = t.left(eq).trimmed();
    *value = t.mid(eq + 1).trimmed();
    // Windows strips one pair of surrounding quotes.
    if (value->size() >= 2
        && ((value->startsWith(QLatin1Char('"')) && value->endsWith(QLatin1Char('"')))
            || (value->startsWith(QLatin1Char('\'')) && value->endsWith(QLatin1Char('\'')))))
        *value = value->mid(1, value->size() - 2);
    return true;
}

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    QString current, name, k, v;
    bool inSection = false;
    for (const QString &line : readLines(m_path)) {
        if (isSectionLine(line, &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && keyValue(line, &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    }
    return def;
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    bool ok = false;
    const QString text = readString(section, key, QString());
    const qlonglong n = text.toLongLong(&ok);
    if (!ok) {
        // Windows also takes hexadecimal written "0x1F".
        if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
            const qlonglong hex = text.mid(2).toLongLong(&ok, 16);
            if (ok)
                return hex != 0;
        }
        return def;
    }
    return n != 0;
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    bool exists = false;
    QStringList lines = readLines(m_path, &exists);
    if (exists && !lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (!exists && QFile::exists(m_path))
        return false; // there but unreadable: never overwrite what we could not read

    // A value is one line; line breaks would split it into garbage lines.
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QString());

    const QString entry = key + QLatin1Char('=') + clean;
    qsizetype sectionStart = -1, sectionEnd = -1, keyLine = -1;
    QString name, k, v;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isSectionLine(lines[i], &name)) {
            if (sectionStart >= 0 && sectionEnd < 0)
                sectionEnd = i;
            if (sectionStart < 0 && name.compare(section, Qt::CaseInsensitive) == 0)
                sectionStart = i;
            continue;
        }
        if (sectionStart >= 0 && sectionEnd < 0 && keyLine < 0 && keyValue(lines[i], &k, &v)
            && k.compare(key, Qt::CaseInsensitive) == 0)
            keyLine = i;
    }
    if (keyLine >= 0) {
        lines[keyLine] = entry;
    } else if (sectionStart >= 0) {
        qsizetype at = sectionEnd < 0 ? lines.size() : sectionEnd;
        while (at > sectionStart + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, entry);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    }

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Gbk::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    if (out.write(bytes) != bytes.size())
        return false;
    return out.commit();
}

bool IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

namespace AppSettings {

IniFile file()
{
    return IniFile(BaseFolder::iniPath());
}

QString readString(const QString &key, const QString &def)
{
    return file().readString(section, key, def);
}

bool readBool(const QString &key, bool def)
{
    return file().readBool(section, key, def);
}

bool writeString(const QString &key, const QString &value)
{
    return file().writeString(section, key, value);
}

bool writeBool(const QString &key, bool value)
{
    return file().writeBool(section, key, value);
}

} // namespace AppSettings
