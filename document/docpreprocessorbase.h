#pragma once

#include <QByteArray>
#include <QFlags>
#include <QList>
#include <QString>

// Default font style of a document.
enum class TFontStyle : quint8 { Bold = 0x1, Italic = 0x2, Underline = 0x4, StrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

// A colour as 0x00BBGGRR: red in the low byte; the top byte is ignored.
using TColor = quint32;

// Page and font settings, the style list, the derived metrics and the head and end of a document
// in the renderer's markup. A script lives for one Make: create, set properties, Make, delete.
class TDocRendererScriptBase
{
public:
    TDocRendererScriptBase();
    TDocRendererScriptBase(const TDocRendererScriptBase &) = delete;
    TDocRendererScriptBase &operator=(const TDocRendererScriptBase &) = delete;
    virtual ~TDocRendererScriptBase();

    quint32 PageWidth() const { return FPageWidth; }
    void SetPageWidth(quint32 value) { FPageWidth = value; }
    quint32 PageHeight() const { return FPageHeight; }
    void SetPageHeight(quint32 value) { FPageHeight = value; }
    quint32 MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(quint32 value) { FMarginLeft = value; }
    quint32 MarginTop() const { return FMarginTop; }
    void SetMarginTop(quint32 value) { FMarginTop = value; }
    quint32 MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(quint32 value) { FMarginBottom = value; }
    quint32 MarginRight() const { return FMarginRight; }
    void SetMarginRight(quint32 value) { FMarginRight = value; }
    QByteArray FontName() const { return FFontName; }
    void SetFontName(const QByteArray &value) { FFontName = value; }
    quint32 BaseFontSize() const { return FBaseFontSize; }
    void SetBaseFontSize(quint32 value) { FBaseFontSize = value; }
    TFontStyles FontStyles() const { return FFontStyles; }
    void SetFontStyles(TFontStyles value) { FFontStyles = value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor value) { FFontColor = value; }
    quint32 Interline() const { return FInterline; }
    void SetInterline(quint32 value) { FInterline = value; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString &value) { FTitle = value; }
    bool PageAutoDimensions() const { return FPageAutoDimensions; }
    void SetPageAutoDimensions(bool value) { FPageAutoDimensions = value; }
    bool PageAdjustPadding() const { return FPageAdjustPadding; }
    void SetPageAdjustPadding(bool value) { FPageAdjustPadding = value; }
    // Style class definitions, one class element per line; the list itself is the script's.
    QList<QByteArray> &Styles() { return FStyles; }
    const QList<QByteArray> &Styles() const { return FStyles; }

    // The page element's font attributes: fontcolor, fontbold, fontitalic, fontunderline.
    virtual QByteArray MakeFontStr(TColor colour, TFontStyles styles);
    // Writes one whole document into AOutput; here abstract: raises EAbstractError.
    virtual void Make(QList<QByteArray> &AOutput);

protected:
    // Derived metrics, the interline floor and the current printer's paper size (may raise EPrinter).
    virtual void SetMetrics();
    virtual void GenerateHeader();
    virtual void GenerateFooter();

    quint32 FPageWidth = 210;
    quint32 FPageHeight = 297;
    quint32 FMarginLeft = 25;
    quint32 FMarginTop = 25;
    quint32 FMarginBottom = 25;
    quint32 FMarginRight = 25;
    QByteArray FFontName = "Times New Roman";
    quint32 FBaseFontSize = 12;
    quint32 FBigFontSize = 0;
    quint32 FSmallFontSize = 0;
    TFontStyles FFontStyles;
    TColor FFontColor = 0;
    quint32 FInterline = 100;
    double FLineOverflow = 0;
    double FCellPadding = 0;
    double FFullLineHeight = 1.0;
    QString FTitle;
    QList<QByteArray> *FOutput = nullptr; // borrowed: the list Make writes to
    bool FPageAutoDimensions = false;
    bool FPageAdjustPadding = false;
    QList<QByteArray> FStyles;
};

// Head, body, end: the body is left to subclasses.
class TStandardDocumentScript : public TDocRendererScriptBase
{
public:
    // Clears AOutput, then writes the head, the body and the end into it.
    void Make(QList<QByteArray> &AOutput) override;

protected:
    // Here abstract: raises EAbstractError.
    virtual void GenerateBody();
};

// Text from data for the markup: entities escaped, then UTF-8 (needs the strconv library loaded).
QByteArray StrForRender(const QString &text);
// "#rrggbb" in lower case from a 0x00BBGGRR colour.
QByteArray VCLColorToHTMLColorStr(TColor colour);
// The current printer's whole sheet in whole millimetres (may raise EPrinter).
void GetPrintablePageDimensionsMm(double &width, double &height);
