// The conversion report through the renderer library as the preview uses it: 96 dpi, A4.
#include "docrender.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLibrary>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

DocRend_CreateObject_t CreateObject;
DocRend_FreeObject_t FreeObject;
DocRend_LoadXML_t LoadXML;
DocRend_BuildTree_t BuildTree;
DocRend_Paginate_t Paginate;
DocRend_RenderRange_t RenderRange;
QByteArray Markup;

DOCRENDER ScreenRecord()
{
    DOCRENDER record{};
    record.lpXMLBuffer = Markup.constData();
    record.nXMLBufferSize = static_cast<uint32_t>(Markup.size());
    record.uResolution = 96;
    record.uPhysicalWidth = 794;
    record.uPhysicalHeight = 1123;
    return record;
}

void BM_DocRender_LoadBuildPaginateRender(benchmark::State &state)
{
    QImage page(794, 1123, QImage::Format_RGB32);
    for (auto _ : state) {
        page.fill(Qt::white);
        QPainter painter(&page);
        const uint32_t index = CreateObject();
        DOCRENDER record = ScreenRecord();
        record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
        const bool drawn = LoadXML(index, &record) && BuildTree(index, &record) && Paginate(index, &record)
                           && RenderRange(index, &record);
        FreeObject(index);
        if (!drawn)
            state.SkipWithError("the document was not drawn");
    }
}
BENCHMARK(BM_DocRender_LoadBuildPaginateRender)->Unit(benchmark::kMillisecond);

// The preview's page turn: the paginated object draws one page again.
void BM_DocRender_RenderPaginatedPage(benchmark::State &state)
{
    QImage page(794, 1123, QImage::Format_RGB32);
    const uint32_t index = CreateObject();
    DOCRENDER record = ScreenRecord();
    if (!LoadXML(index, &record) || !BuildTree(index, &record) || !Paginate(index, &record))
        state.SkipWithError("the document was not paginated");
    for (auto _ : state) {
        page.fill(Qt::white);
        QPainter painter(&page);
        record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
        benchmark::DoNotOptimize(RenderRange(index, &record));
    }
    FreeObject(index);
}
BENCHMARK(BM_DocRender_RenderPaginatedPage)->Unit(benchmark::kMillisecond);

template <typename T>
bool Resolve(QLibrary &library, T &pointer, const char *name)
{
    pointer = reinterpret_cast<T>(library.resolve(name));
    return pointer != nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QLibrary library(QCoreApplication::applicationDirPath() + QStringLiteral("/docrender.so"));
    QFile document(QStringLiteral(DOCRENDER_BENCH_DOCUMENT));
    if (!library.load() || !Resolve(library, CreateObject, "DocRend_CreateObject")
        || !Resolve(library, FreeObject, "DocRend_FreeObject") || !Resolve(library, LoadXML, "DocRend_LoadXML")
        || !Resolve(library, BuildTree, "DocRend_BuildTree") || !Resolve(library, Paginate, "DocRend_Paginate")
        || !Resolve(library, RenderRange, "DocRend_RenderRange") || !document.open(QIODevice::ReadOnly)) {
        return 1;
    }
    Markup = document.readAll();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
