#include "unitsconverter.h"

#include "numbertext.h"
#include "strconv.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Unitsconverter;

class TestUnitsConverter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void loadsVolumeTableInDisplayOrder_data();
    void loadsVolumeTableInDisplayOrder();
    void loadsOtherTablesFromResources_data();
    void loadsOtherTablesFromResources();
    void readsUnitMembersByTheRules_data();
    void readsUnitMembersByTheRules();
    void rejectsBadUnitKeepingEarlierOnes_data();
    void rejectsBadUnitKeepingEarlierOnes();
    void rejectsTextThatIsNotJsonKeepingTable_data();
    void rejectsTextThatIsNotJsonKeepingTable();
    void rejectsDocumentWithoutUnitsKeepingTable_data();
    void rejectsDocumentWithoutUnitsKeepingTable();
    void rejectsMissingResource();
    void readsUnitsThatAreNotAListAsEmptyTable_data();
    void readsUnitsThatAreNotAListAsEmptyTable();
    void secondLoadReplacesTable();
    void skipsByteOrderMarkOfResource();
    void loadsFileInAnyMarkedEncoding_data();
    void loadsFileInAnyMarkedEncoding();
    void rejectsMissingFile();
    void findsBySysIdIgnoringCase_data();
    void findsBySysIdIgnoringCase();
    void convertsThroughBaseUnit_data();
    void convertsThroughBaseUnit();

private:
    std::unique_ptr<TVolumeUnitsConverter> FVolume;
};

