#include "conversioncalculation.h"

#include "numbertext.h"
#include "strconv.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTest>

#include <memory>

using namespace Unitsconverter;

class TestConversionCalculation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void convertsTypedValue_data();
    void convertsTypedValue();
    void refusesZeroOrNegativeValue_data();
    void refusesZeroOrNegativeValue();
    void letsConversionErrorThrough();
    void refusesWhatCannotBeShown_data();
    void refusesWhatCannotBeShown();
    void refusesMissingUnit();
    void describesUnitsRelation_data();
    void describesUnitsRelation();

private:
    TUnit *Volume(const char *sysId) const { return FVolume->Units->FindBySysId(QString::fromUtf8(sysId)); }
    TUnit *Fixture(const char *sysId) const { return FFixture->Units->FindBySysId(QString::fromUtf8(sysId)); }

    std::unique_ptr<TVolumeUnitsConverter> FVolume;
    std::unique_ptr<TUnitsConverter> FFixture;
};

void TestConversionCalculation::initTestCase()
{
    InitStrConv(QCoreApplication::applicationDirPath().toLocal8Bit() + "/strconv.so");
    FVolume = std::make_unique<TVolumeUnitsConverter>();
    FFixture = std::make_unique<TUnitsConverter>();
    FFixture->LoadFromResource("fixtures/labels-and-zero-size.json");
}

void TestConversionCalculation::init()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

void TestConversionCalculation::cleanupTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestConversionCalculation::convertsTypedValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("src");
    QTest::addColumn<QByteArray>("dst");
    QTest::addColumn<QString>("srcText");
    QTest::addColumn<QString>("dstText");

    QTest::newRow("10 imp. gal") << "10" << QByteArray("imp_gal") << QByteArray("l") << "10" << "45,4609";
    QTest::newRow("blank inside the value") << "1 000" << QByteArray("ml") << QByteArray("l") << "1000" << "1";
    QTest::newRow("point dropped in a comma locale") << "1.5" << QByteArray("l") << QByteArray("ml") << "15"
                                                     << "15000";
    QTest::newRow("exponent") << "2,5e3" << QByteArray("ml") << QByteArray("l") << "2500" << "2,5";
    QTest::newRow("very small value shown in scientific notation") << "0,00001" << QByteArray("l")
                                                                   << QByteArray("l") << "1E-5" << "1E-5";
    QTest::newRow("imp. gal in US gal") << "1" << QByteArray("imp_gal") << QByteArray("us_liquid_gal") << "1"
                                        << "1,20094992550486";
}

void TestConversionCalculation::convertsTypedValue()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, src);
    QFETCH(QByteArray, dst);
    QFETCH(QString, srcText);
    QFETCH(QString, dstText);

    const TCalculation result = Calculate(*FVolume, text, Volume(src), Volume(dst));
    QVERIFY(result.Accepted);
    QCOMPARE(result.SrcText, srcText);
    QCOMPARE(result.DstText, dstText);
    QCOMPARE(result.Conversion.SrcUnit, Volume(src));
    QCOMPARE(result.Conversion.DstUnit, Volume(dst));
    QCOMPARE(static_cast<double>(result.Conversion.SrcValue), result.SrcValue);
    QCOMPARE(FormatNumber(static_cast<double>(result.Conversion.DstValue), -1), dstText);
}

void TestConversionCalculation::refusesZeroOrNegativeValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("srcText");

    QTest::newRow("empty") << "" << "0";
    QTest::newRow("no digits") << "abc" << "0";
    QTest::newRow("zero") << "0" << "0";
    QTest::newRow("negative") << "-3" << "-3";
    QTest::newRow("negative zero") << "-0,0" << "0";
    QTest::newRow("below double range") << "1e-400" << "0";
    QTest::newRow("negative beyond double range") << "-1e400" << "-INF";
}

void TestConversionCalculation::refusesZeroOrNegativeValue()
{
    QFETCH(QString, text);
    QFETCH(QString, srcText);

    const TCalculation result = Calculate(*FVolume, text, Volume("imp_gal"), Volume("l"));
    QVERIFY(!result.Accepted);
    QCOMPARE(result.SrcText, srcText);
    QCOMPARE(result.DstText, QStringLiteral("0"));
    QCOMPARE(NonPositiveValueMessage(), QStringLiteral("Należy podać prawidłową dodatnią wartość źródłową."));
}

