#include "printing.h"

#include "canvashandle.h"
#include "currentprinter.h"
#include "docrenderer.h"
#include "exception.h"
#include "printpreviewwnd.h"
#include "screenpage.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>

#include <utility>

namespace {

// The one render record of the run; each operation fills only the fields it needs.
DOCRENDER RenderRecord{};

// The painter of the print job in progress, handed to the renderer at each page break.
QPainter *PrinterCanvas = nullptr;

TPdfFileNameProvider PdfFileNameProvider;

// One renderer object per operation, freed whatever happens.
class TRendererObject
{
public:
    TRendererObject() : Index(DocRend_CreateObject()) {}
    ~TRendererObject() { DocRend_FreeObject(Index); }
    TRendererObject(const TRendererObject &) = delete;
    TRendererObject &operator=(const TRendererObject &) = delete;

    const std::uint32_t Index;
};

// Points the render record at the markup for one operation and forgets it when the buffer goes.
class TMarkupBuffer
{
public:
    explicit TMarkupBuffer(const QList<QByteArray> &Script)
    {
        qsizetype size = 0;
        for (const QByteArray &line : Script)
            size += line.size() + 2;
        FBytes.reserve(size);
        for (const QByteArray &line : Script) {
            FBytes.append(line);
            FBytes.append("\r\n", 2);
        }
        RenderRecord.lpXMLBuffer = FBytes.constData();
        RenderRecord.nXMLBufferSize = static_cast<std::uint32_t>(FBytes.size());
    }
    ~TMarkupBuffer()
    {
        RenderRecord.lpXMLBuffer = nullptr;
        RenderRecord.nXMLBufferSize = 0;
    }
    TMarkupBuffer(const TMarkupBuffer &) = delete;
    TMarkupBuffer &operator=(const TMarkupBuffer &) = delete;

private:
    QByteArray FBytes;
};

// Loads the markup and builds the tree; false when the renderer rejects either.
bool LoadDocument(std::uint32_t renderer)
{
    return DocRend_LoadXML(renderer, &RenderRecord) && DocRend_BuildTree(renderer, &RenderRecord);
}

QString DocumentTitle(std::uint32_t renderer)
{
    char16_t buffer[256] = {};
    DocRend_GetDocTitle(renderer, buffer, 256);
    qsizetype first = 0;
    qsizetype last = 256;
    while (first < last && buffer[first] <= u' ')
        ++first;
    while (last > first && buffer[last - 1] <= u' ')
        --last;
    return QString::fromUtf16(buffer + first, last - first);
}

std::uint32_t ScreenResolution()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<std::uint32_t>(qRound(screen->logicalDotsPerInchY())) : 96u;
}

TPrintPreviewWnd &PreviewWindow()
{
    if (!PrintPreviewWnd)
        PrintPreviewWnd = new TPrintPreviewWnd();
    return *PrintPreviewWnd;
}

DR_BOOL DOCREND_CALL PreviewPageBreak(PAGEBREAKPARAMS *Params)
{
    if (!Params || !PrintPreviewWnd)
        return false;
    Params->hCanvas = PrintPreviewWnd->PageCanvas();
    return true;
}

DR_BOOL DOCREND_CALL PrinterPageBreak(PAGEBREAKPARAMS *Params)
{
    if (!Params || !PrinterCanvas)
        return false;
    // A page the printer refuses ends the job's drawing instead of drawing over the last page.
    if (!Printer().newPage())
        return false;
    Params->hCanvas = CanvasHandle(PrinterCanvas);
    return true;
}

