#include "docpreprocessorbase.h"

#include "fakeprinterdevice.h"
#include "strconv.h"

#include <QCoreApplication>
#include <QTest>
#include <QXmlStreamReader>

Q_DECLARE_METATYPE(TDeviceCaps)

namespace {

// The smallest complete script: one body line; its derived metrics readable.
class TProbeScript : public TStandardDocumentScript
{
public:
    quint32 BigFontSize() const { return FBigFontSize; }
    quint32 SmallFontSize() const { return FSmallFontSize; }
    double LineOverflow() const { return FLineOverflow; }
    double CellPadding() const { return FCellPadding; }
    double FullLineHeight() const { return FFullLineHeight; }

protected:
    void GenerateBody() override { FOutput->append(QByteArrayLiteral("<p>body</p>")); }
};

const QByteArray DefaultPageLine =
    "</head><page autodimensions=\"off\" adjustpadding=\"off\" width=\"209mm\" height=\"297mm\" "
    "padding-left=\"25mm\" padding-top=\"25mm\" padding-right=\"25mm\" padding-bottom=\"25mm\" "
    "interln=\"100%\" fontface=\"Times New Roman\" fontsize=\"12\" fontcolor=\"#000000\" "
    "fontbold=\"off\" fontitalic=\"off\" fontunderline=\"off\"/><body>";

// The text an XML reader sees in the element that line holds.
QString ElementText(const QByteArray &element)
{
    QXmlStreamReader reader(element);
    reader.readNextStartElement();
    return reader.readElementText();
}

} // namespace

class TestDocPreprocessorBase : public QObject
{
    Q_OBJECT

private:
    TFakePrinterDevice FPrinter = A4At600Dpi();

private slots:
    void initTestCase()
    {
        InitStrConv((QCoreApplication::applicationDirPath() + QStringLiteral("/strconv.so")).toUtf8());
    }

    void init()
    {
        FPrinter = A4At600Dpi();
        SetPrinterDevice(&FPrinter);
    }

    void cleanup() { SetPrinterDevice(nullptr); }

    void writesDefaultDocumentWithoutStyleElement()
    {
        TProbeScript script;
        QList<QByteArray> output;
        script.Make(output);
        const QList<QByteArray> expected = {"<document><head><title></title>", DefaultPageLine, "<p>body</p>",
                                            "</body></document>"};
        QCOMPARE(output, expected);
    }

    void writesStylesFlagsMarginsAndFontInOrder()
    {
        TProbeScript script;
        script.SetTitle(QStringLiteral("Raport"));
        script.Styles() << "<class name=\"a\" />" << "<class name=\"b\" />";
        script.SetPageAutoDimensions(true);
        script.SetPageAdjustPadding(true);
        script.SetMarginLeft(1);
        script.SetMarginTop(2);
        script.SetMarginRight(3);
        script.SetMarginBottom(4);
        script.SetFontName("Arial");
        script.SetBaseFontSize(9);
        script.SetFontColor(0x0000FF);
        script.SetFontStyles(TFontStyle::Bold | TFontStyle::Underline);
        QList<QByteArray> output;
        script.Make(output);
        const QList<QByteArray> expected = {
            "<document><head><title>Raport</title>",
            "<style>",
            "<class name=\"a\" />",
            "<class name=\"b\" />",
            "</style>",
            "</head><page autodimensions=\"on\" adjustpadding=\"on\" width=\"209mm\" height=\"297mm\" "
            "padding-left=\"1mm\" padding-top=\"2mm\" padding-right=\"3mm\" padding-bottom=\"4mm\" "
            "interln=\"100%\" fontface=\"Arial\" fontsize=\"9\" fontcolor=\"#ff0000\" "
            "fontbold=\"on\" fontitalic=\"off\" fontunderline=\"on\"/><body>",
            "<p>body</p>",
            "</body></document>"};
        QCOMPARE(output, expected);
    }

