#include "numbertext.h"

#include "exception.h"

#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// The first character of the locale's decimal separator; Qt may give a longer string.
QChar DecimalSeparator(const QLocale &locale)
{
    const QString separator = locale.decimalPoint();
    return separator.isEmpty() ? QChar(u'.') : separator.at(0);
}

// ---- Writing numbers -------------------------------------------------------------------------

constexpr int SignificantDigits = 15;
constexpr int MaxDecimals = 18;

// True when a (finite, > 0) lies exactly halfway between two numbers with p decimals
// (p < 0: rounding to 10^-p). Such ties are rounded away from zero, as on a calculator.
bool IsHalfway(double a, int p)
{
    const auto bits = std::bit_cast<std::uint64_t>(a);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t(1) << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        mantissa |= std::uint64_t(1) << 52;
        exponent = biased - 1075;
    }
    const int zeros = std::countr_zero(mantissa);
    mantissa >>= zeros;
    exponent += zeros;
    // a * 10^p = odd * 5^p * 2^(exponent + p) is a half-integer only when the power of two is -1.
    if (p >= 0)
        return exponent + p == -1;
    const int q = -p;
    if (q > 22)
        return false;
    std::uint64_t five = 1;
    for (int i = 0; i < q; ++i)
        five *= 5;
    return mantissa % five == 0 && exponent - q + 1 == 0;
}

// |value| rounded to 15 significant digits: value = 0.d1d2... x 10^Exponent, trailing zeros dropped.
struct TDecimal
{
    char Digits[SignificantDigits];
    int Count = 0;
    int Exponent = 0;
};

TDecimal RoundToSignificant(double magnitude)
{
    char text[40];
    auto scientific = [&text](double a) {
        const auto result = std::to_chars(text, text + sizeof text, a, std::chars_format::scientific,
                                          SignificantDigits - 1);
        return result.ptr;
    };
    char *end = scientific(magnitude);
    // "d.dddddddddddddde-XX"
    const char *e = std::find(static_cast<const char *>(text), static_cast<const char *>(end), 'e');
    int exponent = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, end, exponent);
    if (IsHalfway(magnitude, SignificantDigits - (exponent + 1))) {
        end = scientific(std::nextafter(magnitude, std::numeric_limits<double>::infinity()));
        e = std::find(static_cast<const char *>(text), static_cast<const char *>(end), 'e');
        std::from_chars(e[1] == '+' ? e + 2 : e + 1, end, exponent);
    }
    TDecimal decimal;
    decimal.Exponent = exponent + 1;
    decimal.Digits[decimal.Count++] = text[0];
    for (const char *p = text + 2; p < e; ++p)
        decimal.Digits[decimal.Count++] = *p;
    while (decimal.Count > 1 && decimal.Digits[decimal.Count - 1] == '0')
        --decimal.Count;
    return decimal;
}

QString SpecialValueText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString GeneralFormat(double value, QChar separator)
{
    if (!std::isfinite(value))
        return SpecialValueText(value);
    if (value == 0)
        return QStringLiteral("0");
    const TDecimal d = RoundToSignificant(std::fabs(value));
    QString text;
    text.reserve(d.Count + 8);
    if (value < 0)
        text += u'-';
    if (d.Exponent >= -3 && d.Exponent <= SignificantDigits) {
        if (d.Exponent > 0) {
            for (int i = 0; i < d.Exponent; ++i)
                text += QLatin1Char(i < d.Count ? d.Digits[i] : '0');
            if (d.Count > d.Exponent) {
                text += separator;
                text += QLatin1String(d.Digits + d.Exponent, d.Count - d.Exponent);
            }
        } else {
            text += u'0';
            text += separator;
            for (int i = 0; i < -d.Exponent; ++i)
                text += u'0';
            text += QLatin1String(d.Digits, d.Count);
        }
    } else {
        text += QLatin1Char(d.Digits[0]);
        if (d.Count > 1) {
            text += separator;
            text += QLatin1String(d.Digits + 1, d.Count - 1);
        }
        text += u'E';
        char exponent[8];
        const auto written = std::to_chars(exponent, exponent + sizeof exponent, d.Exponent - 1);
        text += QLatin1String(exponent, written.ptr - exponent);
    }
    return text;
}

