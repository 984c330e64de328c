#pragma once

#include <QApplication>

// The program's application object: an exception leaving an event handler is shown in the
// exception display and the program goes on.
class TCalculatorApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override;
};

// The window program: loads the family libraries, opens the main window and runs until it closes.
// Returns 0, also after a fatal error box; 1 when there is no display to open a window on.
int RunApplication(int argc, char **argv);