namespace {

// A unit that passes validation, as JSON text.
QByteArray ValidUnit(const QByteArray &sysId)
{
    return R"({"sysId": ")" + sysId + R"(", "names": [{"lang": "pl", "value": "n"}]})";
}

QByteArray Table(const QByteArrayList &units)
{
    return R"({"units": [)" + units.join(',') + "]}";
}

QByteArray Fixture(const QString &name)
{
    QFile file(QStringLiteral(":/fixtures/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

QString MessageOfLoad(TUnitsConverter &converter, const QByteArray &text)
{
    try {
        converter.LoadFromText(text);
    } catch (const EUnitsConverterRes &e) {
        return e.Message();
    }
    return QString();
}

QStringList SysIds(const TUnitsConverter &converter)
{
    QStringList ids;
    for (const TUnit *unit : *converter.Units)
        ids << unit->SysId;
    return ids;
}

} // namespace

void TestUnitsConverter::initTestCase()
{
    InitStrConv(QCoreApplication::applicationDirPath().toLocal8Bit() + "/strconv.so");
    FVolume = std::make_unique<TVolumeUnitsConverter>();
}

void TestUnitsConverter::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestUnitsConverter::loadsVolumeTableInDisplayOrder_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("sysId");
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("shortLabel");
    QTest::addColumn<double>("baseUnits");

    struct Row { const char *sysId, *displayName, *shortLabel; double baseUnits; };
    const Row rows[] = {
        {"ul", "mikrolitr (μl)", "μl", 0.000001},
        {"ml", "mililitr (ml)", "ml", 0.001},
        {"cl", "centylitr (cl)", "cl", 0.01},
        {"dl", "decylitr (dl)", "dl", 0.1},
        {"l", "litr (l)", "l", 1.0},
        {"dal", "dekalitr (dal)", "dal", 10.0},
        {"hl", "hektolitr (hl)", "hl", 100.0},
        {"m3", "metr sześcienny (m³)", "m³", 1000.0},
        {"imp_pt", "pinta angielska (imp. pt)", "imp. pt", 0.56826125},
        {"us_liquid_pt", "pinta amerykańska płyny (US liquid pt)", "US liquid pt", 0.473176473},
        {"us_dry_pt", "pinta amerykańska sypkie (US dry pt)", "US dry pt", 0.5506104713575},
        {"imp_qt", "kwarta angielska (imp. qt)", "imp. qt", 1.1365225},
        {"us_liquid_qt", "kwarta amerykańska płyny (US liquid qt)", "US liquid qt", 0.946352946},
        {"us_dry_qt", "kwarta amerykańska sypkie (US dry qt)", "US dry qt", 1.101220942715},
        {"imp_gal", "galon angielski (imp. gal)", "imp. gal", 4.54609},
        {"us_liquid_gal", "galon amerykański płyny (US liquid gal)", "US liquid gal", 3.785411784},
        {"us_dry_gal", "galon amerykański sypkie (US dry gal)", "US dry gal", 4.40488377086},
        {"imp_fl_oz", "uncja objętości angielska (imp. fl oz)", "imp. fl oz", 0.0284130625},
        {"us_fl_oz_customary", "uncja objętości amerykańska zwycz. (US fl oz customary)", "US fl oz customary", 0.0295735295625},
        {"us_fl_oz_labels", "uncja objętości amerykańska etykiety (US fl oz labels)", "US fl oz labels", 0.03},
    };
    int index = 0;
    for (const Row &row : rows) {
        QTest::newRow(row.sysId) << index++ << QString::fromUtf8(row.sysId) << QString::fromUtf8(row.displayName)
                                 << QString::fromUtf8(row.shortLabel) << row.baseUnits;
    }
}

void TestUnitsConverter::loadsVolumeTableInDisplayOrder()
{
    QFETCH(int, index);
    QFETCH(QString, sysId);
    QFETCH(QString, displayName);
    QFETCH(QString, shortLabel);
    QFETCH(double, baseUnits);

    QCOMPARE(FVolume->Units->Count(), 20);
    const TUnit *unit = FVolume->Units->Items(index);
    QCOMPARE(unit->SysId, sysId);
    QCOMPARE(unit->GetDisplayName(), displayName);
    QCOMPARE(unit->GetShortLabel(), shortLabel);
    QCOMPARE(unit->BaseUnits, static_cast<long double>(baseUnits));
    QCOMPARE(unit->IsBase, sysId == QLatin1String("l"));
    QCOMPARE(unit->Names.GetName(1).isEmpty(), false);
}

void TestUnitsConverter::loadsOtherTablesFromResources_data()
{
    QTest::addColumn<QByteArray>("resource");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("baseSysId");

    QTest::newRow("area") << QByteArray("IDR_AREA_UNITS") << 13 << "m2";
    QTest::newRow("distance") << QByteArray("IDR_DISTANCE_UNITS") << 20 << "m";
    QTest::newRow("mass") << QByteArray("IDR_MASS_UNITS") << 14 << "g";
}

void TestUnitsConverter::loadsOtherTablesFromResources()
{
    QFETCH(QByteArray, resource);
    QFETCH(int, count);
    QFETCH(QString, baseSysId);

    TUnitsConverter converter;
    converter.LoadFromResource(resource);
    QCOMPARE(converter.Units->Count(), count);
    const TUnit *base = converter.Units->FindBySysId(baseSysId);
    QVERIFY(base);
    QVERIFY(base->IsBase);
    QCOMPARE(base->BaseUnits, 1.0L);
}

void TestUnitsConverter::readsUnitMembersByTheRules_data()
{
    QTest::addColumn<QString>("sysId");
    QTest::addColumn<double>("baseUnits");
    QTest::addColumn<bool>("isBase");
    QTest::addColumn<QList<int>>("languages");
    QTest::addColumn<int>("symbols");
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("shortLabel");

    QTest::newRow("integer baseUnits reads as 0, only English name")
        << "integer-size" << 0.0 << false << QList<int>{1} << 0 << "ten" << "";
    QTest::newRow("real baseUnits, isBase true, Polish name first, non-string symbol kept empty")
        << "real-size" << 10.0 << true << QList<int>{1, 0} << 3 << "dziesięć (X)" << "X";
    QTest::newRow("string baseUnits and isBase read as 0 and false, symbols not a list")
        << "text-size" << 0.0 << false << QList<int>{0} << 0 << "tekst" << "tekst";
    QTest::newRow("exponent real, null isBase") << "exponent-size" << 1000.0 << false << QList<int>{0} << 0
                                                << "wykładnik" << "wykładnik";
    QTest::newRow("no Polish or English name shows the first, isBase 1 is false")
        << "other-languages" << 0.0 << false << QList<int>{2, -1} << 1 << "Liter (L)" << "L";
    QTest::newRow("missing lang is unknown, empty first symbol shows no parentheses")
        << "unknown-languages" << 0.0 << false << QList<int>{-1, -1} << 1 << "litro" << "";
    QTest::newRow("ill-typed lang, value and symbol read as empty")
        << "ill-typed-name" << 0.0 << false << QList<int>{-1} << 2 << "" << "";
    QTest::newRow("repeated key keeps the last, first Polish name wins")
        << "repeated-key" << 2.5 << false << QList<int>{0, 0} << 0 << "pierwsza" << "pierwsza";
}

void TestUnitsConverter::readsUnitMembersByTheRules()
{
    QFETCH(QString, sysId);
    QFETCH(double, baseUnits);
    QFETCH(bool, isBase);
    QFETCH(QList<int>, languages);
    QFETCH(int, symbols);
    QFETCH(QString, displayName);
    QFETCH(QString, shortLabel);

    TUnitsConverter converter;
    converter.LoadFromText(Fixture(QStringLiteral("reading-rules.json")));
    const TUnit *unit = converter.Units->FindBySysId(sysId);
    QVERIFY(unit);
    QCOMPARE(unit->BaseUnits, static_cast<long double>(baseUnits));
    QCOMPARE(unit->IsBase, isBase);
    QList<int> read;
    for (const TUnitName *name : unit->Names)
        read << name->Lang;
    QCOMPARE(read, languages);
    QCOMPARE(unit->Symbols.Count(), symbols);
    QCOMPARE(unit->GetDisplayName(), displayName);
    QCOMPARE(unit->GetShortLabel(), shortLabel);
}

void TestUnitsConverter::rejectsBadUnitKeepingEarlierOnes_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("kept");

    const QByteArray names = R"("names": [{"lang": "pl", "value": "n"}])";
    QTest::newRow("no sysId") << Table({"{" + names + "}"}) << "Units conversion table item no 0 lacks sysId."
                              << QStringList();
    QTest::newRow("sysId a number") << Table({ValidUnit("a"), R"({"sysId": 5, )" + names + "}"})
                                    << "Units conversion table item no 1 lacks sysId." << QStringList{"a"};
    QTest::newRow("empty sysId") << Table({R"({"sysId": "", )" + names + "}"})
                                 << "Units conversion table item no 0 lacks sysId." << QStringList();
    QTest::newRow("unit not an object") << Table({ValidUnit("a"), "42"})
                                        << "Units conversion table item no 1 lacks sysId." << QStringList{"a"};
    QTest::newRow("lacking both is reported as lacking sysId") << Table({"{}"})
                                                               << "Units conversion table item no 0 lacks sysId."
                                                               << QStringList();
    QTest::newRow("no names") << Table({ValidUnit("a"), R"({"sysId": "b"})"})
                              << "Units conversion table item no 1 lacks name." << QStringList{"a"};
    QTest::newRow("empty names") << Table({R"({"sysId": "b", "names": []})"})
                                 << "Units conversion table item no 0 lacks name." << QStringList();
    QTest::newRow("names not a list") << Table({R"({"sysId": "b", "names": {"lang": "pl", "value": "n"}})"})
                                      << "Units conversion table item no 0 lacks name." << QStringList();
    QTest::newRow("repeated sysId in other case") << Table({ValidUnit("l"), ValidUnit("L")})
                                                  << "Units conversion table item no 1 sysId not unique."
                                                  << QStringList{"l"};
    QTest::newRow("repeated sysId further down") << Table({ValidUnit("a"), ValidUnit("b"), ValidUnit("A")})
                                                 << "Units conversion table item no 2 sysId not unique."
                                                 << QStringList{"a", "b"};
    QTest::newRow("repeated non-ASCII sysId in other case") << Table({ValidUnit("Ä"), ValidUnit("ä")})
                                                            << "Units conversion table item no 1 sysId not unique."
                                                            << QStringList{"Ä"};
    QByteArrayList eleven;
    QStringList elevenIds;
    for (int i = 0; i < 11; ++i) {
        eleven << ValidUnit("u" + QByteArray::number(i));
        elevenIds << QStringLiteral("u%1").arg(i);
    }
    QTest::newRow("two-digit item number") << Table(eleven + QByteArrayList{"{}"})
                                           << "Units conversion table item no 11 lacks sysId." << elevenIds;
}

void TestUnitsConverter::rejectsBadUnitKeepingEarlierOnes()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    QFETCH(QStringList, kept);

