#include "calcdocpreprocessor.h"

#include "appcommons.h"
#include "fakeprinterdevice.h"
#include "strconv.h"
#include "unitsconverter.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

using namespace Unitsconverter;

namespace {

const QString DocTitle = QStringLiteral("Konwersja jednostek objętości");
const QDateTime FixedMoment(QDate(2025, 3, 14), QTime(9, 26, 53));

// The text an XML reader sees in the element a line holds (the runs of a paragraph joined).
QString ElementText(const QByteArray &element)
{
    QXmlStreamReader reader(element);
    reader.readNextStartElement();
    return reader.readElementText(QXmlStreamReader::IncludeChildElements);
}

} // namespace

class TestCalcDocScript : public QObject
{
    Q_OBJECT

private:
    TFakePrinterDevice FPrinter = A4At600Dpi();
    TUnitsConverter FFixture;

    QList<QByteArray> Document(const QString &srcId, const QString &dstId, long double value,
                               const TUnitsConverter &converter)
    {
        TUnitsConversion conversion;
        conversion.SrcUnit = converter.Units->FindBySysId(srcId);
        conversion.DstUnit = converter.Units->FindBySysId(dstId);
        conversion.SrcValue = value;
        if (!conversion.SrcUnit || !conversion.DstUnit || !converter.Convert(conversion))
            qFatal("fixture units missing");
        QList<QByteArray> output;
        MakeConversionDocument(conversion, DocTitle, output);
        return output;
    }

private slots:
    void initTestCase()
    {
        InitStrConv((QCoreApplication::applicationDirPath() + QStringLiteral("/strconv.so")).toUtf8());
        QFile fixture(QFINDTESTDATA("data/markupunits.json"));
        QVERIFY(fixture.open(QIODevice::ReadOnly));
        FFixture.LoadFromText(fixture.readAll());
    }

    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        FPrinter = A4At600Dpi();
        SetPrinterDevice(&FPrinter);
        SetDocumentClock([] { return FixedMoment; });
    }

    void cleanup()
    {
        SetPrinterDevice(nullptr);
        SetDocumentClock({});
        QLocale::setDefault(QLocale::c());
    }

    void writesWholeDocumentForImperialGallonToLitres()
    {
        TVolumeUnitsConverter converter;
        const QList<QByteArray> output = Document(QStringLiteral("imp_gal"), QStringLiteral("l"), 1, converter);
        const QList<QByteArray> expected = {
            "<document><head><title>Konwersja jednostek obj\xC4\x99to\xC5\x9B" "ci</title>",
            "<style>",
            "<class name=\"h1\" fontsize=\"15pt\" fontbold=\"on\" margin-bottom=\"1ln\" />",
            "<class name=\"table\" margin-bottom=\"1ln\" cellpadding=\"2mm\" border-top=\"0.1mm\" border-right=\"0.1mm\" "
            "cellborder-left=\"0.1mm\" cellborder-bottom=\"0.1mm\" />",
            "<class name=\"subtext\" fontsize=\"10pt\" margin-top=\"1ln\" />",
            "</style>",
            "</head><page autodimensions=\"off\" adjustpadding=\"off\" width=\"209mm\" height=\"297mm\" "
            "padding-left=\"20mm\" padding-top=\"20mm\" padding-right=\"20mm\" padding-bottom=\"20mm\" "
            "interln=\"100%\" fontface=\"Arial\" fontsize=\"12\" fontcolor=\"#000000\" "
            "fontbold=\"off\" fontitalic=\"off\" fontunderline=\"off\"/><body>",
            "<p class=\"h1\">Konwersja jednostek obj\xC4\x99to\xC5\x9B" "ci</p>",
            "<p>Warto\xC5\x9B\xC4\x87 i jednostka \xC5\xBAr\xC3\xB3" "d\xC5\x82owa: 1 \xC3\x97 galon angielski (imp. gal)</p>",
            "<p>Warto\xC5\x9B\xC4\x87 i jednostka docelowa: 4,54609 \xC3\x97 litr (l)</p>",
            "<p>Przelicznik: 1 imp. gal = 4,54609 l</p>",
        };
        QCOMPARE(output.size(), 14);
        QCOMPARE(output.first(expected.size()), expected);

        const QByteArray info = output.at(11);
        QVERIFY(info.startsWith("<p class=\"subtext\"><text>"));
        QVERIFY(info.contains("</text><text>"));
        QVERIFY(info.endsWith("</text></p>"));
        const TMyApplication *app = MyApp();
        QVERIFY(!app->ProductName().isEmpty());
        QCOMPARE(ElementText(info), app->ProductName() + QStringLiteral(" wersja ") + app->FileVersion()
                                        + QStringLiteral(", ") + app->Copyright() + QStringLiteral(", zelvano.pl"));

        QCOMPARE(output.at(12), QByteArray("<p class=\"subtext\">Data i czas wygenerowania dokumentu: 14.03.2025 09:26:53</p>"));
        QCOMPARE(output.at(13), QByteArray("</body></document>"));
    }

    void writesDateOfSystemClockWithoutTimeZone()
    {
        SetDocumentClock({});
        TVolumeUnitsConverter converter;
        const QList<QByteArray> output = Document(QStringLiteral("l"), QStringLiteral("l"), 1, converter);
        const QRegularExpression pattern(
            QStringLiteral("^<p class=\"subtext\">Data i czas wygenerowania dokumentu: "
                           "\\d{1,2}\\.\\d{2}\\.\\d{4}( \\d{2}:\\d{2}:\\d{2})?</p>$"));
        QVERIFY2(pattern.match(QString::fromUtf8(output.at(12))).hasMatch(), output.at(12).constData());
    }

    void writesDateAndTimeInRegionalFormat_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("expected");
        QTest::newRow("afternoon") << QDateTime(QDate(2024, 12, 1), QTime(17, 5, 9)) << QStringLiteral("1.12.2024 17:05:09");
        QTest::newRow("exactly midnight drops the time") << QDateTime(QDate(2024, 12, 1), QTime(0, 0)) << QStringLiteral("1.12.2024");
        QTest::newRow("a millisecond after midnight keeps it")
            << QDateTime(QDate(2024, 12, 1), QTime(0, 0, 0, 1)) << QStringLiteral("1.12.2024 00:00:00");
    }

    void writesDateAndTimeInRegionalFormat()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, expected);
        QCOMPARE(DocumentDateTimeText(moment), expected);
    }

    void leavesTimeZoneOutInEveryLocale()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QDateTime utc(QDate(2024, 12, 1), QTime(17, 5, 9), Qt::UTC);
        const QString text = DocumentDateTimeText(utc);
        QVERIFY2(text.contains(QStringLiteral("5:05:09")), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("UTC")) && !text.contains(QStringLiteral("GMT")), qPrintable(text));
        QCOMPARE(text, text.trimmed());
    }

    void escapesReservedCharactersInTitleAndUnits()
    {
        TUnitsConversion conversion;
        conversion.SrcUnit = FFixture.Units->FindBySysId(QStringLiteral("mug"));
        conversion.DstUnit = FFixture.Units->FindBySysId(QStringLiteral("l"));
        conversion.SrcValue = 3;
        QVERIFY(FFixture.Convert(conversion));
        const QString title = QStringLiteral("Piwo & <cydr> \"na wynos\"");
        QList<QByteArray> output;
        MakeConversionDocument(conversion, title, output);

        QCOMPARE(ElementText(output.at(0) + "</head></document>"), title);
        const QList<QString> texts = {
            title,
            QStringLiteral("Wartość i jednostka źródłowa: 3 × kufel \"Pod Kogutem\" & <dzban> (k<&>\")"),
            QStringLiteral("Wartość i jednostka docelowa: 1,5 × litr (l)"),
            QStringLiteral("Przelicznik: 1 k<&>\" = 0,5 l"),
        };
        for (int i = 0; i < texts.size(); ++i) {
            const QByteArray line = output.at(7 + i);
            const QByteArray content = line.mid(line.indexOf('>') + 1, line.lastIndexOf('<') - line.indexOf('>') - 1);
            for (char reserved : {'<', '>', '"'})
                QVERIFY2(!content.contains(reserved), line.constData());
            QCOMPARE(ElementText(line), texts.at(i));
        }
    }

    void writesUnitTextsOfTheTable_data()
    {
        QTest::addColumn<QString>("src");
        QTest::addColumn<QString>("dst");
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("srcLine");
        QTest::addColumn<QByteArray>("dstLine");
        QTest::addColumn<QByteArray>("factorLine");
        QTest::newRow("same unit")
            << "l" << "l" << 2.5
            << QByteArray("<p>Warto\xC5\x9B\xC4\x87 i jednostka \xC5\xBAr\xC3\xB3" "d\xC5\x82owa: 2,5 \xC3\x97 litr (l)</p>")
            << QByteArray("<p>Warto\xC5\x9B\xC4\x87 i jednostka docelowa: 2,5 \xC3\x97 litr (l)</p>")
            << QByteArray("<p>Przelicznik: 1 l = 1 l</p>");
        QTest::newRow("non-ASCII symbols as UTF-8")
            << "m3" << "ul" << 1.0
            << QByteArray("<p>Warto\xC5\x9B\xC4\x87 i jednostka \xC5\xBAr\xC3\xB3" "d\xC5\x82owa: 1 \xC3\x97 metr sze\xC5\x9B" "cienny (m\xC2\xB3)</p>")
            << QByteArray("<p>Warto\xC5\x9B\xC4\x87 i jednostka docelowa: 1000000000 \xC3\x97 mikrolitr (\xCE\xBCl)</p>")
            << QByteArray("<p>Przelicznik: 1 m\xC2\xB3 = 1000000000 \xCE\xBCl</p>");
        QTest::newRow("no symbols: name, no parentheses; no Polish name: empty label")
            << "cask" << "barrel" << 1.0
            << QByteArray("<p>Warto\xC5\x9B\xC4\x87 i jednostka \xC5\xBAr\xC3\xB3" "d\xC5\x82owa: 1 \xC3\x97 cask</p>")
            << QByteArray("<p>Warto\xC5\x9B\xC4\x87 i jednostka docelowa: 2 \xC3\x97 beczka</p>")
            << QByteArray("<p>Przelicznik: 1  = 2 beczka</p>");
        QTest::newRow("exponent form kept")
            << "ul" << "barrel" << 1.0
            << QByteArray("<p>Warto\xC5\x9B\xC4\x87 i jednostka \xC5\xBAr\xC3\xB3" "d\xC5\x82owa: 1 \xC3\x97 mikrolitr (\xCE\xBCl)</p>")
            << QByteArray("<p>Warto\xC5\x9B\xC4\x87 i jednostka docelowa: 1E-8 \xC3\x97 beczka</p>")
            << QByteArray("<p>Przelicznik: 1 \xCE\xBCl = 1E-8 beczka</p>");
    }

    void writesUnitTextsOfTheTable()
    {
        QFETCH(QString, src);
        QFETCH(QString, dst);
        QFETCH(double, value);
        QFETCH(QByteArray, srcLine);
        QFETCH(QByteArray, dstLine);
        QFETCH(QByteArray, factorLine);
        const QList<QByteArray> output = Document(src, dst, value, FFixture);
        QCOMPARE(output.at(8), srcLine);
        QCOMPARE(output.at(9), dstLine);
        QCOMPARE(output.at(10), factorLine);
    }

    void noPrinterRaisesAndLeavesListEmpty()
    {
        SetPrinterDevice(nullptr);
        TUnitsConversion conversion;
        conversion.SrcUnit = conversion.DstUnit = FFixture.Units->FindBySysId(QStringLiteral("l"));
        QList<QByteArray> output = {"an earlier document"};
        QVERIFY_THROWS_EXCEPTION(EPrinter, MakeConversionDocument(conversion, DocTitle, output));
        QVERIFY(output.isEmpty());
    }

    void scriptWithoutConversionRaisesInsteadOfCrashing()
    {
        TUnitsConversionScript script;
        QList<QByteArray> output;
        QVERIFY_THROWS_EXCEPTION(Exception, script.Make(output));
    }
};

QTEST_GUILESS_MAIN(TestCalcDocScript)
#include "tst_calcdocscript.moc"
