#include "docpreprocessorbase.h"

#include "exception.h"
#include "printerdevice.h"
#include "strconv.h"

#include <cmath>
#include <limits>

namespace {

const QString AbstractErrorText = QStringLiteral("Abstract Error");

QByteArray OnOff(bool value)
{
    return value ? QByteArrayLiteral("on") : QByteArrayLiteral("off");
}

// Whole millimetres of a sheet as the page element writes them; out-of-range values cannot come
// from a printer that answered, but must not become undefined conversions either.
quint32 WholeMillimetres(double value)
{
    if (!(value > 0))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<quint32>::max()))
        return std::numeric_limits<quint32>::max();
    return static_cast<quint32>(std::floor(value));
}

} // namespace

TDocRendererScriptBase::TDocRendererScriptBase() = default;

TDocRendererScriptBase::~TDocRendererScriptBase() = default;

void TDocRendererScriptBase::SetMetrics()
{
    const double base = FBaseFontSize;
    FBigFontSize = static_cast<quint32>(quint64(FBaseFontSize) + quint64(std::floor(base * 0.3 + 0.5)));
    FSmallFontSize = FBaseFontSize - static_cast<quint32>(std::floor(base * 0.2 + 0.5));
    if (FInterline < 100)
        FInterline = 100;
    FLineOverflow = (static_cast<double>(FInterline) - 100.0) / 100.0;
    FCellPadding = FLineOverflow;
    if (FCellPadding > 0.25)
        FCellPadding = 0.25;
    if (FCellPadding < 0.1)
        FCellPadding = 0.1;
    FFullLineHeight = static_cast<double>(FInterline) / 100.0;

    double width = 0;
    double height = 0;
    GetPrintablePageDimensionsMm(width, height);
    FPageWidth = WholeMillimetres(width);
    FPageHeight = WholeMillimetres(height);
}

void TDocRendererScriptBase::GenerateHeader()
{
    FOutput->append(QByteArrayLiteral("<document><head><title>") + StrForRender(FTitle) + QByteArrayLiteral("</title>"));
    if (!FStyles.isEmpty()) {
        FOutput->append(QByteArrayLiteral("<style>"));
        FOutput->append(FStyles);
        FOutput->append(QByteArrayLiteral("</style>"));
    }
    QByteArray page;
    page.reserve(384);
    page += "</head><page autodimensions=\"";
    page += OnOff(FPageAutoDimensions);
    page += "\" adjustpadding=\"";
    page += OnOff(FPageAdjustPadding);
    page += "\" ";
    page += "width=\"";
    page += QByteArray::number(FPageWidth);
    page += "mm\" height=\"";
    page += QByteArray::number(FPageHeight);
    page += "mm\" ";
    page += "padding-left=\"";
    page += QByteArray::number(FMarginLeft);
    page += "mm\" padding-top=\"";
    page += QByteArray::number(FMarginTop);
    page += "mm\" padding-right=\"";
    page += QByteArray::number(FMarginRight);
    page += "mm\" padding-bottom=\"";
    page += QByteArray::number(FMarginBottom);
    page += "mm\" ";
    page += "interln=\"";
    page += QByteArray::number(FInterline);
    page += "%\" ";
    page += "fontface=\"";
    page += FFontName;
    page += "\" fontsize=\"";
    page += QByteArray::number(FBaseFontSize);
    page += "\" ";
    page += MakeFontStr(FFontColor, FFontStyles);
    page += "/>";
    page += "<body>";
    FOutput->append(page);
}

void TDocRendererScriptBase::GenerateFooter()
{
    FOutput->append(QByteArrayLiteral("</body></document>"));
}

QByteArray TDocRendererScriptBase::MakeFontStr(TColor colour, TFontStyles styles)
{
    QByteArray text = QByteArrayLiteral("fontcolor=\"") + VCLColorToHTMLColorStr(colour) + QByteArrayLiteral("\"");
    text += " fontbold=\"" + OnOff(styles.testFlag(TFontStyle::Bold)) + "\"";
    text += " fontitalic=\"" + OnOff(styles.testFlag(TFontStyle::Italic)) + "\"";
    text += " fontunderline=\"" + OnOff(styles.testFlag(TFontStyle::Underline)) + "\"";
    return text;
}

void TDocRendererScriptBase::Make(QList<QByteArray> &)
{
    throw EAbstractError(AbstractErrorText);
}

void TStandardDocumentScript::Make(QList<QByteArray> &AOutput)
{
    AOutput.clear();
    FOutput = &AOutput;
    SetMetrics();
    GenerateHeader();
    GenerateBody();
    GenerateFooter();
}

void TStandardDocumentScript::GenerateBody()
{
    throw EAbstractError(AbstractErrorText);
}

QByteArray StrForRender(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    return UnicodeToUTF8_2(FilterEntitiesIn_2(text, 0));
}

QByteArray VCLColorToHTMLColorStr(TColor colour)
{
    static const char digits[] = "0123456789abcdef";
    QByteArray text(7, '#');
    for (int i = 0; i < 3; ++i) {
        const unsigned byte = (colour >> (8 * i)) & 0xFFu;
        text[1 + 2 * i] = digits[byte >> 4];
        text[2 + 2 * i] = digits[byte & 0xFu];
    }
    return text;
}

void GetPrintablePageDimensionsMm(double &width, double &height)
{
    const TDeviceCaps caps = PrinterDevice().DeviceCaps();
    // A device that answers with no resolution would divide by zero below.
    if (caps.LogPixelsX <= 0 || caps.LogPixelsY <= 0)
        throw EPrinter(QStringLiteral("Printer selected is not valid"));
    width = std::floor(static_cast<double>(caps.PhysicalWidth) / caps.LogPixelsX * 25.4);
    height = std::floor(static_cast<double>(caps.PhysicalHeight) / caps.LogPixelsY * 25.4);
}