    void derivesLineMetricsFromInterline_data()
    {
        QTest::addColumn<quint32>("interline");
        QTest::addColumn<quint32>("written");
        QTest::addColumn<double>("overflow");
        QTest::addColumn<double>("cellPadding");
        QTest::addColumn<double>("fullLineHeight");
        QTest::newRow("80 is raised to single spacing") << 80u << 100u << 0.0 << 0.1 << 1.0;
        QTest::newRow("0 is raised too") << 0u << 100u << 0.0 << 0.1 << 1.0;
        QTest::newRow("single") << 100u << 100u << 0.0 << 0.1 << 1.0;
        QTest::newRow("120 inside the padding range") << 120u << 120u << 0.2 << 0.2 << 1.2;
        QTest::newRow("150 padding limited") << 150u << 150u << 0.5 << 0.25 << 1.5;
    }

    void derivesLineMetricsFromInterline()
    {
        QFETCH(quint32, interline);
        QFETCH(quint32, written);
        QFETCH(double, overflow);
        QFETCH(double, cellPadding);
        QFETCH(double, fullLineHeight);
        TProbeScript script;
        script.SetInterline(interline);
        QList<QByteArray> output;
        script.Make(output);
        QCOMPARE(script.Interline(), written);
        QVERIFY(output.at(1).contains("interln=\"" + QByteArray::number(written) + "%\""));
        QCOMPARE(script.LineOverflow(), overflow);
        QCOMPARE(script.CellPadding(), cellPadding);
        QCOMPARE(script.FullLineHeight(), fullLineHeight);
    }

    void derivesBigAndSmallFontSizes_data()
    {
        QTest::addColumn<quint32>("base");
        QTest::addColumn<quint32>("big");
        QTest::addColumn<quint32>("small");
        QTest::newRow("12") << 12u << 16u << 10u;
        QTest::newRow("10") << 10u << 13u << 8u;
        QTest::newRow("5 rounds halves up") << 5u << 7u << 4u;
        QTest::newRow("0") << 0u << 0u << 0u;
    }

    void derivesBigAndSmallFontSizes()
    {
        QFETCH(quint32, base);
        QFETCH(quint32, big);
        QFETCH(quint32, small);
        TProbeScript script;
        script.SetBaseFontSize(base);
        QList<QByteArray> output;
        script.Make(output);
        QCOMPARE(script.BigFontSize(), big);
        QCOMPARE(script.SmallFontSize(), small);
    }

    void writesFontAttributes_data()
    {
        QTest::addColumn<TColor>("colour");
        QTest::addColumn<int>("styles");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("black, no style")
            << TColor(0) << 0
            << QByteArray("fontcolor=\"#000000\" fontbold=\"off\" fontitalic=\"off\" fontunderline=\"off\"");
        QTest::newRow("red low byte first")
            << TColor(0xEFAB12) << 0
            << QByteArray("fontcolor=\"#12abef\" fontbold=\"off\" fontitalic=\"off\" fontunderline=\"off\"");
        QTest::newRow("top byte ignored")
            << TColor(0xFF000000) << 0
            << QByteArray("fontcolor=\"#000000\" fontbold=\"off\" fontitalic=\"off\" fontunderline=\"off\"");
        QTest::newRow("strike-out only is not written")
            << TColor(0) << int(TFontStyle::StrikeOut)
            << QByteArray("fontcolor=\"#000000\" fontbold=\"off\" fontitalic=\"off\" fontunderline=\"off\"");
        QTest::newRow("all styles")
            << TColor(0xFFFFFF) << int(TFontStyle::Bold | TFontStyle::Italic | TFontStyle::Underline | TFontStyle::StrikeOut)
            << QByteArray("fontcolor=\"#ffffff\" fontbold=\"on\" fontitalic=\"on\" fontunderline=\"on\"");
    }

