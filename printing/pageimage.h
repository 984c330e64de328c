#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

// The picture of the current page inside the preview's scroll box; paints only what is exposed.
class TPageImage : public QWidget
{
    Q_OBJECT

public:
    explicit TPageImage(QWidget *parent = nullptr);

    // Takes the page picture; its device pixel ratio says how many image pixels make a logical one.
    void SetPicture(QImage picture);
    // A picture of that many pixels to copy a page into. Its memory is kept from one page to the
    // next, so that turning pages and zooming do not fault in a fresh buffer of up to ~90 MB each time.
    QImage &NewPicture(QSize pixels, qreal ratio);
    // Gives the kept memory back (the window is closed).
    void ReleasePicture();
    // The picture to draw on in place.
    QImage &Canvas() { return FPicture; }
    // A copy of the picture that stays as it is when the next page comes.
    QImage Picture() const { return FPicture.copy(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage FPicture;
    std::unique_ptr<uchar[]> FStore;
    qsizetype FStoreSize = 0;
};
