#include "baseform.h"

#include <QGuiApplication>
#include <QScreen>

TBaseForm::TBaseForm(QWidget *Owner)
    : QDialog(Owner)
{
}

void TBaseForm::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        // A window that placed itself before its first show keeps its place.
        if (!FShownBefore && testAttribute(Qt::WA_Moved))
            FCentreOnShow = false;
        FShownBefore = true;
        if (FCentreOnShow && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
            if (!testAttribute(Qt::WA_Resized))
                adjustSize();
            QScreen *screen = QGuiApplication::primaryScreen();
            if (screen) {
                const QRect area = screen->availableGeometry();
                move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
            }
        }
    }
    QDialog::setVisible(visible);
}
