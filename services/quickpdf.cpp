#include "quickpdf.h"

#include "familylibraries.h"

#include <QString>

#include <array>

#define KALK_QUICKPDF_DEFINE_POINTER(name) name##_t name = nullptr;
KALK_QUICKPDF_ENTRY_POINTS(KALK_QUICKPDF_DEFINE_POINTER)
#undef KALK_QUICKPDF_DEFINE_POINTER

namespace {

#define KALK_QUICKPDF_NAME(name) #name,
constexpr std::array EntryPointNames = {KALK_QUICKPDF_ENTRY_POINTS(KALK_QUICKPDF_NAME)};
#undef KALK_QUICKPDF_NAME

bool Loaded = false;

} // namespace

// Checks that the module loads and exports every entry point of its header; nothing is called.
void InitQuickPDF(const QByteArray &Path)
{
    const std::vector<void *> pointers =
        LoadFamilyLibrary(TFamilyLibrary::QuickPDF, Path, EntryPointNames, QStringLiteral("."));
    // Assigned only once every name resolved, so a failed load leaves the pointers as they were.
    size_t next = 0;
#define KALK_QUICKPDF_ASSIGN_POINTER(name) name = reinterpret_cast<name##_t>(pointers[next++]);
    KALK_QUICKPDF_ENTRY_POINTS(KALK_QUICKPDF_ASSIGN_POINTER)
#undef KALK_QUICKPDF_ASSIGN_POINTER
    Loaded = true;
}

bool QuickPDFLoaded()
{
    return Loaded;
}
