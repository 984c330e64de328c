#pragma once

#include "commoncontainer.h"
#include "exception.h"

#include <QByteArray>
#include <QString>

#include <memory>

struct json_t;

static_assert(sizeof(long double) >= 10, "unit sizes and conversions need 80-bit extended precision");

namespace Unitsconverter {

// A unit table that cannot be read or fails validation.
class EUnitsConverterRes : public Exception
{
public:
    using Exception::Exception;
};

// One localised name of a unit.
class TUnitName
{
public:
    virtual ~TUnitName() = default;
    virtual void LoadFromJSON(const json_t *json);

    qint32 Lang = 1;
    QString Value;
};

class TUnitSymbol
{
public:
    explicit TUnitSymbol(QString value) : Value(std::move(value)) {}
    virtual ~TUnitSymbol() = default;

    QString Value;
};

class TUnitNamesList : public CommonContainer<TUnitName>
{
public:
    virtual int Count() const { return GetCount(); }
    virtual TUnitName *Items(int index) const { return GetItem(index); }
    virtual void LoadFromJSON(const json_t *json);
    // Value of the first name in that language; empty when there is none.
    virtual QString GetName(qint32 lang) const;
};

class TUnitSymbolsList : public CommonContainer<TUnitSymbol>
{
public:
    virtual int Count() const { return GetCount(); }
    virtual TUnitSymbol *Items(int index) const { return GetItem(index); }
    virtual void LoadFromJSON(const json_t *json);
};

class TUnit
{
public:
    virtual ~TUnit() = default;
    // Reads the unit without validating it (the units list validates).
    virtual void LoadFromJSON(const json_t *json);
    // "galon angielski (imp. gal)": the Polish name (else English, else the first) and the first symbol.
    virtual QString GetDisplayName() const;
    // The first symbol, else the Polish name (possibly empty).
    QString GetShortLabel() const;

    TUnitNamesList Names;
    TUnitSymbolsList Symbols;
    QString SysId;
    long double BaseUnits = 0;
    bool IsBase = false;
};

class TUnitsList : public CommonContainer<TUnit>
{
public:
    virtual int Count() const { return GetCount(); }
    virtual TUnit *Items(int index) const { return GetItem(index); }
    // Reads and validates the "units" array; raises EUnitsConverterRes on the first bad unit.
    virtual void LoadFromJSON(const json_t *json);
    // First unit whose sysId equals sysId, letter case ignored; nullptr when none.
    virtual TUnit *FindBySysId(const QString &sysId) const;
};

// One conversion: the caller fills the units and SrcValue, Convert fills DstValue.
struct TUnitsConversion
{
    TUnit *SrcUnit = nullptr; // borrowed
    TUnit *DstUnit = nullptr; // borrowed
    long double SrcValue = 0;
    long double DstValue = 0;
};

class TUnitsConverter
{
public:
    TUnitsConverter();
    TUnitsConverter(const TUnitsConverter &) = delete;
    TUnitsConverter &operator=(const TUnitsConverter &) = delete;
    virtual ~TUnitsConverter();

    virtual bool Convert(TUnitsConversion &conversion) const;
    virtual void LoadFromJSON(const json_t *root);
    virtual void LoadFromFile(const QString &fileName);
    // Reads the Qt resource ":/<name>".
    virtual void LoadFromResource(const QByteArray &name);
    virtual void LoadFromText(const QByteArray &text);

    const std::unique_ptr<TUnitsList> Units;
};

// The converter of this program: loads and validates the embedded volume table.
class TVolumeUnitsConverter : public TUnitsConverter
{
public:
    TVolumeUnitsConverter();
    ~TVolumeUnitsConverter() override;
};

} // namespace Unitsconverter
