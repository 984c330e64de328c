#include "conversioncalculation.h"

#include "numbertext.h"

#include <cmath>

namespace Unitsconverter {

QString NonPositiveValueMessage()
{
    return QStringLiteral("Należy podać prawidłową dodatnią wartość źródłową.");
}

TCalculation Calculate(const TUnitsConverter &converter, const QString &srcText, TUnit *src, TUnit *dst)
{
    TCalculation calculation;
    calculation.SrcValue = static_cast<double>(ParseNumber(srcText));
    calculation.SrcText = FormatNumber(calculation.SrcValue, -1);
    if (calculation.SrcValue <= 0) {
        calculation.DstText = FormatNumber(0, 0);
        return calculation;
    }
    if (!std::isfinite(calculation.SrcValue))
        throw EConvertError(QStringLiteral("Wartość źródłowa jest zbyt duża."));
    if (!src || !dst)
        throw EUnitsConverterRes(QStringLiteral("Należy wybrać jednostkę źródłową i docelową."));
    // Dividing by a zero unit size would give infinity; the table is at fault, not the user.
    if (dst->BaseUnits == 0)
        throw EUnitsConverterRes(
            QStringLiteral("Nie można przeliczyć na jednostkę \u201E%1\u201D: jej wielkość w tabeli jednostek wynosi 0.")
                .arg(dst->GetDisplayName()));

    calculation.Conversion.SrcUnit = src;
    calculation.Conversion.DstUnit = dst;
    calculation.Conversion.SrcValue = calculation.SrcValue;
    converter.Convert(calculation.Conversion);
    const double dstValue = static_cast<double>(calculation.Conversion.DstValue);
    if (!std::isfinite(dstValue))
        throw EConvertError(QStringLiteral("Wynik przeliczenia jest zbyt duży."));

    calculation.Accepted = true;
    calculation.SrcText = FormatNumber(static_cast<double>(calculation.Conversion.SrcValue), -1);
    calculation.DstText = FormatNumber(dstValue, -1);
    return calculation;
}

QString UnitsRelationText(const TUnit &src, const TUnit &dst)
{
    const double factor = dst.BaseUnits == 0 ? 0 : static_cast<double>(src.BaseUnits / dst.BaseUnits);
    // No factor exists for a destination of size 0 (or one beyond double range): say so, not "INF".
    const QString factorText = dst.BaseUnits == 0 || !std::isfinite(factor) ? QStringLiteral("?")
                                                                            : FormatNumber(factor, -1);
    return QStringLiteral("1 ") + src.GetShortLabel() + QStringLiteral(" = ") + factorText
           + QLatin1Char(' ') + dst.GetShortLabel();
}

} // namespace Unitsconverter
