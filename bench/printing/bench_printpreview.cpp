#include "docrenderer.h"
#include "familylibraries.h"
#include "geometricslib.h"
#include "imagelib.h"
#include "pageimage.h"
#include "printpreviewwnd.h"
#include "ui_printpreviewwnd.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

// A4 at 96 pixels per inch, as the preview gets it from an A4 printer.
constexpr int PageWidth = 793;
constexpr int PageHeight = 1122;

std::uint32_t PaginatedConversionDocument()
{
    QFile file(QStringLiteral(PRINTPREVIEW_BENCH_DOCUMENT));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing %s", PRINTPREVIEW_BENCH_DOCUMENT);
    static QByteArray markup;
    markup = file.readAll().replace("\n", "\r\n");
    QImage canvas(1, 1, QImage::Format_RGB32);
    QPainter painter(&canvas);
    DOCRENDER record{};
    record.lpXMLBuffer = markup.constData();
    record.nXMLBufferSize = static_cast<std::uint32_t>(markup.size());
    record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
    record.uResolution = 96;
    record.uPhysicalWidth = PageWidth;
    record.uPhysicalHeight = PageHeight;
    record.bCountPages = 1;
    const std::uint32_t document = DocRend_CreateObject();
    if (!DocRend_LoadXML(document, &record) || !DocRend_BuildTree(document, &record)
        || !DocRend_Paginate(document, &record))
        qFatal("the conversion document does not paginate");
    return document;
}

// Made on first use, gone before the application object.
std::unique_ptr<TPrintPreviewWnd> PreviewWindow;

TPrintPreviewWnd &Preview()
{
    if (!PreviewWindow) {
        PreviewWindow = std::make_unique<TPrintPreviewWnd>();
        PreviewWindow->SetPage(PageWidth, PageHeight);
        PreviewWindow->SetRendObj(PaginatedConversionDocument());
    }
    return *PreviewWindow;
}

void RefreshViewAt(benchmark::State &state)
{
    TPrintPreviewWnd &window = Preview();
    window.Controls()->CBScale->setEditText(QString::number(state.range(0)) + u'%');
    window.DoSelectScale();
    for (auto _ : state) {
        window.RefreshView();
        benchmark::DoNotOptimize(window.Image()->Canvas().constBits());
    }
    state.SetLabel(QStringLiteral("%1 x %2 px").arg(window.Image()->width()).arg(window.Image()->height()).toStdString());
}

} // namespace

BENCHMARK(RefreshViewAt)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath() + u'/';
    InitDocRenderer((folder + FamilyLibraryFileName(TFamilyLibrary::DocRender)).toUtf8());
    InitGeometricsLib((folder + FamilyLibraryFileName(TFamilyLibrary::Geometrics)).toUtf8());
    InitImageLib((folder + FamilyLibraryFileName(TFamilyLibrary::ImageLib)).toUtf8());

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (PreviewWindow) {
        DocRend_FreeObject(PreviewWindow->RendObj());
        PreviewWindow.reset();
    }
    return 0;
}
