#include "windowlibrary.h"

#include "appcommons.h"
#include "exception.h"

#include <QLibrary>

void *WindowLibraryEntry(const char *name)
{
    // Loaded once and kept for the rest of the run.
    static QLibrary library(MyApp()->GetDirectory() + QStringLiteral("kalk_app"));
    if (!library.isLoaded() && !library.load()) {
        throw Exception(QStringLiteral("Nie można załadować biblioteki okna programu (%1).")
                            .arg(library.errorString()));
    }
    void *entry = reinterpret_cast<void *>(library.resolve(name));
    if (!entry) {
        throw Exception(QStringLiteral("Biblioteka okna programu nie ma funkcji %1.")
                            .arg(QLatin1String(name)));
    }
    return entry;
}
