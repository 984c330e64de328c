#include "printerdevice.h"

#include "exception.h"

namespace {
TPrinterDevice *CurrentDevice = nullptr;
}

TPrinterDevice &PrinterDevice()
{
    if (!CurrentDevice)
        throw EPrinter(QStringLiteral("There is no default printer currently selected"));
    return *CurrentDevice;
}

void SetPrinterDevice(TPrinterDevice *device)
{
    CurrentDevice = device;
}
