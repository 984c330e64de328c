#include "printpreviewwnd.h"
#include "ui_printpreviewwnd.h"

#include "currentprinter.h"
#include "docrenderer.h"
#include "geometricslib.h"
#include "imagelib.h"
#include "messageboxes.h"
#include "pageimage.h"
#include "previewglyphs.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QWheelEvent>

#include <cmath>
#include <cstring>

TPrintPreviewWnd *PrintPreviewWnd = nullptr;

namespace {

// The hourglass for the time of one operation, whatever happens in it.
class TWaitCursor
{
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor &) = delete;
    TWaitCursor &operator=(const TWaitCursor &) = delete;
};

// An off-screen bitmap of the image library, destroyed at the end of the refresh.
class TContextBitmap
{
public:
    TContextBitmap(int width, int height)
        // No reference canvas: the bitmap keeps a ratio of 1 and the world transform does the scaling.
        : Index(ImageLib_ContextBitmap_Create(0, width, height, 24))
    {
    }
    ~TContextBitmap()
    {
        if (Index)
            ImageLib_ContextBitmap_Destroy(Index);
    }
    TContextBitmap(const TContextBitmap &) = delete;
    TContextBitmap &operator=(const TContextBitmap &) = delete;

    const std::uint32_t Index;
};

QImage WhitePage(int width, int height)
{
    QImage page(qMax(width, 1), qMax(height, 1), QImage::Format_RGB32);
    page.fill(Qt::white);
    return page;
}

// The one copy of the finished bitmap into the page picture, both of the same size.
void CopyPicture(const QImage &bitmap, QImage &page)
{
    if (bitmap.format() == page.format() && bitmap.size() == page.size()
        && bitmap.bytesPerLine() == page.bytesPerLine()) {
        std::memcpy(page.bits(), bitmap.constBits(), static_cast<std::size_t>(page.sizeInBytes()));
        return;
    }
    QPainter painter(&page);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRect(QPoint(0, 0), page.deviceIndependentSize().toSize()), bitmap,
                      QRect(QPoint(0, 0), page.size()));
}

int ScreenResolution()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

} // namespace

TPrintPreviewWnd::TPrintPreviewWnd(QWidget *parent)
    : TBaseForm(parent), ui(new Ui::TPrintPreviewWnd)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    ui->BFirst->setIcon(PreviewGlyph(TPreviewGlyph::First));
    ui->BPrevious->setIcon(PreviewGlyph(TPreviewGlyph::Previous));
    ui->BNext->setIcon(PreviewGlyph(TPreviewGlyph::Next));
    ui->BLast->setIcon(PreviewGlyph(TPreviewGlyph::Last));
    ui->SBZoomOut->setIcon(PreviewGlyph(TPreviewGlyph::ZoomOut));
    ui->SBZoomIn->setIcon(PreviewGlyph(TPreviewGlyph::ZoomIn));
    ui->SBFit->setIcon(PreviewGlyph(TPreviewGlyph::Fit));

    ui->CBScale->setCompleter(nullptr);
    QPalette scalePalette = ui->CBScale->palette();
    scalePalette.setColor(QPalette::Text, QColor(0, 0, 128));
    ui->CBScale->setPalette(scalePalette);
    ui->CBScale->lineEdit()->installEventFilter(this);
    // Only Enter applies typed text: leaving the box must not pick the entry that matches it.
    disconnect(ui->CBScale->lineEdit(), &QLineEdit::editingFinished, ui->CBScale, nullptr);

    FImageHolder = ui->ScrollContents;
    FImageHolder->installEventFilter(this);
    FImage = new TPageImage(FImageHolder);
    FImage->resize(1, 1);

    connect(ui->BFirst, &QToolButton::clicked, this, &TPrintPreviewWnd::BFirstClick);
    connect(ui->BPrevious, &QToolButton::clicked, this, &TPrintPreviewWnd::BPreviousClick);
    connect(ui->BNext, &QToolButton::clicked, this, &TPrintPreviewWnd::BNextClick);
    connect(ui->BLast, &QToolButton::clicked, this, &TPrintPreviewWnd::BLastClick);
    connect(ui->SBZoomIn, &QToolButton::clicked, this, &TPrintPreviewWnd::SBZoomInClick);
    connect(ui->SBZoomOut, &QToolButton::clicked, this, &TPrintPreviewWnd::SBZoomOutClick);
    connect(ui->SBFit, &QToolButton::clicked, this, &TPrintPreviewWnd::SBFitClick);
    connect(ui->BPrint, &QPushButton::clicked, this, &TPrintPreviewWnd::BPrintClick);
    connect(ui->BClose, &QPushButton::clicked, this, &TPrintPreviewWnd::BCloseClick);
    connect(ui->BPrinter, &QPushButton::clicked, this, &TPrintPreviewWnd::BPrinterClick);
    connect(ui->CBScale, &QComboBox::activated, this, &TPrintPreviewWnd::CBScaleSelect);

    // The wheel scrolls the page wherever the pointer is over the window.
    WatchWheel(this);
    for (QWidget *child : findChildren<QWidget *>())
        WatchWheel(child);

    FMinWidth = width();
    FMinHeight = height();
    setMinimumSize(FMinWidth, FMinHeight);
    FFirstActivate = true;
    FScaleSelected = false;
}

