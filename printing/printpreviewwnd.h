#pragma once

#include "baseform.h"
#include "canvashandle.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QResizeEvent;
class QShowEvent;
class QWheelEvent;

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
    // Canvas of the current page image, valid while the service paginates.
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
    Ui::TPrintPreviewWnd *Ui() const { return ui; }
    // The page image shown in the scroll box.
    QLabel *Image() const { return FImage; }

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

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void FormActivate();
    int PageCount() const;

    Ui::TPrintPreviewWnd *ui;
    QLabel *FImage = nullptr;
    QImage FPageImage;
    std::unique_ptr<class QPainter> FPagePainter;
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