QString NumberFormat(double value, int decimals, const QLocale &locale, QChar separator)
{
    if (!std::isfinite(value))
        return SpecialValueText(value);
    decimals = std::min(decimals, MaxDecimals);
    const double magnitude = std::fabs(value);
    const TDecimal rounded = magnitude != 0 ? RoundToSignificant(magnitude) : TDecimal();
    // More than 15 digits before the decimal point do not fit the number format.
    if (rounded.Exponent > SignificantDigits)
        return GeneralFormat(value, separator);

    char digits[64];
    int intCount = 0; // digits before the decimal point; `decimals` digits follow them
    if (magnitude != 0 && rounded.Exponent + decimals >= SignificantDigits) {
        // 15 significant digits reach the last decimal: write them and pad with zeros.
        intCount = std::max(rounded.Exponent, 1);
        for (int i = 0; i < intCount + decimals; ++i) {
            const int position = i - (intCount - rounded.Exponent);
            digits[i] = position >= 0 && position < rounded.Count ? rounded.Digits[position] : '0';
        }
    } else {
        // Fewer digits than 15: round once at the last decimal.
        char fixed[64];
        const double a = magnitude != 0 && IsHalfway(magnitude, decimals)
                             ? std::nextafter(magnitude, std::numeric_limits<double>::infinity())
                             : magnitude;
        const auto result = std::to_chars(fixed, fixed + sizeof fixed, a, std::chars_format::fixed, decimals);
        int count = 0;
        for (const char *p = fixed; p < result.ptr; ++p) {
            if (*p == '.')
                intCount = count;
            else
                digits[count++] = *p;
        }
        if (decimals == 0)
            intCount = count;
    }
    bool allZero = true;
    for (int i = 0; i < intCount + decimals; ++i)
        allZero = allZero && digits[i] == '0';

    const QString group = locale.groupSeparator();
    QString text;
    text.reserve(intCount + decimals + intCount / 3 * group.size() + 4);
    // A value that rounds to zero is written without a sign.
    if (value < 0 && !allZero)
        text += u'-';
    for (int i = 0; i < intCount; ++i) {
        if (i > 0 && (intCount - i) % 3 == 0)
            text += group;
        text += QLatin1Char(digits[i]);
    }
    if (decimals > 0) {
        text += separator;
        text += QLatin1String(digits + intCount, decimals);
    }
    return text;
}

// ---- Reading numbers -------------------------------------------------------------------------

// The kept characters of a number text, with '.' standing for the locale's decimal separator.
using TCleanText = QVarLengthArray<char, 64>;
constexpr char CleanSeparator = '.';

QChar LowerCase(QChar c)
{
    if (c.unicode() < 128)
        return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
    return c.toLower();
}

void Clean(QStringView text, QChar separator, TCleanText &kept)
{
    for (const QChar raw : text) {
        const QChar c = LowerCase(raw);
        if (c == separator)
            kept.append(CleanSeparator);
        else if (c == u'-' || c == u'e' || (c >= u'0' && c <= u'9'))
            kept.append(static_cast<char>(c.unicode()));
    }
}

char16_t CodeUnit(char c) { return static_cast<unsigned char>(c); }
char16_t CodeUnit(QChar c) { return c.unicode(); }

template <typename Char>
QString KeptDigits(const Char *first, const Char *last)
{
    QString kept;
    for (const Char *p = first; p < last; ++p) {
        const char16_t c = CodeUnit(*p);
        if ((c >= u'0' && c <= u'9') || (c == u'-' && kept.isEmpty()))
            kept += QChar(c);
    }
    return kept;
}

