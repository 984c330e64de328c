#pragma once

#include <cstdint>

class QPainter;

// The family libraries take a drawing surface as an opaque pointer-sized handle:
// a QPainter that is active on some paint device (a screen image, an off-screen image, the printer).
using HCANVAS = std::uintptr_t;

inline HCANVAS CanvasHandle(QPainter *painter)
{
    return reinterpret_cast<HCANVAS>(painter);
}

inline QPainter *CanvasPainter(HCANVAS handle)
{
    return reinterpret_cast<QPainter *>(handle);
}
