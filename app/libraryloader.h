#pragma once

#include "familylibraries.h"

#include <QByteArray>
#include <QString>

// Where the library is loaded from: the program's folder when the file exists there (links
// followed), otherwise "../Shared/" + file name relative to the current directory.
QByteArray FamilyLibraryPath(TFamilyLibrary library);

// Calls the library's own initialiser with path; raises its Exception when it cannot load it.
void InitFamilyLibrary(TFamilyLibrary library, const QByteArray &path);

// The Polish text shown when the library cannot be loaded.
QString LibraryLoadErrorMessage(TFamilyLibrary library);

// Loads the five libraries in order; on the first failure shows the error box and returns false
// without trying the rest.
bool LoadLibraries();
