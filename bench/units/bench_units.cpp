// Speed of the conversion core: Convert, number text both ways, and loading the volume table.
#include "numbertext.h"
#include "strconv.h"
#include "unitsconverter.h"

#include <QCoreApplication>
#include <QLocale>

#include <benchmark/benchmark.h>

using namespace Unitsconverter;

namespace {

void BM_Convert(benchmark::State &state)
{
    static const TVolumeUnitsConverter converter;
    TUnitsConversion conversion;
    conversion.SrcUnit = converter.Units->FindBySysId(QStringLiteral("imp_gal"));
    conversion.DstUnit = converter.Units->FindBySysId(QStringLiteral("us_liquid_gal"));
    const TUnitsConverter &base = converter;
    long double value = 10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        conversion.SrcValue = value;
        base.Convert(conversion);
        benchmark::DoNotOptimize(conversion.DstValue);
    }
}
BENCHMARK(BM_Convert);

void BM_FormatNumber(benchmark::State &state)
{
    double value = 1 / 4.54609;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(FormatNumber(value, -1));
    }
}
BENCHMARK(BM_FormatNumber);

void BM_FormatNumberScientific(benchmark::State &state)
{
    double value = 2.5e-20;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(FormatNumber(value, -1));
    }
}
BENCHMARK(BM_FormatNumberScientific);

void BM_ParseNumber(benchmark::State &state)
{
    const QString text = QStringLiteral("1 234,56789e-3");
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseNumber(text));
}
BENCHMARK(BM_ParseNumber);

void BM_ConstructVolumeConverter(benchmark::State &state)
{
    for (auto _ : state) {
        TVolumeUnitsConverter converter;
        benchmark::DoNotOptimize(converter.Units->Count());
    }
}
BENCHMARK(BM_ConstructVolumeConverter)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    InitStrConv(QCoreApplication::applicationDirPath().toLocal8Bit() + "/strconv.so");
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