    TUnitsConverter converter;
    QCOMPARE(MessageOfLoad(converter, json), message);
    QCOMPARE(SysIds(converter), kept);
}

void TestUnitsConverter::rejectsTextThatIsNotJsonKeepingTable_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("units: l, ml");
    QTest::newRow("unfinished") << QByteArray(R"({"units": [)");
    QTest::newRow("text after the root") << Table({ValidUnit("a")}) + " {}";
    QTest::newRow("root a string") << QByteArray(R"("units")");
    QTest::newRow("root a number") << QByteArray("42");
    QTest::newRow("invalid UTF-8") << Table({ValidUnit("\xFF\xFE")});
    QTest::newRow("NUL inside") << QByteArray(R"({"units": []})" "\0", 14);
}

void TestUnitsConverter::rejectsTextThatIsNotJsonKeepingTable()
{
    QFETCH(QByteArray, text);

    TUnitsConverter converter;
    converter.LoadFromText(Fixture(QStringLiteral("two-units.json")));
    QCOMPARE(MessageOfLoad(converter, text), QStringLiteral("Units converter table is not a valid JSON resource."));
    QCOMPARE(SysIds(converter), (QStringList{"l", "m3"}));
}

void TestUnitsConverter::rejectsDocumentWithoutUnitsKeepingTable_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("empty array") << QByteArray("[]");
    QTest::newRow("empty object") << QByteArray("{}");
    QTest::newRow("array holding a table") << "[" + Table({ValidUnit("a")}) + "]";
    QTest::newRow("member name in other case") << QByteArray(R"({"Units": []})");
}

