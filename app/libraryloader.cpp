#include "libraryloader.h"

#include "appcommons.h"
#include "docrenderer.h"
#include "geometricslib.h"
#include "imagelib.h"
#include "quickpdf.h"
#include "strconv.h"

#include <QFile>
#include <QFileInfo>

QByteArray FamilyLibraryPath(TFamilyLibrary library)
{
    const QString file = FamilyLibraryFileName(library);
    const QString besideProgram = MyApp()->GetDirectory() + file;
    // isFile follows links: a link to a missing file does not count as the library being there.
    if (QFileInfo(besideProgram).isFile())
        return QFile::encodeName(besideProgram);
    return QFile::encodeName(QStringLiteral("../Shared/") + file);
}

void InitFamilyLibrary(TFamilyLibrary library, const QByteArray &path)
{
    switch (library) {
    case TFamilyLibrary::StrConv: InitStrConv(path); return;
    case TFamilyLibrary::DocRender: InitDocRenderer(path); return;
    case TFamilyLibrary::Geometrics: InitGeometricsLib(path); return;
    case TFamilyLibrary::ImageLib: InitImageLib(path); return;
    case TFamilyLibrary::QuickPDF: InitQuickPDF(path); return;
    }
}

QString LibraryLoadErrorMessage(TFamilyLibrary library)
{
    return QStringLiteral("Nie można załadować biblioteki ") + FamilyLibraryFileName(library)
        + QStringLiteral(" lub jej wersja jest nieprawidłowa. Program nie może kontynuować pracy. "
                         "Ponowna instalacja programu może rozwiązać problem.");
}
