#pragma once

#include "unitsconverter.h"

#include <QString>

namespace Unitsconverter {

// The error text for a source value that is zero or negative.
QString NonPositiveValueMessage();

// One "OBLICZ": what the window and the command line both do with the typed source text.
struct TCalculation
{
    double SrcValue = 0;     // the parsed source value
    QString SrcText;         // the source field's new text (the parsed value, then the converted one)
    bool Accepted = false;   // false: the value is zero or negative, nothing was converted
    TUnitsConversion Conversion;
    QString DstText;         // the destination field's new text; "0" when not accepted
};

// Parses srcText, rejects values <= 0, converts between the two units and formats both values.
// Raises EConvertError from the number reader and for a value or result beyond double range,
// EUnitsConverterRes (Polish text) for a missing unit or a destination unit of size 0.
TCalculation Calculate(const TUnitsConverter &converter, const QString &srcText, TUnit *src, TUnit *dst);

// "1 imp. gal = 4,54609 l": the short labels and the factor between two units;
// "?" in place of the factor when the destination has size 0.
QString UnitsRelationText(const TUnit &src, const TUnit &dst);

} // namespace Unitsconverter