void TestUnitsConverter::rejectsDocumentWithoutUnitsKeepingTable()
{
    QFETCH(QByteArray, text);

    TUnitsConverter converter;
    converter.LoadFromText(Fixture(QStringLiteral("two-units.json")));
    QCOMPARE(MessageOfLoad(converter, text),
             QStringLiteral("Units converter JSON resource does not contain expected data."));
    QCOMPARE(SysIds(converter), (QStringList{"l", "m3"}));
}

void TestUnitsConverter::rejectsMissingResource()
{
    TUnitsConverter converter;
    try {
        converter.LoadFromResource("IDR_NO_SUCH_UNITS");
        QFAIL("a missing resource was accepted");
    } catch (const EUnitsConverterRes &e) {
        QCOMPARE(e.Message(), QStringLiteral("Units converter table is not a valid JSON resource."));
    }
}

void TestUnitsConverter::readsUnitsThatAreNotAListAsEmptyTable_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("empty list") << QByteArray(R"({"units": []})");
    QTest::newRow("object") << QByteArray(R"({"units": {"sysId": "l"}})");
    QTest::newRow("null") << QByteArray(R"({"units": null})");
    QTest::newRow("number") << QByteArray(R"({"units": 5})");
}

void TestUnitsConverter::readsUnitsThatAreNotAListAsEmptyTable()
{
    QFETCH(QByteArray, text);

    TUnitsConverter converter;
    converter.LoadFromText(Fixture(QStringLiteral("two-units.json")));
    converter.LoadFromText(text);
    QCOMPARE(converter.Units->Count(), 0);
}

void TestUnitsConverter::secondLoadReplacesTable()
{
    TVolumeUnitsConverter converter;
    converter.LoadFromText(Fixture(QStringLiteral("two-units.json")));
    QCOMPARE(SysIds(converter), (QStringList{"l", "m3"}));
    QVERIFY(!converter.Units->FindBySysId(QStringLiteral("imp_gal")));
}

void TestUnitsConverter::skipsByteOrderMarkOfResource()
{
    TUnitsConverter converter;
    converter.LoadFromResource("fixtures/two-units-bom.json");
    QCOMPARE(SysIds(converter), (QStringList{"l", "m3"}));
    QCOMPARE(converter.Units->Items(1)->GetDisplayName(), QStringLiteral("metr sześcienny (m³)"));
}

