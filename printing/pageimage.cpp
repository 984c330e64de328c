#include "pageimage.h"

#include <QPaintEvent>
#include <QPainter>

TPageImage::TPageImage(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPageImage::SetPicture(QImage picture)
{
    FPicture = std::move(picture);
    update();
}

QImage &TPageImage::NewPicture(QSize pixels, qreal ratio)
{
    const qsizetype lineBytes = qsizetype(pixels.width()) * 4;
    const qsizetype bytes = lineBytes * pixels.height();
    // The old picture may still point into the store.
    FPicture = QImage();
    if (bytes > FStoreSize) {
        FStore.reset();
        FStoreSize = 0;
        FStore.reset(new (std::nothrow) uchar[bytes]);
        if (FStore)
            FStoreSize = bytes;
    }
    if (FStore && bytes > 0)
        FPicture = QImage(FStore.get(), pixels.width(), pixels.height(), lineBytes, QImage::Format_RGB32);
    FPicture.setDevicePixelRatio(ratio);
    update();
    return FPicture;
}

void TPageImage::ReleasePicture()
{
    FPicture = QImage();
    FStore.reset();
    FStoreSize = 0;
}

void TPageImage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    if (FPicture.isNull()) {
        painter.fillRect(exposed, Qt::white);
        return;
    }
    const qreal ratio = FPicture.devicePixelRatio();
    const QRectF source(exposed.x() * ratio, exposed.y() * ratio, exposed.width() * ratio, exposed.height() * ratio);
    painter.drawImage(QRectF(exposed), FPicture, source);
}
