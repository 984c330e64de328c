#pragma once

#include <QSize>
#include <QtGlobal>

// The printer's whole sheet in screen pixels: each dimension times the screen resolution, divided
// by the printer's vertical resolution, formed in 64 bits and rounded down. Empty for a zero resolution.
inline QSize ScreenPageSize(qint64 physicalWidth, qint64 physicalHeight, qint64 printerDpiY, qint64 screenDpi)
{
    if (printerDpiY <= 0 || screenDpi <= 0 || physicalWidth <= 0 || physicalHeight <= 0)
        return QSize();
    return QSize(static_cast<int>(physicalWidth * screenDpi / printerDpiY),
                 static_cast<int>(physicalHeight * screenDpi / printerDpiY));
}
