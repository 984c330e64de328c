#include "familylibraries.h"

#include "exception.h"

#include <QLibrary>

#include <memory>

namespace {

// The loaded modules; a QLibrary leaves its module loaded when it is destroyed at exit.
std::vector<std::unique_ptr<QLibrary>> &LoadedModules()
{
    static std::vector<std::unique_ptr<QLibrary>> modules;
    return modules;
}

const char *BaseName(TFamilyLibrary library)
{
    switch (library) {
    case TFamilyLibrary::StrConv: return "strconv";
    case TFamilyLibrary::DocRender: return "docrender";
    case TFamilyLibrary::Geometrics: return "geometrics";
    case TFamilyLibrary::ImageLib: return "imagelib";
    case TFamilyLibrary::QuickPDF: return "quickpdf";
    }
    return "";
}

} // namespace

QString FamilyLibraryFileName(TFamilyLibrary library)
{
#ifdef Q_OS_WIN
    return QString::fromLatin1(BaseName(library)) + QStringLiteral(".dll");
#else
    return QString::fromLatin1(BaseName(library)) + QStringLiteral(".so");
#endif
}

std::vector<void *> LoadFamilyLibrary(TFamilyLibrary library, const QByteArray &path,
                                      std::span<const char *const> names,
                                      const QString &missingSuffix)
{
    const QString message = QStringLiteral("Cannot initialize ") + FamilyLibraryFileName(library);
    // Never unloaded: the pointers stay valid until the process ends.
    auto module = std::make_unique<QLibrary>(QString::fromLocal8Bit(path));
    if (path.isEmpty() || !module->load())
        throw Exception(message);
    std::vector<void *> pointers;
    pointers.reserve(names.size());
    for (const char *name : names) {
        void *pointer = reinterpret_cast<void *>(module->resolve(name));
        if (!pointer) {
            module->unload();
            throw Exception(message + missingSuffix);
        }
        pointers.push_back(pointer);
    }
    LoadedModules().push_back(std::move(module));
    return pointers;
}
