// The real window program, watched from inside: every message box and the main window are written
// to stdout and closed, so that a test can run the start-up from folders it lays out.
#include "application.h"

#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace {

void Report(const char *what, const QString &text)
{
    std::printf("%s: %s\n", what, text.toUtf8().constData());
    std::fflush(stdout);
}

void WatchWindows()
{
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); box && box->isVisible()) {
            Report("message", box->text());
            box->accept();
            return;
        }
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->objectName() == QLatin1String("CLV290ZELVANO25_VU")) {
                Report("window", window->windowTitle());
                window->close();
            }
        }
    });
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchWindows)

int main(int argc, char **argv)
{
    return RunApplication(argc, argv);
}
