#include "previewglyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int GlyphSize = 16;

void DrawTriangle(QPainter &p, qreal left, bool pointsLeft)
{
    QPainterPath path;
    if (pointsLeft) {
        path.moveTo(left + 5, 3);
        path.lineTo(left, 8);
        path.lineTo(left + 5, 13);
    } else {
        path.moveTo(left, 3);
        path.lineTo(left + 5, 8);
        path.lineTo(left, 13);
    }
    path.closeSubpath();
    p.drawPath(path);
}

void DrawMagnifier(QPainter &p, const QColor &colour, bool plus, bool minus)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 1.5));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(QPen(colour, 1.5));
    if (plus || minus)
        p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (plus)
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
}

void DrawGlyph(QPainter &p, TPreviewGlyph glyph, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    switch (glyph) {
    case TPreviewGlyph::First:
        p.drawRect(QRectF(3, 3, 2, 10));
        DrawTriangle(p, 6, true);
        DrawTriangle(p, 10, true);
        break;
    case TPreviewGlyph::Previous:
        DrawTriangle(p, 5, true);
        break;
    case TPreviewGlyph::Next:
        DrawTriangle(p, 6, false);
        break;
    case TPreviewGlyph::Last:
        DrawTriangle(p, 1, false);
        DrawTriangle(p, 5, false);
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case TPreviewGlyph::ZoomOut:
        DrawMagnifier(p, colour, false, true);
        break;
    case TPreviewGlyph::ZoomIn:
        DrawMagnifier(p, colour, true, false);
        break;
    case TPreviewGlyph::Fit:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour, 1));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(colour);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(5, 4, 6, 8));
        break;
    }
}

QPixmap GlyphPixmap(TPreviewGlyph glyph, const QColor &colour, qreal ratio)
{
    QPixmap pixmap(qRound(GlyphSize * ratio), qRound(GlyphSize * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawGlyph(p, glyph, colour);
    return pixmap;
}

} // namespace

QIcon PreviewGlyph(TPreviewGlyph glyph)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        icon.addPixmap(GlyphPixmap(glyph, QColor(0, 0, 128), ratio), QIcon::Normal);
        icon.addPixmap(GlyphPixmap(glyph, QColor(160, 160, 160), ratio), QIcon::Disabled);
    }
    return icon;
}