void TestUnitsConverter::loadsFileInAnyMarkedEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray plain = Fixture(QStringLiteral("two-units.json"));
    const QString text = QString::fromUtf8(plain);
    QTest::newRow("UTF-8 without mark") << plain;
    QTest::newRow("UTF-8 with mark") << Fixture(QStringLiteral("two-units-bom.json"));
    QTest::newRow("UTF-16 LE with mark") << QByteArray(QStringEncoder(QStringConverter::Utf16LE,
                                                                      QStringConverter::Flag::WriteBom)(text));
    QTest::newRow("UTF-16 BE with mark") << QByteArray(QStringEncoder(QStringConverter::Utf16BE,
                                                                      QStringConverter::Flag::WriteBom)(text));
}

void TestUnitsConverter::loadsFileInAnyMarkedEncoding()
{
    QFETCH(QByteArray, bytes);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("units.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    TUnitsConverter converter;
    converter.LoadFromFile(path);
    QCOMPARE(SysIds(converter), (QStringList{"l", "m3"}));
    QCOMPARE(converter.Units->Items(1)->GetDisplayName(), QStringLiteral("metr sześcienny (m³)"));
}

void TestUnitsConverter::rejectsMissingFile()
{
    TUnitsConverter converter;
    QVERIFY_THROWS_EXCEPTION(EUnitsConverterRes, converter.LoadFromFile(QStringLiteral("/nonexistent/units.json")));
}

void TestUnitsConverter::findsBySysIdIgnoringCase_data()
{
    QTest::addColumn<QString>("sysId");
    QTest::addColumn<int>("index");

    QTest::newRow("exact") << "imp_gal" << 14;
    QTest::newRow("capitals") << "IMP_GAL" << 14;
    QTest::newRow("mixed") << "Us_Liquid_Gal" << 15;
    QTest::newRow("first unit") << "UL" << 0;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("unknown") << "gallon" << -1;
    QTest::newRow("prefix only") << "imp" << -1;
}

void TestUnitsConverter::findsBySysIdIgnoringCase()
{
    QFETCH(QString, sysId);
    QFETCH(int, index);
    const TUnit *found = FVolume->Units->FindBySysId(sysId);
    QCOMPARE(found, index < 0 ? nullptr : FVolume->Units->Items(index));
}

void TestUnitsConverter::convertsThroughBaseUnit_data()
{
    QTest::addColumn<QString>("src");
    QTest::addColumn<QString>("dst");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("10 imp_gal in l") << "imp_gal" << "l" << 10.0 << "45,4609";
    QTest::newRow("1 imp_gal in us_liquid_gal") << "imp_gal" << "us_liquid_gal" << 1.0 << "1,20094992550486";
    QTest::newRow("1 ml in l") << "ml" << "l" << 1.0 << "0,001";
    QTest::newRow("1 l in ml") << "l" << "ml" << 1.0 << "1000";
    QTest::newRow("1 ul in m3") << "ul" << "m3" << 1.0 << "1E-9";
    QTest::newRow("same unit gives the value back") << "us_dry_pt" << "us_dry_pt" << 0.3 << "0,3";
    QTest::newRow("same unit, awkward size") << "us_fl_oz_customary" << "us_fl_oz_customary" << 1.0 / 3
                                             << "0,333333333333333";
}

void TestUnitsConverter::convertsThroughBaseUnit()
{
    QFETCH(QString, src);
    QFETCH(QString, dst);
    QFETCH(double, value);
    QFETCH(QString, shown);

    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    TUnitsConversion conversion;
    conversion.SrcUnit = FVolume->Units->FindBySysId(src);
    conversion.DstUnit = FVolume->Units->FindBySysId(dst);
    conversion.SrcValue = value;
    QVERIFY(FVolume->Convert(conversion));
    QCOMPARE(conversion.SrcValue, static_cast<long double>(value));
    QCOMPARE(FormatNumber(static_cast<double>(conversion.DstValue), -1), shown);
}

QTEST_GUILESS_MAIN(TestUnitsConverter)
#include "tst_unitsconverter.moc"
