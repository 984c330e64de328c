#include "calcdocpreprocessor.h"

#include "printerdevice.h"
#include "strconv.h"
#include "unitsconverter.h"

#include <QCoreApplication>
#include <QLocale>

#include <benchmark/benchmark.h>

namespace {

// An A4 sheet at 600 dpi, answering at once: the benchmark measures the script, not a printer.
class TA4Printer : public TPrinterDevice
{
public:
    TDeviceCaps DeviceCaps() override { return {4960, 7016, 600, 600}; }
};

// The document made after every "OBLICZ": 1 imperial gallon in litres.
void BM_MakeConversionDocument(benchmark::State &state)
{
    TA4Printer printer;
    SetPrinterDevice(&printer);
    Unitsconverter::TVolumeUnitsConverter converter;
    Unitsconverter::TUnitsConversion conversion;
    conversion.SrcUnit = converter.Units->FindBySysId(QStringLiteral("imp_gal"));
    conversion.DstUnit = converter.Units->FindBySysId(QStringLiteral("l"));
    conversion.SrcValue = 1;
    if (!conversion.SrcUnit || !conversion.DstUnit || !converter.Convert(conversion)) {
        state.SkipWithError("the volume table lacks imp_gal or l");
        return;
    }
    const QString title = QStringLiteral("Konwersja jednostek objętości");
    QList<QByteArray> output;
    for (auto _ : state) {
        MakeConversionDocument(conversion, title, output);
        benchmark::DoNotOptimize(output.data());
    }
    SetPrinterDevice(nullptr);
}
BENCHMARK(BM_MakeConversionDocument)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    InitStrConv((QCoreApplication::applicationDirPath() + QStringLiteral("/strconv.so")).toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