QString DefaultPdfFileName(const QString &title)
{
    QString name = title;
    // Characters a file name cannot hold on the platforms the program runs on.
    for (QChar &c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = u'_';
    if (name.isEmpty())
        name = QStringLiteral("wydruk");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();

    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Zapisz wydruk jako PDF"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Dokument PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(folder);
    dialog.selectFile(name + QStringLiteral(".pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

// One print job on the current printer: begun on construction, ended whatever happens.
class TPrintJob
{
public:
    explicit TPrintJob(QPrinter &printer) : FPrinter(printer)
    {
        if (PrinterIsPdf()) {
            const QString title = printer.docName();
            const QString file = PdfFileNameProvider ? PdfFileNameProvider(title) : DefaultPdfFileName(title);
            if (file.isEmpty())
                return;
            FPdfFileName = file;
            FPreviousFileName = printer.outputFileName();
            printer.setOutputFileName(file);
            // A name without the .pdf suffix must not switch the printer away from PDF.
            printer.setOutputFormat(QPrinter::PdfFormat);
        }
        if (!FPainter.begin(&printer)) {
            const QString file = FPdfFileName;
            RestoreFileName();
            if (!file.isEmpty())
                throw EPrinter(QStringLiteral("Nie można zapisać pliku „%1”.").arg(QDir::toNativeSeparators(file)));
            throw EPrinter(QStringLiteral("Nie można rozpocząć wydruku na drukarce „%1”.").arg(printer.printerName()));
        }
        PrinterCanvas = &FPainter;
    }

    ~TPrintJob()
    {
        if (FPainter.isActive())
            FPainter.end();
        if (PrinterCanvas == &FPainter)
            PrinterCanvas = nullptr;
        RestoreFileName();
    }

    TPrintJob(const TPrintJob &) = delete;
    TPrintJob &operator=(const TPrintJob &) = delete;

    bool Started() const { return FPainter.isActive(); }
    QPainter &Painter() { return FPainter; }

private:
    // The file asked for one job is not reused by the next one.
    void RestoreFileName()
    {
        if (FPdfFileName.isEmpty())
            return;
        FPrinter.setOutputFileName(FPreviousFileName);
        FPrinter.setOutputFormat(QPrinter::PdfFormat);
        FPdfFileName.clear();
    }

    QPrinter &FPrinter;
    QPainter FPainter;
    QString FPdfFileName;
    QString FPreviousFileName;
};

} // namespace

int PreviewDocument(const QList<QByteArray> &Script)
{
    TMarkupBuffer buffer(Script);
    TRendererObject renderer;
    int result = 2;

    QPrinter &printer = Printer();
    if (!printer.isValid())
        return result;
    if (!LoadDocument(renderer.Index))
        return result;
    const QString title = DocumentTitle(renderer.Index);
    RenderRecord.bSavePagesToFiles = false;

    RenderRecord.hDevice = 0;
    RenderRecord.uResolution = ScreenResolution();
    const TDeviceCaps caps = PrinterDeviceCaps(printer);
    const QSize page = ScreenPageSize(caps.PhysicalWidth, caps.PhysicalHeight, caps.LogPixelsY,
                                      RenderRecord.uResolution);
    RenderRecord.uPhysicalWidth = static_cast<std::uint32_t>(page.width());
    RenderRecord.uPhysicalHeight = static_cast<std::uint32_t>(page.height());

    TPrintPreviewWnd &window = PreviewWindow();
    window.SetPage(page.width(), page.height());
    RenderRecord.hCanvas = window.PageCanvas();
    RenderRecord.bCountPages = true;
    RenderRecord.lpPageBreakProc = PreviewPageBreak;
    if (!DocRend_Paginate(renderer.Index, &RenderRecord))
        return result;

    window.SetRendObj(renderer.Index);
    window.SetTitle(title.toUtf8());
    result = window.exec();
    window.SetRendObj(0);
    return result;
}

bool PrintDocument(const QList<QByteArray> &Script)
{
    TMarkupBuffer buffer(Script);
    TRendererObject renderer;

    QPrinter &printer = Printer();
    if (!printer.isValid())
        return false;
    if (!LoadDocument(renderer.Index))
        return false;
    const QString title = DocumentTitle(renderer.Index);
    RenderRecord.bSavePagesToFiles = false;

    printer.setDocName(title);
    TPrintJob job(printer);
    if (!job.Started())
        return false;

    RenderRecord.hDevice = CanvasHandle(&job.Painter());
    RenderRecord.hCanvas = CanvasHandle(&job.Painter());
    RenderRecord.bCountPages = true;
    RenderRecord.lpPageBreakProc = nullptr;
    DocRend_Paginate(renderer.Index, &RenderRecord);

    RenderRecord.lpPageBreakProc = PrinterPageBreak;
    RenderRecord.uFirstPage = 0;
    RenderRecord.uLastPage = 0;
    RenderRecord.bCountPages = false;
    DocRend_RenderRange(renderer.Index, &RenderRecord);
    // The painter ends with the job; the record must not keep pointing at it.
    RenderRecord.hDevice = 0;
    RenderRecord.hCanvas = 0;
    return true;
}

void SetPdfFileNameProvider(TPdfFileNameProvider provider)
{
    PdfFileNameProvider = std::move(provider);
}
