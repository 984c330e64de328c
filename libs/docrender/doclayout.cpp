#include "doclayout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

namespace docrender {

namespace {

QFont MakeFont(const TTextFormat &format)
{
    QFont font(format.Face);
    font.setPointSizeF(format.SizePt);
    font.setBold(format.Bold);
    font.setItalic(format.Italic);
    font.setUnderline(format.Underline);
    return font;
}

} // namespace

TPagination::TPagination(const TDocTree &tree, double resolution, double width, double height,
                         QPaintDevice *metrics)
{
    const double pxPerMm = resolution / 25.4;
    const TPageSettings &page = tree.Page;
    FContent = QRectF(page.PaddingLeftMm * pxPerMm, page.PaddingTopMm * pxPerMm,
                      width - (page.PaddingLeftMm + page.PaddingRightMm) * pxPerMm,
                      height - (page.PaddingTopMm + page.PaddingBottomMm) * pxPerMm);
    // Paddings that leave no room for a line of text: nothing sensible can be laid out.
    if (resolution <= 0 || FContent.width() < 1 || FContent.height() < 1)
        return;
    FResolution = resolution;

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    FPages.emplace_back();
    double y = 0;
    for (std::size_t index = 0; index < tree.Paragraphs.size(); ++index) {
        const TParagraph &paragraph = tree.Paragraphs[index];
        const QFont font = MakeFont(paragraph.Format);
        auto layout = std::make_unique<QTextLayout>(paragraph.Text, font, metrics);
        layout->setTextOption(option);
        const double spacing = QFontMetricsF(font, metrics).lineSpacing();
        const double advance = spacing * paragraph.Format.InterlinePct / 100;

        TParagraphPlacement placement;
        placement.LineHeight = advance;
        // A top margin at the top of a page would only push the text down.
        if (y > 0)
            y += paragraph.Format.MarginTopLn * advance;

        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(FContent.width());
            line.setPosition(QPointF(0, 0));
            // The line's ink must fit; a line taller than a whole page still gets a page of its own.
            if (y > 0 && y + spacing > FContent.height()) {
                FPages.emplace_back();
                y = 0;
            }
            if (placement.Lines == 0) {
                placement.FirstPage = static_cast<int>(FPages.size());
                placement.Top = y;
            }
            FPages.back().push_back({static_cast<int>(index), line.lineNumber(), y});
            ++placement.Lines;
            y += advance;
        }
        layout->endLayout();
        placement.Height = placement.Lines * advance;
        y += paragraph.Format.MarginBottomLn * advance;

        FLayouts.push_back(std::move(layout));
        FColors.push_back(paragraph.Format.Color);
        FPlacements.push_back(placement);
    }
    FValid = true;
}

void TPagination::DrawPage(QPainter &painter, int page) const
{
    if (page < 0 || page >= PageCount())
        return;
    for (const TPlacedLine &placed : FPages[static_cast<std::size_t>(page)]) {
        const QTextLine line = FLayouts[static_cast<std::size_t>(placed.Paragraph)]->lineAt(placed.Line);
        painter.setPen(FColors[static_cast<std::size_t>(placed.Paragraph)]);
        line.draw(&painter, QPointF(FContent.left(), FContent.top() + placed.Y));
    }
}

} // namespace docrender