// DigitsToInt64 over a range of characters, without building the kept text unless it is wrong.
template <typename Char>
qint64 RangeToInt64(const Char *first, const Char *last)
{
    bool negative = false;
    bool anyKept = false;
    bool anyDigit = false;
    bool overflow = false;
    std::uint64_t magnitude = 0;
    constexpr std::uint64_t maxPositive = std::numeric_limits<qint64>::max();
    for (const Char *p = first; p < last; ++p) {
        const char16_t c = CodeUnit(*p);
        if (c >= u'0' && c <= u'9') {
            anyKept = anyDigit = true;
            const std::uint64_t digit = c - u'0';
            const std::uint64_t limit = maxPositive + (negative ? 1 : 0);
            if (magnitude > (limit - digit) / 10)
                overflow = true;
            else
                magnitude = magnitude * 10 + digit;
        } else if (c == u'-' && !anyKept) {
            anyKept = negative = true;
        }
    }
    if (!anyKept)
        return 0;
    if (!anyDigit || overflow)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(KeptDigits(first, last)));
    if (negative)
        return magnitude == maxPositive + 1 ? std::numeric_limits<qint64>::min()
                                            : -static_cast<qint64>(magnitude);
    return static_cast<qint64>(magnitude);
}

// 10^k in extended precision; exact for 0 <= k <= 27.
long double PowerOfTen(qint64 k)
{
    static constexpr auto exact = [] {
        std::array<long double, 28> powers{};
        long double p = 1;
        for (auto &power : powers) {
            power = p;
            p *= 10;
        }
        return powers;
    }();
    if (k >= 0 && k < static_cast<qint64>(exact.size()))
        return exact[static_cast<std::size_t>(k)];
    if (k < 0 && k > -static_cast<qint64>(exact.size()))
        return 1.0L / exact[static_cast<std::size_t>(-k)];
    return std::pow(10.0L, static_cast<long double>(k));
}

} // namespace

QString FormatNumber(double value, int decimals)
{
    const QLocale locale;
    const QChar separator = DecimalSeparator(locale);
    if (decimals < 0)
        return GeneralFormat(value, separator);
    return NumberFormat(value, decimals, locale, separator);
}

QString CleanNumberText(const QString &text)
{
    const QChar separator = DecimalSeparator(QLocale());
    TCleanText kept;
    Clean(text, separator, kept);
    QString result;
    result.reserve(kept.size());
    for (const char c : kept)
        result += c == CleanSeparator ? separator : QChar(c);
    return result;
}

QString DigitsOnly(const QString &text)
{
    return KeptDigits(text.constData(), text.constData() + text.size());
}

qint64 DigitsToInt64(const QString &text)
{
    return RangeToInt64(text.constData(), text.constData() + text.size());
}

long double ParseNumber(const QString &text)
{
    TCleanText s;
    Clean(text, DecimalSeparator(QLocale()), s);
    const char *first = s.constData();
    const char *last = first + s.size();
    if (first == last)
        return 0;
    bool negative = false;
    if (*first == '-') {
        negative = true;
        ++first;
        if (first == last)
            return 0;
    }
    const char *exponent = std::find(first, last, 'e');
    const char *mantissaEnd = exponent;
    if (exponent != last)
        ++exponent;
    const char *point = std::find(first, mantissaEnd, CleanSeparator);

    double value = 0;
    if (point > first)
        value = static_cast<double>(RangeToInt64(first, point));
    if (point != mantissaEnd && point + 1 < mantissaEnd) {
        // Every character of the fraction counts for the power of ten, kept or not.
        const qint64 fraction = RangeToInt64(point + 1, mantissaEnd);
        const long double scaled = static_cast<long double>(fraction) / PowerOfTen(mantissaEnd - point - 1);
        value = static_cast<double>(scaled + static_cast<long double>(value));
    }
    if (exponent < last) {
        const qint64 k = RangeToInt64(exponent, last);
        // Zero stays zero: 0 x 10^huge would give NaN.
        if (value != 0)
            value = static_cast<double>(PowerOfTen(k) * static_cast<long double>(value));
    }
    return negative ? -value : value;
}
