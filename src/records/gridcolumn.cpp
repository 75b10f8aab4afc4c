#include "gridcolumn.h"

#include "data/sql.h"

#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <QTime>

namespace {

QString timeText(const QString &text)
{
    for (const char *format : { "H:mm:ss", "H:mm", "H:mm:ss.zzz" }) {
        const QTime t = QTime::fromString(text, QLatin1String(format));
        if (t.isValid())
            return t.toString(QStringLiteral("HH:mm:ss"));
    }
    const QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
    if (dt.isValid())
        return dt.time().toString(QStringLiteral("HH:mm:ss"));
    return text;
}

QString dateText(const QString &text)
{
    if (QDate::fromString(text, QStringLiteral("yyyy-MM-dd")).isValid())
        return text;
    const QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
    if (dt.isValid())
        return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
    return text;
}

} // namespace

QString CellText(const QVariant &value, CellFormat format)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (format) {
    case CellFormat::Plain:
        return Sql::text(value);
    case CellFormat::Time:
        return timeText(Sql::text(value));
    case CellFormat::Date:
        return dateText(Sql::text(value));
    case CellFormat::Boolean:
        return Sql::isTrue(value) ? QStringLiteral("是") : QStringLiteral("否");
    }
    return Sql::text(value);
}

bool IsNumberValue(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return false;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}
