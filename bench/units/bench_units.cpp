// Speed of the conversion core: Convert, number text both ways, and loading the volume table.
#include "numbertext.h"
#include "strconv.h"
#include "unitsconverter.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <benchmark/benchmark.h>
#include <jansson.h>

using namespace Unitsconverter;

namespace {

void BM_Convert(benchmark::State &state)
{
    static const TVolumeUnitsConverter converter;
    TUnitsConversion conversion;
    conversion.SrcUnit = converter.Units->FindBySysId(QStringLiteral("imp_gal"));
    conversion.DstUnit = converter.Units->FindBySysId(QStringLiteral("us_liquid_gal"));
    conversion.SrcValue = 10;
    // Called through the base class, as the calculation does; the compiler must not see the type.
    const TUnitsConverter *base = &converter;
    benchmark::DoNotOptimize(base);
    for (auto _ : state) {
        base->Convert(conversion);
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

// The JSON library's share of the above: parsing and releasing the same table, nothing else.
void BM_JanssonParseOfVolumeTable(benchmark::State &state)
{
    QFile resource(QStringLiteral(":/IDR_VOLUME_UNITS"));
    if (!resource.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no volume table");
        return;
    }
    const QByteArray text = resource.readAll();
    for (auto _ : state) {
        json_error_t error;
        json_t *root = json_loadb(text.constData(), static_cast<std::size_t>(text.size()), 0, &error);
        benchmark::DoNotOptimize(root);
        json_decref(root);
    }
}
BENCHMARK(BM_JanssonParseOfVolumeTable)->Unit(benchmark::kMicrosecond);

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