void TestConversionCalculation::letsConversionErrorThrough()
{
    try {
        Calculate(*FVolume, QStringLiteral("1e-"), Volume("imp_gal"), Volume("l"));
        QFAIL("no conversion error");
    } catch (const EConvertError &e) {
        QCOMPARE(e.Message(), QStringLiteral("'-' is not a valid integer value"));
    }
}

void TestConversionCalculation::refusesWhatCannotBeShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("src");
    QTest::addColumn<QByteArray>("dst");
    QTest::addColumn<QString>("message");

    QTest::newRow("destination of size 0") << "10" << QByteArray("l") << QByteArray("zero")
                                           << "Nie można przeliczyć na jednostkę „zerowa (z)”: jej wielkość w tabeli "
                                              "jednostek wynosi 0.";
    QTest::newRow("source beyond double range") << "1e400" << QByteArray("l") << QByteArray("l")
                                                << "Wartość źródłowa jest zbyt duża.";
    QTest::newRow("result beyond double range") << "1e300" << QByteArray("huge") << QByteArray("tiny")
                                                << "Wynik przeliczenia jest zbyt duży.";
}

void TestConversionCalculation::refusesWhatCannotBeShown()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, src);
    QFETCH(QByteArray, dst);
    QFETCH(QString, message);

    try {
        Calculate(*FFixture, text, Fixture(src), Fixture(dst));
        QFAIL("the calculation was accepted");
    } catch (const Exception &e) {
        QCOMPARE(e.Message(), message);
    }
}

void TestConversionCalculation::refusesMissingUnit()
{
    QVERIFY_THROWS_EXCEPTION(Exception, Calculate(*FVolume, QStringLiteral("1"), nullptr, Volume("l")));
    QVERIFY_THROWS_EXCEPTION(Exception, Calculate(*FVolume, QStringLiteral("1"), Volume("l"), nullptr));
}

void TestConversionCalculation::describesUnitsRelation_data()
{
    QTest::addColumn<bool>("volume");
    QTest::addColumn<QByteArray>("src");
    QTest::addColumn<QByteArray>("dst");
    QTest::addColumn<QString>("relation");

    QTest::newRow("default units") << true << QByteArray("imp_gal") << QByteArray("l") << "1 imp. gal = 4,54609 l";
    QTest::newRow("swapped") << true << QByteArray("l") << QByteArray("imp_gal")
                             << "1 l = 0,219969248299088 imp. gal";
    QTest::newRow("scientific factor") << true << QByteArray("ul") << QByteArray("m3") << "1 μl = 1E-9 m³";
    QTest::newRow("no symbol: Polish name") << false << QByteArray("polish-only") << QByteArray("l")
                                            << "1 beczka = 150 l";
    QTest::newRow("no symbol and no Polish name: empty label") << false << QByteArray("english-only")
                                                               << QByteArray("l") << "1  = 150 l";
    QTest::newRow("source of size 0") << false << QByteArray("zero") << QByteArray("l") << "1 z = 0 l";
    QTest::newRow("destination of size 0 has no factor") << false << QByteArray("l") << QByteArray("zero")
                                                         << "1 l = ? z";
    QTest::newRow("factor beyond double range") << false << QByteArray("huge") << QByteArray("tiny")
                                                << "1 H = ? t";
}

void TestConversionCalculation::describesUnitsRelation()
{
    QFETCH(bool, volume);
    QFETCH(QByteArray, src);
    QFETCH(QByteArray, dst);
    QFETCH(QString, relation);

    const TUnit *srcUnit = volume ? Volume(src) : Fixture(src);
    const TUnit *dstUnit = volume ? Volume(dst) : Fixture(dst);
    QVERIFY(srcUnit && dstUnit);
    QCOMPARE(UnitsRelationText(*srcUnit, *dstUnit), relation);
}

QTEST_GUILESS_MAIN(TestConversionCalculation)
#include "tst_conversioncalculation.moc"
