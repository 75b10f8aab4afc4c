#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Today and now, fixed by tests. Dates are stored "yyyy-MM-dd" and times "HH:mm:ss",
// so text order is time order.
namespace Clock {
QDateTime now();
QDate today();
// An invalid value lets the real clock run again.
void setFixed(const QDateTime &moment);

QString dateText(const QDate &date);
QString timeText(const QTime &time);
inline QString todayText() { return dateText(today()); }
inline QString nowTimeText() { return timeText(now().time()); }
} // namespace Clock
