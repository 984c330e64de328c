#include "reportwriter.h"

#include "calcdocpreprocessor.h"
#include "currentprinter.h"
#include "exception.h"
#include "libraryloader.h"
#include "printing.h"
#include "volumecalculator.h"
#include "windowlibrary.h"

#include <QApplication>
#include <QPrinter>

#include <cstdio>

namespace {

// The toolkit's own notes would mix with the program's output; only its serious errors are told.
void KeepToolkitQuiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

void LoadRenderer()
{
    try {
        InitFamilyLibrary(TFamilyLibrary::DocRender, FamilyLibraryPath(TFamilyLibrary::DocRender));
    } catch (const std::exception &) {
        throw Exception(LibraryLoadErrorMessage(TFamilyLibrary::DocRender));
    }
}

} // namespace

void WriteConversionReport(const Unitsconverter::TUnitsConversion &conversion, TReportOutput output,
                           const QString &pdfFile)
{
    // No window is shown: the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepToolkitQuiet);
    static int argc = 1;
    static char name[] = "kalkulator-objetosci";
    static char *argv[] = {name, nullptr};
    QApplication application(argc, argv);
    LoadRenderer();
    InstallCurrentPrinter();
    if (output == TReportOutput::Pdf)
        Printer().setOutputFormat(QPrinter::PdfFormat);

    QList<QByteArray> script;
    MakeConversionDocument(conversion, VolumeCalculator::DocTitle(), script);

    if (output == TReportOutput::Markup) {
        for (const QByteArray &line : script) {
            std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
            std::fwrite("\r\n", 1, 2, stdout);
        }
        return;
    }

    if (output == TReportOutput::Pdf) {
        SetPdfFileNameProvider([pdfFile](const QString &) { return pdfFile; });
    } else if (PrinterIsPdf()) {
        throw Exception(QStringLiteral(
            "W systemie nie ma drukarki. Raport można zapisać do pliku opcją --pdf PLIK."));
    }
    if (!PrintDocument(script))
        throw Exception(QStringLiteral("Nie udało się wydrukować raportu."));
}

extern "C" void KalkWriteConversionReport(const Unitsconverter::TUnitsConversion *conversion,
                                          TReportOutput output, const QString *pdfFile)
{
    WriteConversionReport(*conversion, output, *pdfFile);
}
