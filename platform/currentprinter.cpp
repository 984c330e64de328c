#include "currentprinter.h"

#include "exception.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

const QString InvalidPrinterText = QStringLiteral("Printer selected is not valid");

QPrinter *CreatePrinter()
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
        info = QPrinterInfo::availablePrinters().first();
    QPrinter *printer = nullptr;
    if (info.isNull()) {
        printer = new QPrinter(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
    } else {
        printer = new QPrinter(info, QPrinter::HighResolution);
    }
    // The renderer places the page itself: the device's width and height are the whole sheet.
    printer->setFullPage(true);
    return printer;
}

// The document code's view of whatever printer is current at the moment it asks.
class TCurrentPrinterDevice : public TPrinterDevice
{
public:
    TDeviceCaps DeviceCaps() override { return PrinterDeviceCaps(Printer()); }
};

} // namespace

QPrinter &Printer()
{
    // Lives until the process ends, like the platform's printer object.
    static QPrinter *const printer = CreatePrinter();
    return *printer;
}

bool PrinterIsPdf()
{
    return Printer().outputFormat() == QPrinter::PdfFormat;
}

TDeviceCaps PrinterDeviceCaps(const QPrinter &printer)
{
    if (!printer.isValid())
        throw EPrinter(InvalidPrinterText);
    const QRectF sheet = printer.paperRect(QPrinter::DevicePixel);
    TDeviceCaps caps;
    caps.PhysicalWidth = qRound64(sheet.width());
    caps.PhysicalHeight = qRound64(sheet.height());
    caps.LogPixelsX = printer.resolution();
    caps.LogPixelsY = printer.resolution();
    if (caps.PhysicalWidth <= 0 || caps.PhysicalHeight <= 0 || caps.LogPixelsX <= 0)
        throw EPrinter(InvalidPrinterText);
    return caps;
}

void InstallCurrentPrinter()
{
    static TCurrentPrinterDevice device;
    Printer();
    SetPrinterDevice(&device);
}
