// Number text from arbitrary bytes, in a comma and a point locale.
#include "fuzzerfolder.h"

#include "exception.h"
#include "numbertext.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void ParseIn(const QLocale &locale, const QString &text)
{
    QLocale::setDefault(locale);
    long double value;
    try {
        value = ParseNumber(text);
    } catch (const EConvertError &) {
        return;
    }
    const double number = static_cast<double>(value);
    Check(!std::isnan(number));
    Check(static_cast<long double>(number) == value);
    // Within the normal range the shown text reads back to the same shown text.
    const QString shown = FormatNumber(number, -1);
    if (number == 0 || (std::fabs(number) > 1e-290 && std::fabs(number) < 1e300)) {
        const double reread = static_cast<double>(ParseNumber(shown));
        Check(FormatNumber(reread, -1) == shown);
    }
    FormatNumber(number, 2);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    LoadStrConvBesideFuzzer();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ParseIn(QLocale(QLocale::Polish, QLocale::Poland), text);
    ParseIn(QLocale::c(), text);
    return 0;
}
