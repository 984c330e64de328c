#pragma once

#include <QIcon>

enum class TPreviewGlyph { First, Previous, Next, Last, ZoomOut, ZoomIn, Fit };

// The two-state glyph of a preview speed button: a normal and a greyed disabled picture,
// each drawn for ordinary and high-density screens.
QIcon PreviewGlyph(TPreviewGlyph glyph);
