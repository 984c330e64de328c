// Unit tables from arbitrary bytes: a bad table must raise EUnitsConverterRes and nothing else.
#include "fuzzerfolder.h"

#include "unitsconverter.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

using namespace Unitsconverter;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    LoadStrConvBesideFuzzer();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TUnitsConverter converter;
    try {
        converter.LoadFromText(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    } catch (const EUnitsConverterRes &) {
    }
    // Whatever was kept, also after a failed check, is a valid table.
    QSet<QString> sysIds;
    for (TUnit *unit : *converter.Units) {
        Check(!unit->SysId.isEmpty());
        Check(unit->Names.Count() > 0);
        Check(!sysIds.contains(unit->SysId.toLower()));
        sysIds.insert(unit->SysId.toLower());
        Check(converter.Units->FindBySysId(unit->SysId.toUpper()) == unit
              || unit->SysId.toUpper().toLower() != unit->SysId.toLower());
        unit->GetDisplayName();
        unit->GetShortLabel();
        TUnitsConversion conversion;
        conversion.SrcUnit = unit;
        conversion.DstUnit = converter.Units->Items(0);
        conversion.SrcValue = 1;
        converter.Convert(conversion);
    }
    return 0;
}
