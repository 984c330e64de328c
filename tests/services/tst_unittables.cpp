// The four embedded unit tables, read with jansson as the program reads them.

#include <jansson.h>

#include <QFile>
#include <QSet>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

struct TJsonDeleter
{
    void operator()(json_t *value) const { json_decref(value); }
};
using TJson = std::unique_ptr<json_t, TJsonDeleter>;

QByteArray ResourceBytes(const QString &name)
{
    QFile file(QStringLiteral(":/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

TJson ParseTable(const QString &name)
{
    const QByteArray bytes = ResourceBytes(name);
    json_error_t error;
    return TJson(json_loadb(bytes.constData(), std::size_t(bytes.size()), 0, &error));
}

json_t *Units(const TJson &root)
{
    return json_object_get(root.get(), "units");
}

QString StringMember(json_t *object, const char *key)
{
    json_t *value = json_object_get(object, key);
    return json_is_string(value) ? QString::fromUtf8(json_string_value(value)) : QString();
}

json_t *UnitBySysId(json_t *units, const QString &sysId)
{
    for (std::size_t i = 0; i < json_array_size(units); ++i) {
        if (StringMember(json_array_get(units, i), "sysId") == sysId)
            return json_array_get(units, i);
    }
    return nullptr;
}

double BaseUnits(json_t *units, const QString &sysId)
{
    json_t *unit = UnitBySysId(units, sysId);
    return unit ? json_real_value(json_object_get(unit, "baseUnits")) : std::nan("");
}

} // namespace

class TestUnitTables : public QObject
{
    Q_OBJECT

private slots:
    void tablesAreWellFormed_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("baseSysId");
        QTest::newRow("volume") << QStringLiteral("IDR_VOLUME_UNITS") << 20 << QStringLiteral("l");
        QTest::newRow("area") << QStringLiteral("IDR_AREA_UNITS") << 13 << QStringLiteral("m2");
        QTest::newRow("distance") << QStringLiteral("IDR_DISTANCE_UNITS") << 20 << QStringLiteral("m");
        QTest::newRow("mass") << QStringLiteral("IDR_MASS_UNITS") << 14 << QStringLiteral("g");
    }

    void tablesAreWellFormed()
    {
        QFETCH(QString, resource);
        QFETCH(int, count);
        QFETCH(QString, baseSysId);
        const QByteArray bytes = ResourceBytes(resource);
        QVERIFY2(!bytes.isEmpty(), "resource missing");
        QVERIFY2(!bytes.startsWith("\xEF\xBB\xBF"), "byte-order mark");
        const TJson root = ParseTable(resource);
        QVERIFY2(root, "not JSON");
        json_t *units = Units(root);
        QVERIFY(json_is_array(units));
        QCOMPARE(int(json_array_size(units)), count);
        QSet<QString> sysIds;
        QStringList bases;
        for (std::size_t i = 0; i < json_array_size(units); ++i) {
            json_t *unit = json_array_get(units, i);
            const QString sysId = StringMember(unit, "sysId");
            const QByteArray where = QStringLiteral("%1 item %2 (%3)").arg(resource).arg(i).arg(sysId).toUtf8();
            QVERIFY2(!sysId.isEmpty(), where);
            QVERIFY2(!sysIds.contains(sysId.toLower()), where + " sysId not unique");
            sysIds.insert(sysId.toLower());
            json_t *names = json_object_get(unit, "names");
            QVERIFY2(json_array_size(names) == 2, where);
            QCOMPARE(StringMember(json_array_get(names, 0), "lang"), QStringLiteral("en"));
            QCOMPARE(StringMember(json_array_get(names, 1), "lang"), QStringLiteral("pl"));
            QVERIFY2(!StringMember(json_array_get(names, 0), "value").isEmpty(), where);
            QVERIFY2(!StringMember(json_array_get(names, 1), "value").isEmpty(), where);
            json_t *symbols = json_object_get(unit, "symbols");
            QVERIFY2(json_array_size(symbols) == 1 && json_is_string(json_array_get(symbols, 0)), where);
            json_t *baseUnits = json_object_get(unit, "baseUnits");
            QVERIFY2(json_is_real(baseUnits) && json_real_value(baseUnits) > 0, where + " baseUnits not a positive real");
            json_t *isBase = json_object_get(unit, "isBase");
            QVERIFY2(!isBase || json_is_true(isBase), where + " isBase other than true");
            if (json_is_true(isBase)) {
                bases << sysId;
                QCOMPARE(json_real_value(baseUnits), 1.0);
            }
        }
        QCOMPARE(bases, QStringList{baseSysId});
    }

    void volumeTableRows_data()
    {
        QTest::addColumn<QString>("sysId");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("polish");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<double>("baseUnits");
        QTest::newRow("0") << "ul" << "microliter" << "mikrolitr" << "\u03BCl" << 0.000001;
        QTest::newRow("1") << "ml" << "milliliter" << "mililitr" << "ml" << 0.001;
        QTest::newRow("2") << "cl" << "centiliter" << "centylitr" << "cl" << 0.01;
        QTest::newRow("3") << "dl" << "deciliter" << "decylitr" << "dl" << 0.1;
        QTest::newRow("4") << "l" << "liter" << "litr" << "l" << 1.0;
        QTest::newRow("5") << "dal" << "decaliter" << "dekalitr" << "dal" << 10.0;
        QTest::newRow("6") << "hl" << "hectoliter" << "hektolitr" << "hl" << 100.0;
        QTest::newRow("7") << "m3" << "cubic meter" << "metr sześcienny" << "m\u00B3" << 1000.0;
        QTest::newRow("8") << "imp_pt" << "imperial pint" << "pinta angielska" << "imp. pt" << 0.56826125;
        QTest::newRow("9") << "us_liquid_pt" << "US liquid pint" << "pinta amerykańska płyny" << "US liquid pt" << 0.473176473;
        QTest::newRow("10") << "us_dry_pt" << "US dry pint" << "pinta amerykańska sypkie" << "US dry pt" << 0.5506104713575;
        QTest::newRow("11") << "imp_qt" << "imperial quart" << "kwarta angielska" << "imp. qt" << 1.1365225;
        QTest::newRow("12") << "us_liquid_qt" << "US liquid quart" << "kwarta amerykańska płyny" << "US liquid qt" << 0.946352946;
        QTest::newRow("13") << "us_dry_qt" << "US dry quart" << "kwarta amerykańska sypkie" << "US dry qt" << 1.101220942715;
        QTest::newRow("14") << "imp_gal" << "imperial gallon" << "galon angielski" << "imp. gal" << 4.54609;
        QTest::newRow("15") << "us_liquid_gal" << "US liquid gallon" << "galon amerykański płyny" << "US liquid gal" << 3.785411784;
        QTest::newRow("16") << "us_dry_gal" << "US dry gallon" << "galon amerykański sypkie" << "US dry gal" << 4.40488377086;
        QTest::newRow("17") << "imp_fl_oz" << "imperial fluid ounce" << "uncja objętości angielska" << "imp. fl oz" << 0.0284130625;
        QTest::newRow("18") << "us_fl_oz_customary" << "US fluid ounce customary" << "uncja objętości amerykańska zwycz."
                            << "US fl oz customary" << 0.0295735295625;
        QTest::newRow("19") << "us_fl_oz_labels" << "US fluid ounce labels" << "uncja objętości amerykańska etykiety"
                            << "US fl oz labels" << 0.03;
    }

    void volumeTableRows()
    {
        QFETCH(QString, sysId);
        QFETCH(QString, english);
        QFETCH(QString, polish);
        QFETCH(QString, symbol);
        QFETCH(double, baseUnits);
        const TJson root = ParseTable(QStringLiteral("IDR_VOLUME_UNITS"));
        QVERIFY(root);
        json_t *unit = json_array_get(Units(root), std::size_t(QString::fromLatin1(QTest::currentDataTag()).toInt()));
        QCOMPARE(StringMember(unit, "sysId"), sysId);
        json_t *names = json_object_get(unit, "names");
        QCOMPARE(StringMember(json_array_get(names, 0), "value"), english);
        QCOMPARE(StringMember(json_array_get(names, 1), "value"), polish);
        QCOMPARE(QString::fromUtf8(json_string_value(json_array_get(json_object_get(unit, "symbols"), 0))), symbol);
        QCOMPARE(json_real_value(json_object_get(unit, "baseUnits")), baseUnits);
        QCOMPARE(json_is_true(json_object_get(unit, "isBase")), sysId == QLatin1String("l"));
    }

    // Each table's factors against the definitions that tie its units together.
    void factorsAgreeWithDefinitions_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("other");
        QTest::addColumn<double>("ratio");
        const QString volume = QStringLiteral("IDR_VOLUME_UNITS");
        const QString area = QStringLiteral("IDR_AREA_UNITS");
        const QString distance = QStringLiteral("IDR_DISTANCE_UNITS");
        const QString mass = QStringLiteral("IDR_MASS_UNITS");
        QTest::newRow("imp gal = 4 imp qt") << volume << "imp_gal" << "imp_qt" << 4.0;
        QTest::newRow("imp qt = 2 imp pt") << volume << "imp_qt" << "imp_pt" << 2.0;
        QTest::newRow("imp pt = 20 imp fl oz") << volume << "imp_pt" << "imp_fl_oz" << 20.0;
        QTest::newRow("US gal = 4 US qt") << volume << "us_liquid_gal" << "us_liquid_qt" << 4.0;
        QTest::newRow("US qt = 2 US pt") << volume << "us_liquid_qt" << "us_liquid_pt" << 2.0;
        QTest::newRow("US pt = 16 US fl oz") << volume << "us_liquid_pt" << "us_fl_oz_customary" << 16.0;
        QTest::newRow("US dry gal = 4 dry qt") << volume << "us_dry_gal" << "us_dry_qt" << 4.0;
        QTest::newRow("US dry qt = 2 dry pt") << volume << "us_dry_qt" << "us_dry_pt" << 2.0;
        QTest::newRow("m3 = 1000 l") << volume << "m3" << "l" << 1000.0;
        QTest::newRow("inch = 0.0254 m") << distance << "in" << "m" << 0.0254;
        QTest::newRow("ft = 12 in") << distance << "ft" << "in" << 12.0;
        QTest::newRow("yd = 3 ft") << distance << "yd" << "ft" << 3.0;
        QTest::newRow("fathom = 6 ft") << distance << "ftm" << "ft" << 6.0;
        QTest::newRow("rod = 16.5 ft") << distance << "rd" << "ft" << 16.5;
        QTest::newRow("chain = 22 yd") << distance << "ch" << "yd" << 22.0;
        QTest::newRow("furlong = 10 ch") << distance << "fur" << "ch" << 10.0;
        QTest::newRow("mile = 1760 yd") << distance << "mi" << "yd" << 1760.0;
        QTest::newRow("nautical mile = 1852 m") << distance << "nmi" << "m" << 1852.0;
        QTest::newRow("km = 1000 m") << distance << "km" << "m" << 1000.0;
        QTest::newRow("au = 149597870700 m") << distance << "au" << "m" << 149597870700.0;
        QTest::newRow("ly = c x Julian year") << distance << "ly" << "m" << 299792458.0 * 31557600.0;
        QTest::newRow("in2 = 0.0254^2 m2") << area << "in2" << "m2" << 0.0254 * 0.0254;
        QTest::newRow("ft2 = 144 in2") << area << "ft2" << "in2" << 144.0;
        QTest::newRow("yd2 = 9 ft2") << area << "yd2" << "ft2" << 9.0;
        QTest::newRow("rd2 = 272.25 ft2") << area << "rd2" << "ft2" << 272.25;
        QTest::newRow("acre = 4840 yd2") << area << "ac" << "yd2" << 4840.0;
        QTest::newRow("acre = 4046.8564224 m2") << area << "ac" << "m2" << 4046.8564224;
        QTest::newRow("mi2 = 640 ac") << area << "mi2" << "ac" << 640.0;
        QTest::newRow("ha = 100 a") << area << "ha" << "a" << 100.0;
        QTest::newRow("km2 = 100 ha") << area << "km2" << "ha" << 100.0;
        QTest::newRow("lb = 453.59237 g") << mass << "lb" << "g" << 453.59237;
        QTest::newRow("lb = 16 oz") << mass << "lb" << "oz" << 16.0;
        QTest::newRow("oz = 16 dr") << mass << "oz" << "dr" << 16.0;
        QTest::newRow("lb = 7000 gr") << mass << "lb" << "gr" << 7000.0;
        QTest::newRow("troy oz = 480 gr") << mass << "ozt" << "gr" << 480.0;
        QTest::newRow("stone = 14 lb") << mass << "st" << "lb" << 14.0;
        QTest::newRow("carat = 200 mg") << mass << "ct" << "mg" << 200.0;
        QTest::newRow("t = 10 q") << mass << "t" << "q" << 10.0;
        QTest::newRow("kg = 1000 g") << mass << "kg" << "g" << 1000.0;
    }

    void factorsAgreeWithDefinitions()
    {
        QFETCH(QString, resource);
        QFETCH(QString, unit);
        QFETCH(QString, other);
        QFETCH(double, ratio);
        const TJson root = ParseTable(resource);
        QVERIFY(root);
        const double actual = BaseUnits(Units(root), unit) / BaseUnits(Units(root), other);
        QVERIFY2(std::fabs(actual - ratio) <= 1e-14 * ratio,
                 qPrintable(QStringLiteral("%1 / %2 = %3").arg(unit, other).arg(actual, 0, 'g', 17)));
    }
};

QTEST_GUILESS_MAIN(TestUnitTables)
#include "tst_unittables.moc"
