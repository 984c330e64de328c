#include "libraryloader.h"

#include "messageboxes.h"

bool LoadLibraries()
{
    for (const TFamilyLibrary library : FamilyLibraries) {
        try {
            InitFamilyLibrary(library, FamilyLibraryPath(library));
        } catch (...) {
            ErrorMsg(LibraryLoadErrorMessage(library).toUtf8());
            return false;
        }
    }
    return true;
}