TPrintPreviewWnd::~TPrintPreviewWnd()
{
    // Hiding during destruction moves the focus; nothing may reach the handlers then.
    ui->CBScale->disconnect(this);
    FPagePainter.reset();
    delete ui;
}

void TPrintPreviewWnd::WatchWheel(QWidget *widget)
{
    widget->installEventFilter(this);
}

void TPrintPreviewWnd::WheelScroll(int Delta)
{
    QScrollBar *bar = ui->ScrollBox->verticalScrollBar();
    bar->setValue(bar->value() - Delta);
}

HCANVAS TPrintPreviewWnd::GetPageCanvas()
{
    if (!FPagePainter || !FPagePainter->isActive()) {
        if (FImage->Canvas().isNull())
            FImage->SetPicture(WhitePage(GetPreviewWidth(), GetPreviewHeight()));
        FPagePainter = std::make_unique<QPainter>(&FImage->Canvas());
    }
    return CanvasHandle(FPagePainter.get());
}

int TPrintPreviewWnd::GetPreviewWidth() const
{
    return CanScale() ? static_cast<int>(std::floor(FPageWidth * FScale)) : FPageWidth;
}

int TPrintPreviewWnd::GetPreviewHeight() const
{
    return CanScale() ? static_cast<int>(std::floor(FPageHeight * FScale)) : FPageHeight;
}

void TPrintPreviewWnd::SetTitle(const QByteArray &Title)
{
    FTitle = Title;
    setWindowTitle(QStringLiteral("Podgląd wydruku [") + QString::fromUtf8(FTitle) + QStringLiteral("]"));
}

void TPrintPreviewWnd::SetPage(int Width, int Height)
{
    FPageWidth = Width;
    FPageHeight = Height;
}

int TPrintPreviewWnd::PageCount() const
{
    return static_cast<int>(DocRend_GetPageCount(FRendObj));
}

void TPrintPreviewWnd::FormShow()
{
    static const char *const scales[] = {"25%", "50%", "75%", "100%", "125%",
                                         "150%", "200%", "300%", "400%", "500%"};
    ui->CBScale->clear();
    for (const char *scale : scales)
        ui->CBScale->addItem(QString::fromLatin1(scale));
    FCurrentPage = 0;
    FScale = LimitedScale(1.0);
    RefreshView();
    UpdateInterface();
}

