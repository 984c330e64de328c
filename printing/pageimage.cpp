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
