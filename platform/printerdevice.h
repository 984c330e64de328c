#pragma once

#include <QtGlobal>

// What the document code needs to know of the current printer, without depending on
// Qt's print support: its whole sheet in device pixels and its resolution.
struct TDeviceCaps
{
    qint64 PhysicalWidth = 0;
    qint64 PhysicalHeight = 0;
    int LogPixelsX = 0;
    int LogPixelsY = 0;
};

class TPrinterDevice
{
public:
    virtual ~TPrinterDevice() = default;
    // Raises EPrinter when the printer cannot answer.
    virtual TDeviceCaps DeviceCaps() = 0;
};

// The current printer as the document code sees it; the print-support layer installs it.
// Raises EPrinter "There is no default printer currently selected" when none is installed.
TPrinterDevice &PrinterDevice();
// Borrowed; nullptr uninstalls.
void SetPrinterDevice(TPrinterDevice *device);
