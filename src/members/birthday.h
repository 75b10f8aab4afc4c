#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The birthday key searched by the reminder: month and day without leading zeros, "3-6".
QString BirthdayKey(const QDate &date);
// The keys of `days` calendar days from `first` on, across month and year ends.
QStringList BirthdayKeys(const QDate &first, int days);

// The date of birth inside an identity number: characters 7-14 of an 18-character number,
// characters 7-12 of a 15-character one (two-digit year, century window of 50 around
// currentYear). Other lengths carry no birthday.
struct IdBirthday
{
    enum Outcome { NoBirthday, Valid, Invalid };
    Outcome outcome = NoBirthday;
    QDate date;          // set when Valid
    QString dateText;    // the date part as it stands in the number, joined by "-"
};

IdBirthday BirthdayFromIdNumber(const QString &idNumber, int currentYear);
