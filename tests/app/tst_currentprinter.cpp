#include "currentprinter.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTest>

class TestCurrentPrinter : public QObject
{
    Q_OBJECT

private slots:
    void isOneFullPagePrinterAtHighResolution()
    {
        QCOMPARE(&Printer(), &Printer());
        QVERIFY(Printer().fullPage());
        QVERIFY(Printer().resolution() >= 300);
        QCOMPARE(PrinterIsPdf(), Printer().outputFormat() == QPrinter::PdfFormat);
    }

    void startsOnDefaultPrinterElsePdfA4()
    {
        const QPrinterInfo system = QPrinterInfo::defaultPrinter();
        if (!system.isNull()) {
            QCOMPARE(Printer().printerName(), system.printerName());
        } else if (QPrinterInfo::availablePrinters().isEmpty()) {
            QVERIFY(PrinterIsPdf());
            QCOMPARE(Printer().pageLayout().pageSize().id(), QPageSize::A4);
        }
    }

    void installedDeviceAnswersWithTheWholeSheet()
    {
        InstallCurrentPrinter();
        const TDeviceCaps caps = PrinterDevice().DeviceCaps();
        const QRectF sheet = Printer().paperRect(QPrinter::DevicePixel);
        QCOMPARE(caps.PhysicalWidth, qRound64(sheet.width()));
        QCOMPARE(caps.PhysicalHeight, qRound64(sheet.height()));
        QCOMPARE(caps.LogPixelsX, Printer().resolution());
        QCOMPARE(caps.LogPixelsY, Printer().resolution());
        if (PrinterIsPdf()) {
            // A4 in whole millimetres, as the document's page element will say.
            QCOMPARE(qFloor(double(caps.PhysicalWidth) / caps.LogPixelsX * 25.4), 209);
            QCOMPARE(qFloor(double(caps.PhysicalHeight) / caps.LogPixelsY * 25.4), 297);
        }
        SetPrinterDevice(nullptr);
    }

    void followsTheCurrentPrintersPaper()
    {
        InstallCurrentPrinter();
        const QPageLayout before = Printer().pageLayout();
        QVERIFY(Printer().setPageSize(QPageSize(QPageSize::A5)));
        const TDeviceCaps caps = PrinterDevice().DeviceCaps();
        QCOMPARE(qFloor(double(caps.PhysicalWidth) / caps.LogPixelsX * 25.4), 148);
        Printer().setPageLayout(before);
        SetPrinterDevice(nullptr);
    }
};

QTEST_MAIN(TestCurrentPrinter)
#include "tst_currentprinter.moc"
