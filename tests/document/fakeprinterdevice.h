#pragma once

#include "exception.h"
#include "printerdevice.h"

// A printer the tests describe: its sheet and resolution, or a printer that cannot answer.
class TFakePrinterDevice : public TPrinterDevice
{
public:
    TFakePrinterDevice(qint64 width, qint64 height, int dpiX, int dpiY)
    {
        Caps.PhysicalWidth = width;
        Caps.PhysicalHeight = height;
        Caps.LogPixelsX = dpiX;
        Caps.LogPixelsY = dpiY;
    }

    TDeviceCaps DeviceCaps() override
    {
        if (Fails)
            throw EPrinter(QStringLiteral("Printer selected is not valid"));
        return Caps;
    }

    TDeviceCaps Caps;
    bool Fails = false;
};

// An A4 sheet at 600 dpi: 209 x 297 whole millimetres.
inline TFakePrinterDevice A4At600Dpi()
{
    return TFakePrinterDevice(4960, 7016, 600, 600);
}
