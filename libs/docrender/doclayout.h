#pragma once

#include "docmarkup.h"

#include <QRectF>
#include <QTextLayout>

#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;

namespace docrender {

// Where a paragraph ended up, in device pixels of the pagination.
struct TParagraphPlacement
{
    int FirstPage = 0; // from 1
    double Top = 0;    // from the top of the content area of FirstPage
    double Height = 0; // lines only, margins excluded
    int Lines = 0;
    double LineHeight = 0;
};

// A document broken into pages for one sheet at one resolution; immutable once made.
class TPagination
{
public:
    // Lays tree out on sheets of width x height device pixels at resolution pixels per inch;
    // metrics is a device of that resolution for the fonts.
    TPagination(const TDocTree &tree, double resolution, double width, double height, QPaintDevice *metrics);

    bool IsValid() const { return FValid; }
    int PageCount() const { return static_cast<int>(FPages.size()); }
    double Resolution() const { return FResolution; }
    const std::vector<TParagraphPlacement> &Placements() const { return FPlacements; }

    // Draws page (from 0) in the pagination's device pixels on painter's current transform.
    void DrawPage(QPainter &painter, int page) const;

private:
    struct TPlacedLine
    {
        int Paragraph;
        int Line;
        double Y; // top of the line, from the top of the content area
    };

    bool FValid = false;
    double FResolution = 0;
    QRectF FContent;
    std::vector<std::unique_ptr<QTextLayout>> FLayouts;
    std::vector<QColor> FColors;
    std::vector<std::vector<TPlacedLine>> FPages;
    std::vector<TParagraphPlacement> FPlacements;
};

} // namespace docrender