    void writesFontAttributes()
    {
        QFETCH(TColor, colour);
        QFETCH(int, styles);
        QFETCH(QByteArray, expected);
        TProbeScript script;
        QCOMPARE(script.MakeFontStr(colour, TFontStyles::fromInt(styles)), expected);
    }

    void takesPaperSizeFromPrinter_data()
    {
        QTest::addColumn<TDeviceCaps>("caps");
        QTest::addColumn<QByteArray>("size");
        QTest::newRow("A4 at 600 dpi") << TDeviceCaps{4960, 7016, 600, 600} << QByteArray("width=\"209mm\" height=\"297mm\"");
        QTest::newRow("letter at 300 dpi") << TDeviceCaps{2550, 3300, 300, 300} << QByteArray("width=\"215mm\" height=\"279mm\"");
        QTest::newRow("height uses the vertical resolution")
            << TDeviceCaps{4960, 3508, 600, 300} << QByteArray("width=\"209mm\" height=\"297mm\"");
    }

    void takesPaperSizeFromPrinter()
    {
        QFETCH(TDeviceCaps, caps);
        QFETCH(QByteArray, size);
        FPrinter.Caps = caps;
        TProbeScript script;
        script.SetPageWidth(100);
        script.SetPageHeight(100);
        QList<QByteArray> output;
        script.Make(output);
        QVERIFY2(output.at(1).contains(size), output.at(1).constData());
    }

    void printerThatCannotAnswerLeavesListEmpty_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("message");
        QTest::newRow("failing printer") << true << QStringLiteral("Printer selected is not valid");
        QTest::newRow("no printer") << false << QStringLiteral("There is no default printer currently selected");
    }

    void printerThatCannotAnswerLeavesListEmpty()
    {
        QFETCH(bool, installed);
        QFETCH(QString, message);
        FPrinter.Fails = true;
        if (!installed)
            SetPrinterDevice(nullptr);
        TProbeScript script;
        QList<QByteArray> output = {"an earlier document"};
        try {
            script.Make(output);
            QFAIL("Make did not raise");
        } catch (const EPrinter &error) {
            QCOMPARE(error.Message(), message);
        }
        QVERIFY(output.isEmpty());
    }

    void secondMakeReplacesTheDocument()
    {
        TProbeScript script;
        QList<QByteArray> once;
        script.Make(once);
        QList<QByteArray> twice;
        script.Make(twice);
        script.Make(twice);
        QCOMPARE(twice, once);
    }

    void abstractOperationsRaise()
    {
        QList<QByteArray> output;
        TDocRendererScriptBase base;
        QVERIFY_THROWS_EXCEPTION(EAbstractError, base.Make(output));
        TStandardDocumentScript standard;
        QVERIFY_THROWS_EXCEPTION(EAbstractError, standard.Make(output));
    }

    void escapesReservedCharactersInTitle()
    {
        const QString title = QStringLiteral("Ania & \"Bolek\" <ą ł × ³ μ>");
        TProbeScript script;
        script.SetTitle(title);
        QList<QByteArray> output;
        script.Make(output);
        const QByteArray line = output.first();
        QVERIFY(line.startsWith("<document><head><title>"));
        QVERIFY(line.endsWith("</title>"));
        const QByteArray text = line.mid(23, line.size() - 23 - 8);
        for (char reserved : {'<', '>', '"'})
            QVERIFY2(!text.contains(reserved), text.constData());
        QCOMPARE(ElementText("<title>" + text + "</title>"), title);
        QVERIFY(text.contains("\xC4\x85 \xC5\x82 \xC3\x97 \xC2\xB3 \xCE\xBC"));
    }

    void strForRenderOfEmptyTextIsEmpty() { QCOMPARE(StrForRender(QString()), QByteArray()); }
};

QTEST_GUILESS_MAIN(TestDocPreprocessorBase)
#include "tst_docpreprocessorbase.moc"
