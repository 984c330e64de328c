#include "application.h"

#include "aboutwnd.h"
#include "appcommons.h"
#include "currentprinter.h"
#include "exceptiondisplay.h"
#include "libraryloader.h"
#include "licencewnd.h"
#include "printpreviewwnd.h"
#include "tclv290zelvano25_vu.h"
#include "windowlibrary.h"

#include <QIcon>

#include <cstdio>
#include <exception>
#include <memory>

namespace {

bool HasDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// The shared windows exist only while the program runs them.
struct TSharedWindows
{
    ~TSharedWindows()
    {
        AboutWnd = nullptr;
        LicenceWnd = nullptr;
        PrintPreviewWnd = nullptr;
    }
};

} // namespace

bool TCalculatorApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ShowException(error);
    } catch (...) {
        ShowUnknownException();
    }
    return false;
}

int RunApplication(int argc, char **argv)
{
    if (!HasDisplay()) {
        std::fputs("Kalkulator objętości potrzebuje ekranu graficznego: nie ustawiono zmiennej DISPLAY, "
                   "WAYLAND_DISPLAY ani QT_QPA_PLATFORM.\n",
                   stderr);
        return 1;
    }

    TCalculatorApplication application(argc, argv);
    try {
        // The title captions the main window and every message box.
        MyApp()->Title();
        QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/MAINICON")));
        QGuiApplication::setDesktopFileName(QStringLiteral("kalkulator-objetosci"));

        if (!LoadLibraries())
            return 0;
        InstallCurrentPrinter();

        TSharedWindows shared;
        // The main window first: its converter loads the unit table and raises on a bad one.
        auto mainWnd = std::make_unique<TCLV290ZELVANO25_VU>();
        auto aboutWnd = std::make_unique<TAboutWnd>();
        AboutWnd = aboutWnd.get();
        auto licenceWnd = std::make_unique<TLicenceWnd>();
        LicenceWnd = licenceWnd.get();
        auto previewWnd = std::make_unique<TPrintPreviewWnd>();
        PrintPreviewWnd = previewWnd.get();

        QObject::connect(mainWnd.get(), &QDialog::finished, &application, &QCoreApplication::quit);
        mainWnd->show();
        application.exec();
    } catch (const std::exception &error) {
        ShowException(error);
    } catch (...) {
        ShowUnknownException();
    }
    return 0;
}

extern "C" int KalkRunApplication(int argc, char **argv)
{
    return RunApplication(argc, argv);
}
