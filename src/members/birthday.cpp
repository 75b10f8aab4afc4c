#include "birthday.h"

namespace {

bool allDigits(const QString &text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !text.isEmpty();
}

// Two-digit years fall between 50 years before and 49 years after the current year.
int expandYear(int twoDigits, int currentYear)
{
    const int base = currentYear - 50;
    int year = base / 100 * 100 + twoDigits;
    if (year < base)
        year += 100;
    return year;
}

} // namespace

QString BirthdayKey(const QDate &date)
{
    return QStringLiteral("%1-%2").arg(date.month()).arg(date.day());
}

QStringList BirthdayKeys(const QDate &first, int days)
{
    QStringList keys;
    for (int i = 0; i < days; ++i)
        keys << BirthdayKey(first.addDays(i));
    return keys;
}

IdBirthday BirthdayFromIdNumber(const QString &idNumber, int currentYear)
{
    IdBirthday result;
    QString year, month, day;
    if (idNumber.size() == 18) {
        year = idNumber.mid(6, 4);
        month = idNumber.mid(10, 2);
        day = idNumber.mid(12, 2);
    } else if (idNumber.size() == 15) {
        year = idNumber.mid(6, 2);
        month = idNumber.mid(8, 2);
        day = idNumber.mid(10, 2);
    } else {
        return result;
    }
    result.dateText = year + QLatin1Char('-') + month + QLatin1Char('-') + day;
    result.outcome = IdBirthday::Invalid;
    if (!allDigits(year) || !allDigits(month) || !allDigits(day))
        return result;
    int y = year.toInt();
    if (year.size() == 2)
        y = expandYear(y, currentYear);
    const QDate date(y, month.toInt(), day.toInt());
    if (y < 1 || !date.isValid())
        return result;
    result.outcome = IdBirthday::Valid;
    result.date = date;
    return result;
}