void TPrintPreviewWnd::showEvent(QShowEvent *event)
{
    TBaseForm::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    if (FFirstActivate) {
        FFirstActivate = false;
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TPrintPreviewWnd::hideEvent(QHideEvent *event)
{
    TBaseForm::hideEvent(event);
    // A closed preview keeps no page picture (up to ~90 MB at 500 %).
    if (!event->spontaneous()) {
        FPagePainter.reset();
        FImage->ReleasePicture();
    }
}

void TPrintPreviewWnd::resizeEvent(QResizeEvent *event)
{
    TBaseForm::resizeEvent(event);
    PositionImage();
}

bool TPrintPreviewWnd::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel:
        WheelScroll(static_cast<QWheelEvent *>(event)->angleDelta().y());
        return true;
    case QEvent::KeyPress:
        if (watched == ui->CBScale->lineEdit()) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                DoSelectScale();
                return true;
            }
        }
        break;
    case QEvent::Resize:
        if (watched == FImageHolder)
            PlaceImage();
        break;
    default:
        break;
    }
    return TBaseForm::eventFilter(watched, event);
}

void TPrintPreviewWnd::RefreshView()
{
    TWaitCursor wait;
    // The pagination canvas belongs to the picture about to be replaced.
    FPagePainter.reset();

    const int width = GetPreviewWidth();
    const int height = GetPreviewHeight();
    FImage->resize(qMax(width, 0), qMax(height, 0));
    PositionImage();

    // Drawn at the screen's density so the page is sharp without changing its size on screen.
    const qreal ratio = devicePixelRatioF();
    const int bitmapWidth = static_cast<int>(std::ceil(width * ratio));
    const int bitmapHeight = static_cast<int>(std::ceil(height * ratio));

    QImage &page = FImage->NewPicture(QSize(qMax(bitmapWidth, 1), qMax(bitmapHeight, 1)), ratio);
    bool copied = false;
    if (bitmapWidth > 0 && bitmapHeight > 0 && !page.isNull()) {
        TContextBitmap bitmap(bitmapWidth, bitmapHeight);
        QPainter *canvas = bitmap.Index ? CanvasPainter(ImageLib_ContextBitmap_GetDC(bitmap.Index)) : nullptr;
        if (canvas && canvas->isActive() && canvas->device()->devType() == QInternal::Image) {
            ImageLib_ContextBitmap_Clear(bitmap.Index, 0xFFFFFF);
            const qreal factor = static_cast<float>(FScale) * ratio;
            canvas->setWorldTransform(QTransform::fromScale(factor, factor));

            DOCRENDER record{};
            record.hDevice = 0;
            record.hCanvas = CanvasHandle(canvas);
            record.uResolution = static_cast<std::uint32_t>(ScreenResolution());
            record.uPhysicalWidth = static_cast<std::uint32_t>(FPageWidth);
            record.uPhysicalHeight = static_cast<std::uint32_t>(FPageHeight);
            record.uFirstPage = static_cast<std::uint32_t>(FCurrentPage + 1);
            record.uLastPage = record.uFirstPage;
            record.bCountPages = false;
            record.bSavePagesToFiles = false;
            record.lpPageBreakProc = nullptr;
            DocRend_RenderRange(FRendObj, &record);

            canvas->resetTransform();
            CopyPicture(*static_cast<const QImage *>(canvas->device()), page);
            copied = true;
        }
    }
    if (!copied)
        page.fill(Qt::white);
}

void TPrintPreviewWnd::PositionImage()
{
    FImageHolder->setMinimumSize(FImage->size());
    // Applies the new minimum to the scroll range at once rather than at the next layout pass.
    ui->ScrollBox->setWidgetResizable(true);
    ui->ScrollBox->horizontalScrollBar()->setValue(0);
    ui->ScrollBox->verticalScrollBar()->setValue(0);
    PlaceImage();
}

void TPrintPreviewWnd::PlaceImage()
{
    const QSize area = FImageHolder->size();
    const int left = area.width() > FImage->width() ? (area.width() - FImage->width() + 1) / 2 : 0;
    const int top = area.height() > FImage->height() ? (area.height() - FImage->height() + 1) / 2 : 0;
    FImage->move(left, top);
}

