#pragma once

#include <QString>

// The one way a number becomes text anywhere in the program (fields, grid cells, receipts):
// at most 15 significant digits, "." as decimal point, no trailing zeros, and no exponent
// from 0.00001 up to below 1e15, so float noise like 0.30000000000000004 never shows.
QString NumberText(double value);

// Reads a number the way the windows hold them; blanks around it are allowed.
// Empty text, letters, two points and the like give ok == false and 0.
double TextNumber(const QString &text, bool *ok = nullptr);
