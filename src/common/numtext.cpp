#include "numtext.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <cstdlib>

QString NumberText(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral("0");

    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    // buf: [-]d.ddddddddddddddde[+-]xx
    const char *p = buf;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    QByteArray digits;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    QByteArray out;
    if (negative)
        out += '-';
    if (exponent < -5 || exponent >= 15) {
        out += digits.at(0);
        if (digits.size() > 1)
            out += '.' + digits.mid(1);
        out += 'E';
        out += QByteArray::number(exponent);
    } else if (exponent < 0) {
        out += "0." + QByteArray(-exponent - 1, '0') + digits;
    } else {
        const int intDigits = exponent + 1;
        if (digits.size() <= intDigits) {
            out += digits + QByteArray(intDigits - digits.size(), '0');
        } else {
            out += digits.left(intDigits) + '.' + digits.mid(intDigits);
        }
    }
    return QString::fromLatin1(out);
}

double TextNumber(const QString &text, bool *ok)
{
    const QString t = text.trimmed();
    bool good = false;
    double v = 0;
    // Only plain decimal notation: digits with at most one point and an optional sign.
    static const auto plain = [](const QString &s) {
        int points = 0, digits = 0;
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s.at(i);
            if (c == QLatin1Char('.')) {
                if (++points > 1)
                    return false;
            } else if (c.isDigit() && c.unicode() < 128) {
                ++digits;
            } else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && i == 0) {
            } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && digits > 0) {
                // exponent part: the rest must be an optionally signed integer
                const QString rest = s.mid(i + 1);
                bool intOk = false;
                rest.toInt(&intOk);
                return intOk;
            } else {
                return false;
            }
        }
        return digits > 0;
    };
    if (plain(t)) {
        v = QLocale::c().toDouble(t, &good);
        if (good && !std::isfinite(v))
            good = false;
    }
    if (ok)
        *ok = good;
    return good ? v : 0.0;
}
