#include "pointsmath.h"

#include "common/numtext.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>

namespace {

constexpr long double TooLarge = 1e15L;

} // namespace

QString ExtendedText(long double value)
{
    if (!std::isfinite(value))
        return NumberText(double(value));
    // Any decimal of 15 significant digits survives the trip through a double, so the
    // general conversion of that double writes exactly these digits.
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    double rounded = 0;
    std::from_chars(buf, written.ptr, rounded);
    return NumberText(rounded);
}

std::optional<long double> ReadExtended(const QString &text)
{
    const QString t = text.trimmed();
    // [-]digits[.digits][E[-]digits]: what is typed, and what the general conversion writes.
    qsizetype i = 0;
    if (i < t.size() && t.at(i) == QLatin1Char('-'))
        ++i;
    int digits = 0;
    int points = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c == QLatin1Char('.'))
            ++points;
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else
            break;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    if (i < t.size() && t.at(i) == QLatin1Char('E')) {
        ++i;
        if (i < t.size() && t.at(i) == QLatin1Char('-'))
            ++i;
        const qsizetype exponentStart = i;
        while (i < t.size() && t.at(i) >= QLatin1Char('0') && t.at(i) <= QLatin1Char('9'))
            ++i;
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    // Independent of the process locale, which may write decimals with a comma.
    const QByteArray latin = t.toLatin1();
    const char *first = latin.constData();
    const char *last = first + latin.size();
    long double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value) || std::fabs(value) >= TooLarge)
        return std::nullopt;
    return value;
}

QString NotANumberMessage(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QStringLiteral("数值不能为空！");
    static const QRegularExpression plain(QStringLiteral("^\\s*[0-9]*\\.?[0-9]*\\s*$"));
    if (plain.match(text).hasMatch())
        return QStringLiteral("“%1”数值太大，不能计算！").arg(text);
    return QStringLiteral("“%1”不是有效的数值！").arg(text);
}

long double DiscountedAmount(long double discountPercent, long double amount)
{
    return discountPercent / 100.0L * amount;
}

double RoundTwoDecimals(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e13)
        return value;
    if (value < 0)
        return -RoundTwoDecimals(-value);

    const double whole = std::trunc(value);
    const double fraction = value - whole;
    // Below 0.00001 the general conversion would switch to an exponent; such a fraction has
    // a zero third decimal anyway.
    if (fraction < 0.00001)
        return whole;
    const QString written = NumberText(fraction); // "0.125", "0.5", "1"
    qint64 cents = qint64(whole) * 100;
    const qsizetype point = written.indexOf(QLatin1Char('.'));
    if (point < 0) {
        cents += written.toLongLong() * 100;
    } else {
        const QString decimals = written.mid(point + 1);
        const auto digit = [&decimals](int i) { return i < decimals.size() ? decimals.at(i).unicode() - '0' : 0; };
        cents += digit(0) * 10 + digit(1);
        if (decimals.size() > 2 && digit(2) >= 5)
            cents += 1;
    }
    // Exact integer over 100: the double nearest the decimal result, as if it were typed.
    return double(cents) / 100.0;
}
