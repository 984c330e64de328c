#include "imagelib.h"

#include "familylibraries.h"

#include <QString>

#include <array>

#define KALK_IMAGELIB_DEFINE_POINTER(name) name##_t name = nullptr;
KALK_IMAGELIB_ENTRY_POINTS(KALK_IMAGELIB_DEFINE_POINTER)
#undef KALK_IMAGELIB_DEFINE_POINTER

namespace {

#define KALK_IMAGELIB_NAME(name) #name,
constexpr std::array EntryPointNames = {KALK_IMAGELIB_ENTRY_POINTS(KALK_IMAGELIB_NAME)};
#undef KALK_IMAGELIB_NAME

bool Loaded = false;

} // namespace

void InitImageLib(const QByteArray &Path)
{
    const std::vector<void *> pointers =
        LoadFamilyLibrary(TFamilyLibrary::ImageLib, Path, EntryPointNames, QStringLiteral("."));
    // Assigned only once every name resolved, so a failed load leaves the pointers as they were.
    size_t next = 0;
#define KALK_IMAGELIB_ASSIGN_POINTER(name) name = reinterpret_cast<name##_t>(pointers[next++]);
    KALK_IMAGELIB_ENTRY_POINTS(KALK_IMAGELIB_ASSIGN_POINTER)
#undef KALK_IMAGELIB_ASSIGN_POINTER
    Loaded = true;
}

bool ImageLibLoaded()
{
    return Loaded;
}
