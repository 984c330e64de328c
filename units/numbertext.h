#pragma once

#include <QString>

// Number text in the user's regional format; QLocale() is read at every call.

// decimals < 0: general format, 15 significant digits ("45,4609", "1E-5");
// decimals >= 0: fixed with thousands separators and that many decimals (at most 18).
// Exact halves round away from zero; infinities and NaN are written "INF", "-INF", "NAN".
QString FormatNumber(double value, int decimals);
// Forgiving reader: drops every character that cannot belong to a number.
// Raises EConvertError "'%s' is not a valid integer value" for a digit group that is not an int64.
long double ParseNumber(const QString &text);
QString CleanNumberText(const QString &text);
QString DigitsOnly(const QString &text);
qint64 DigitsToInt64(const QString &text);
