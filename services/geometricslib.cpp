#include "geometricslib.h"

#include "familylibraries.h"

#include <QString>

#include <array>

#define KALK_GEOM_DEFINE_POINTER(name) name##_t name = nullptr;
KALK_GEOMETRICS_ENTRY_POINTS(KALK_GEOM_DEFINE_POINTER)
#undef KALK_GEOM_DEFINE_POINTER

namespace {

#define KALK_GEOM_NAME(name) #name,
constexpr std::array EntryPointNames = {KALK_GEOMETRICS_ENTRY_POINTS(KALK_GEOM_NAME)};
#undef KALK_GEOM_NAME

bool Loaded = false;

} // namespace

void InitGeometricsLib(const QByteArray &Path)
{
    const std::vector<void *> pointers =
        LoadFamilyLibrary(TFamilyLibrary::Geometrics, Path, EntryPointNames, QStringLiteral("."));
    // Assigned only once every name resolved, so a failed load leaves the pointers as they were.
    size_t next = 0;
#define KALK_GEOM_ASSIGN_POINTER(name) name = reinterpret_cast<name##_t>(pointers[next++]);
    KALK_GEOMETRICS_ENTRY_POINTS(KALK_GEOM_ASSIGN_POINTER)
#undef KALK_GEOM_ASSIGN_POINTER
    Loaded = true;
}

bool GeometricsLibLoaded()
{
    return Loaded;
}
