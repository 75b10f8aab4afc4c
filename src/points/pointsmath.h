#pragma once

#include <QString>

#include <optional>

// The arithmetic of the purchase and returns windows. Their amounts, discounts and points
// are held as text (NumberText); values read back from text are worked on in extended
// precision (long double is 80-bit here) and rounded to double where a rule says so.

// Half up to two decimals, decided on the decimal digits of the fraction as the general
// conversion writes it: 3.125 gives 3.13, 1.005 (0.00499999999999989 as a fraction) gives 1,
// 12.345 (0.345000000000001) gives 12.35. Negative values round their magnitude.
double RoundTwoDecimals(double value);

// An extended value through the general conversion (15 significant digits).
QString ExtendedText(long double value);

// Reads a number the windows hold as text: plain digits with at most one point (blanks
// around it allowed). Nothing for empty text, two points, letters, and values of 1e15 and
// above, which no amount of money reaches and the conversion could not show exactly.
std::optional<long double> ReadExtended(const QString &text);

// The message for a text ReadExtended refused.
QString NotANumberMessage(const QString &text);

// The discount rule: discount ÷ 100 × amount, not rounded (95 % of 33.33 is 31.6635).
long double DiscountedAmount(long double discountPercent, long double amount);