void TPrintPreviewWnd::UpdateInterface()
{
    const int count = PageCount();
    ui->LPageNumber->setText(QStringLiteral("Strona %1 z %2").arg(FCurrentPage + 1).arg(count));
    ui->BRange->setEnabled(false);
    if (count < 2) {
        ui->BFirst->setEnabled(false);
        ui->BPrevious->setEnabled(false);
        ui->BNext->setEnabled(false);
        ui->BLast->setEnabled(false);
    } else {
        ui->BFirst->setEnabled(FCurrentPage > 0);
        ui->BPrevious->setEnabled(FCurrentPage > 0);
        ui->BNext->setEnabled(FCurrentPage < count - 1);
        ui->BLast->setEnabled(FCurrentPage < count - 1);
    }
    ui->SBZoomIn->setEnabled(FScale < GetMaxScale() && CanScale());
    ui->SBZoomOut->setEnabled(FScale > GetMinScale() && CanScale());
    if (!FScaleSelected) {
        ui->CBScale->setCurrentIndex(-1);
        ui->CBScale->setEditText(QString::number(static_cast<long long>(std::floor(FScale * 100))) + u'%');
    }
    ui->SBFit->setEnabled(CanScale());
    ui->CBScale->setEnabled(CanScale());
}

void TPrintPreviewWnd::BFirstClick()
{
    FCurrentPage = 0;
    RefreshView();
    UpdateInterface();
}

void TPrintPreviewWnd::BPreviousClick()
{
    if (FCurrentPage > 0)
        --FCurrentPage;
    RefreshView();
    UpdateInterface();
}

void TPrintPreviewWnd::BNextClick()
{
    if (FCurrentPage < PageCount() - 1)
        ++FCurrentPage;
    RefreshView();
    UpdateInterface();
}

void TPrintPreviewWnd::BLastClick()
{
    // An empty document stays on the first page rather than on page 0.
    FCurrentPage = qMax(PageCount() - 1, 0);
    RefreshView();
    UpdateInterface();
}

void TPrintPreviewWnd::SBZoomInClick()
{
    TWaitCursor wait;
    FScale += 0.25;
    if (FScale > GetMaxScale())
        FScale = GetMaxScale();
    RefreshView();
    UpdateInterface();
}

void TPrintPreviewWnd::SBZoomOutClick()
{
    TWaitCursor wait;
    FScale -= 0.25;
    if (FScale < GetMinScale())
        FScale = GetMinScale();
    RefreshView();
    UpdateInterface();
}

void TPrintPreviewWnd::SBFitClick()
{
    if (FPageWidth == 0 || FPageHeight == 0)
        return;
    GEOM_RECT rect{0, 0, FPageWidth - 1, FPageHeight - 1};
    // The area the page gets once it fits: the scroll box without its scroll bars.
    const QSize area = ui->ScrollBox->maximumViewportSize();
    Geom_FitRectangleIntoArea(static_cast<std::uint32_t>(qMax(area.width(), 0)),
                              static_cast<std::uint32_t>(qMax(area.height(), 0)), &rect, 1);
    FScale = static_cast<double>(Geom_RectWidth(&rect)) / FPageWidth;
    RefreshView();
    UpdateInterface();
}

void TPrintPreviewWnd::DoSelectScale()
{
    QString digits;
    for (const QChar c : ui->CBScale->currentText())
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    bool ok = false;
    int number = digits.toInt(&ok);
    if (!ok)
        number = 0;
    if (number == 0)
        return;
    FScale = LimitedScale(number / 100.0);
    RefreshView();
    UpdateInterface();
}

void TPrintPreviewWnd::CBScaleSelect(int /*Index*/)
{
    FScaleSelected = true;
    try {
        DoSelectScale();
    } catch (...) {
        FScaleSelected = false;
        throw;
    }
    FScaleSelected = false;
}

void TPrintPreviewWnd::BPrintClick()
{
    done(1);
}

void TPrintPreviewWnd::BCloseClick()
{
    done(2);
}

void TPrintPreviewWnd::reject()
{
    done(2);
}

void TPrintPreviewWnd::BPrinterClick()
{
    try {
        QPrintDialog dialog(&Printer(), this);
        dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
        dialog.exec();
    } catch (...) {
        ErrorMsg("Nie można wywołać ustawień drukarki.");
    }
}
