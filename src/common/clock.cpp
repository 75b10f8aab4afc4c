#include "clock.h"

namespace {
QDateTime fixedMoment;
}

namespace Clock {

QDateTime now()
{
    return fixedMoment.isValid() ? fixedMoment : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

void setFixed(const QDateTime &moment)
{
    fixedMoment = moment;
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace Clock
