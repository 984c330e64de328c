// Arbitrary bytes as markup, through every step the printing service and the preview take.
#include "docrender.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>

// fontconfig drops the patterns it caches on first use of a font; that is not the renderer's leak.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Fonts need a GUI application; it lives for the whole run.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    new QGuiApplication(qtArgc, qtArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QImage page(200, 280, QImage::Format_RGB32);
    const uint32_t index = DocRend_CreateObject();
    DOCRENDER record{};
    record.lpXMLBuffer = reinterpret_cast<const char *>(data);
    record.nXMLBufferSize = static_cast<uint32_t>(size);
    record.uResolution = 96;
    record.uPhysicalWidth = 794;
    record.uPhysicalHeight = 1123;
    record.bCountPages = true;
    if (DocRend_LoadXML(index, &record) && DocRend_BuildTree(index, &record)) {
        char16_t title[8];
        DocRend_GetDocTitle(index, title, 8);
        for (uint32_t node = 0; node < 4; ++node) {
            uint32_t children[4];
            DocRend_GetChildNodes(index, node, children, 4);
            DocRend_GetPropertyCount(index, node);
        }
        if (DocRend_Paginate(index, &record)) {
            page.fill(Qt::white);
            QPainter painter(&page);
            painter.scale(0.25, 0.25);
            record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
            record.uFirstPage = 1;
            record.uLastPage = 2;
            if (!DocRend_RenderRange(index, &record) || DocRend_GetPageCount(index) == 0)
                std::abort(); // a paginated document always draws its first page
        }
    }
    DocRend_FreeObject(index);
    return 0;
}
