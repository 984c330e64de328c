#pragma once

// Relative path: this header shares its file name with the library's own header.
#include "../libs/quickpdf/quickpdf.h"

#include <QByteArray>

// Wrapper of the quickpdf family library. Start-up loads it; nothing of it is called afterwards.

// Every entry point of quickpdf.so, in look-up order.
#define KALK_QUICKPDF_ENTRY_POINTS(X) \
    X(QuickPDFLibraryVersion) \
    X(QuickPDFCreateDocument) \
    X(QuickPDFSetPageSize) \
    X(QuickPDFDrawText) \
    X(QuickPDFSaveToFile) \
    X(QuickPDFRemoveDocument) \
    X(QuickPDFReleaseLibrary)

// One pointer per entry point, named like it; null until InitQuickPDF succeeds, then valid for the run.
#define KALK_QUICKPDF_DECLARE_POINTER(name) extern name##_t name;
KALK_QUICKPDF_ENTRY_POINTS(KALK_QUICKPDF_DECLARE_POINTER)
#undef KALK_QUICKPDF_DECLARE_POINTER

// Loads the library from Path and resolves all its entry points; raises Exception
// "Cannot initialize quickpdf.so" when it cannot be loaded and "Cannot initialize quickpdf.so."
// when a name is missing (the library is then unloaded and no pointer changes).
void InitQuickPDF(const QByteArray &Path);
bool QuickPDFLoaded();
