#include "digitfilter.h"

DigitFilter::DigitFilter(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State DigitFilter::validate(QString &input, int &) const
{
    for (const QChar c : std::as_const(input))
        if (!(c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))))
            return Invalid;
    return Acceptable;
}
