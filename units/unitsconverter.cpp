#include "unitsconverter.h"

#include "languages.h"
#include "strconv.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>

#include <jansson.h>

namespace Unitsconverter {

namespace {

// The UTF-8 bytes of a string member or element, borrowed from the document; empty for any other type.
QByteArray JsonBytes(const json_t *value)
{
    if (!json_is_string(value))
        return QByteArray();
    return QByteArray::fromRawData(json_string_value(value), static_cast<qsizetype>(json_string_length(value)));
}

QString JsonText(const json_t *value)
{
    return UTF8ToUnicode_2(JsonBytes(value));
}

QString ItemMessage(std::size_t index, const char *fault)
{
    return QStringLiteral("Units conversion table item no %1 %2").arg(index).arg(QLatin1String(fault));
}

struct TJsonRelease
{
    void operator()(json_t *json) const { json_decref(json); }
};

const QByteArray Utf8Bom("\xEF\xBB\xBF", 3);

} // namespace

void TUnitName::LoadFromJSON(const json_t *json)
{
    // The parser accepts valid UTF-8 only, so decoding and encoding again would give these bytes back.
    Lang = StringToLanguageCode(JsonBytes(json_object_get(json, "lang")));
    Value = JsonText(json_object_get(json, "value"));
}

void TUnitNamesList::LoadFromJSON(const json_t *json)
{
    Clear();
    if (!json_is_array(json))
        return;
    for (std::size_t i = 0; i < json_array_size(json); ++i) {
        auto name = std::make_unique<TUnitName>();
        name->LoadFromJSON(json_array_get(json, i));
        Add(name.release());
    }
}

QString TUnitNamesList::GetName(qint32 lang) const
{
    for (const TUnitName *name : *this) {
        if (name->Lang == lang)
            return name->Value;
    }
    return QString();
}

void TUnitSymbolsList::LoadFromJSON(const json_t *json)
{
    Clear();
    if (!json_is_array(json))
        return;
    for (std::size_t i = 0; i < json_array_size(json); ++i)
        Add(new TUnitSymbol(JsonText(json_array_get(json, i))));
}

void TUnit::LoadFromJSON(const json_t *json)
{
    Names.LoadFromJSON(json_object_get(json, "names"));
    Symbols.LoadFromJSON(json_object_get(json, "symbols"));
    SysId = JsonText(json_object_get(json, "sysId"));
    const json_t *baseUnits = json_object_get(json, "baseUnits");
    // Only a JSON real counts: the tables write whole sizes as 10.0, and 10 reads as 0.
    BaseUnits = json_is_real(baseUnits) ? static_cast<long double>(json_real_value(baseUnits)) : 0.0L;
    IsBase = json_is_true(json_object_get(json, "isBase"));
}

QString TUnit::GetDisplayName() const
{
    QString name = Names.GetName(0);
    if (name.isEmpty())
        name = Names.GetName(1);
    if (name.isEmpty() && Names.Count() > 0)
        name = Names.Items(0)->Value;
    if (Symbols.Count() == 0 || Symbols.Items(0)->Value.isEmpty())
        return name;
    return name + QStringLiteral(" (") + Symbols.Items(0)->Value + QLatin1Char(')');
}

QString TUnit::GetShortLabel() const
{
    if (Symbols.Count() > 0)
        return Symbols.Items(0)->Value;
    return Names.GetName(0);
}

void TUnitsList::LoadFromJSON(const json_t *json)
{
    Clear();
    if (!json_is_array(json))
        return;
    // Lower-cased sysIds already appended: one lookup per unit instead of a scan of the list.
    QSet<QString> sysIds;
    for (std::size_t i = 0; i < json_array_size(json); ++i) {
        auto unit = std::make_unique<TUnit>();
        unit->LoadFromJSON(json_array_get(json, i));
        if (unit->SysId.isEmpty())
            throw EUnitsConverterRes(ItemMessage(i, "lacks sysId."));
        if (unit->Names.Count() == 0)
            throw EUnitsConverterRes(ItemMessage(i, "lacks name."));
        const QString key = unit->SysId.toLower();
        if (sysIds.contains(key))
            throw EUnitsConverterRes(ItemMessage(i, "sysId not unique."));
        sysIds.insert(key);
        Add(unit.release());
    }
}

TUnit *TUnitsList::FindBySysId(const QString &sysId) const
{
    const QString key = sysId.toLower();
    for (TUnit *unit : *this) {
        if (unit->SysId.toLower() == key)
            return unit;
    }
    return nullptr;
}

TUnitsConverter::TUnitsConverter() : Units(std::make_unique<TUnitsList>()) {}

TUnitsConverter::~TUnitsConverter() = default;

bool TUnitsConverter::Convert(TUnitsConversion &conversion) const
{
    // Through the base unit, multiplication first, each step rounded in 80-bit precision.
    const long double baseValue = conversion.SrcValue * conversion.SrcUnit->BaseUnits;
    conversion.DstValue = baseValue / conversion.DstUnit->BaseUnits;
    return true;
}

void TUnitsConverter::LoadFromJSON(const json_t *root)
{
    const json_t *units = json_is_object(root) ? json_object_get(root, "units") : nullptr;
    if (!units)
        throw EUnitsConverterRes(QStringLiteral("Units converter JSON resource does not contain expected data."));
    Units->LoadFromJSON(units);
}

void TUnitsConverter::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EUnitsConverterRes(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    QByteArray bytes = file.readAll();
    // Like a text file reader: a byte-order mark decides the encoding, else the 8-bit code page (UTF-8).
    if (bytes.startsWith(Utf8Bom)) {
        bytes.remove(0, Utf8Bom.size());
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const auto encoding = bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        const QString text = decoder.decode(QByteArrayView(bytes).sliced(2));
        bytes = text.toUtf8();
    }
    LoadFromText(bytes);
}

void TUnitsConverter::LoadFromResource(const QByteArray &name)
{
    QByteArray bytes;
    QFile resource(QStringLiteral(":/") + QString::fromUtf8(name));
    // A missing resource counts as zero bytes, which the parser rejects.
    if (resource.open(QIODevice::ReadOnly))
        bytes = resource.readAll();
    if (bytes.size() > 2 && bytes.startsWith(Utf8Bom))
        bytes.remove(0, Utf8Bom.size());
    LoadFromText(bytes);
}

void TUnitsConverter::LoadFromText(const QByteArray &text)
{
    json_error_t error;
    const std::unique_ptr<json_t, TJsonRelease> root(
        json_loadb(text.constData(), static_cast<std::size_t>(text.size()), 0, &error));
    if (!root)
        throw EUnitsConverterRes(QStringLiteral("Units converter table is not a valid JSON resource."));
    LoadFromJSON(root.get());
}

TVolumeUnitsConverter::TVolumeUnitsConverter()
{
    LoadFromResource(QByteArrayLiteral("IDR_VOLUME_UNITS"));
}

TVolumeUnitsConverter::~TVolumeUnitsConverter() = default;

} // namespace Unitsconverter
