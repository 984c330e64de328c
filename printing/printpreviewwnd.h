#pragma once

#include "baseform.h"
#include "canvashandle.h"

#include <QByteArray>

#include <cstdint>
#include <memory>

class QPainter;
class QShowEvent;
class QHideEvent;
class QResizeEvent;
class QWheelEvent;
class TPageImage;

namespace Ui {
class TPrintPreviewWnd;
}

// Shows a paginated document page by page with zoom, fit and navigation; the printing
// service hands it a renderer object for the time it is shown modally.
class TPrintPreviewWnd : public TBaseForm
{
    Q_OBJECT

public:
    explicit TPrintPreviewWnd(QWidget *parent = nullptr);
    ~TPrintPreviewWnd() override;

    virtual void WheelScroll(int Delta);
    // Canvas of the current page picture; stays valid until the next refresh of the view.
    virtual HCANVAS GetPageCanvas();
    virtual int GetPreviewWidth() const;
    virtual int GetPreviewHeight() const;
    virtual double GetMaxScale() const { return 5.0; }
    virtual double GetMinScale() const { return 0.25; }
    virtual void DoSelectScale();
    virtual bool CanScale() const { return true; }
    virtual void SetTitle(const QByteArray &Title);
    virtual void SetPage(int Width, int Height);

    HCANVAS PageCanvas() { return GetPageCanvas(); }
    // Renderer object of the document; meaningful only while the window is shown.
    std::uint32_t RendObj() const { return FRendObj; }
    void SetRendObj(std::uint32_t Value) { FRendObj = Value; }
    QByteArray Title() const { return FTitle; }
    int PageWidth() const { return FPageWidth; }
    int PageHeight() const { return FPageHeight; }
    int CurrentPage() const { return FCurrentPage; }
    double Scale() const { return FScale; }

    void RefreshView();
    void PositionImage();
    void UpdateInterface();

    // The window's controls, for the service and for tests.
    Ui::TPrintPreviewWnd *Controls() const { return ui; }
    // The page picture in the scroll box.
    TPageImage *Image() const { return FImage; }

public slots:
    void BFirstClick();
    void BPreviousClick();
    void BNextClick();
    void BLastClick();
    void SBZoomInClick();
    void SBZoomOutClick();
    void SBFitClick();
    void BPrintClick();
    void BCloseClick();
    void BPrinterClick();
    void CBScaleSelect(int Index);
    // Closing in any way but "Drukuj" (Escape, the close box) answers 2.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    // scale lowered to the maximum, else raised to the minimum.
    double LimitedScale(double scale) const
    {
        return scale > GetMaxScale() ? GetMaxScale() : scale < GetMinScale() ? GetMinScale() : scale;
    }
    void PlaceImage();
    int PageCount() const;
    void WatchWheel(QWidget *widget);

    Ui::TPrintPreviewWnd *ui;
    QWidget *FImageHolder = nullptr;
    TPageImage *FImage = nullptr;
    std::unique_ptr<QPainter> FPagePainter;
    int FMinWidth = 0;
    int FMinHeight = 0;
    bool FFirstActivate = true;
    int FCurrentPage = 0;
    QByteArray FTitle;
    std::uint32_t FRendObj = 0;
    int FPageWidth = 0;
    int FPageHeight = 0;
    double FScale = 1.0;
    bool FScaleSelected = false;
};

// The single preview window of the run, created hidden at start-up; the printing service
// creates it on first use when start-up has not.
extern TPrintPreviewWnd *PrintPreviewWnd;
