#include "linklabel.h"

#include <QLabel>
#include <QMouseEvent>

void MakeLinkLabel(QLabel *label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

bool IsLabelClick(QLabel *label, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    return mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint());
}
