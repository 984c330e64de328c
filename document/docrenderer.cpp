#include "docrenderer.h"

#include "familylibraries.h"

#include <array>

DocRend_CreateObject_t DocRend_CreateObject = nullptr;
DocRend_FreeObject_t DocRend_FreeObject = nullptr;
DocRend_LoadXML_t DocRend_LoadXML = nullptr;
DocRend_BuildTree_t DocRend_BuildTree = nullptr;
DocRend_Paginate_t DocRend_Paginate = nullptr;
DocRend_RenderRange_t DocRend_RenderRange = nullptr;
DocRend_GetDocTitle_t DocRend_GetDocTitle = nullptr;
DocRend_GetPageCount_t DocRend_GetPageCount = nullptr;
DocRend_Render_t DocRend_Render = nullptr;
DocRend_GetSavedPagesFileCount_t DocRend_GetSavedPagesFileCount = nullptr;
DocRend_GetSavedPagesFiles_t DocRend_GetSavedPagesFiles = nullptr;
DocRend_Reset_t DocRend_Reset = nullptr;
DocRend_SetScale_t DocRend_SetScale = nullptr;
DocRend_SetKey_t DocRend_SetKey = nullptr;
DocRend_Encode_t DocRend_Encode = nullptr;
DocRend_Decode_t DocRend_Decode = nullptr;
DocRend_GetChildNodeCount_t DocRend_GetChildNodeCount = nullptr;
DocRend_GetChildNodes_t DocRend_GetChildNodes = nullptr;
DocRend_GetNodeType_t DocRend_GetNodeType = nullptr;
DocRend_GetPropertyCount_t DocRend_GetPropertyCount = nullptr;
DocRend_GetPropertyName_t DocRend_GetPropertyName = nullptr;
DocRend_GetPropertyValue_t DocRend_GetPropertyValue = nullptr;
DocRend_FindPropertyIndex_t DocRend_FindPropertyIndex = nullptr;

namespace {

bool Loaded = false;

constexpr std::array<const char *, 23> EntryPoints = {
    "DocRend_CreateObject", "DocRend_FreeObject", "DocRend_LoadXML", "DocRend_BuildTree",
    "DocRend_Paginate", "DocRend_RenderRange", "DocRend_GetDocTitle", "DocRend_GetPageCount",
    "DocRend_Render", "DocRend_GetSavedPagesFileCount", "DocRend_GetSavedPagesFiles", "DocRend_Reset",
    "DocRend_SetScale", "DocRend_SetKey", "DocRend_Encode", "DocRend_Decode",
    "DocRend_GetChildNodeCount", "DocRend_GetChildNodes", "DocRend_GetNodeType",
    "DocRend_GetPropertyCount", "DocRend_GetPropertyName", "DocRend_GetPropertyValue",
    "DocRend_FindPropertyIndex"};

template <typename T>
void Assign(T &pointer, void *address)
{
    pointer = reinterpret_cast<T>(address);
}

} // namespace

void InitDocRenderer(const QByteArray &Path)
{
    // Raises before anything is assigned, so a failed load leaves no half-set pointers.
    const std::vector<void *> p = LoadFamilyLibrary(TFamilyLibrary::DocRender, Path, EntryPoints, QStringLiteral("."));
    Assign(DocRend_CreateObject, p[0]);
    Assign(DocRend_FreeObject, p[1]);
    Assign(DocRend_LoadXML, p[2]);
    Assign(DocRend_BuildTree, p[3]);
    Assign(DocRend_Paginate, p[4]);
    Assign(DocRend_RenderRange, p[5]);
    Assign(DocRend_GetDocTitle, p[6]);
    Assign(DocRend_GetPageCount, p[7]);
    Assign(DocRend_Render, p[8]);
    Assign(DocRend_GetSavedPagesFileCount, p[9]);
    Assign(DocRend_GetSavedPagesFiles, p[10]);
    Assign(DocRend_Reset, p[11]);
    Assign(DocRend_SetScale, p[12]);
    Assign(DocRend_SetKey, p[13]);
    Assign(DocRend_Encode, p[14]);
    Assign(DocRend_Decode, p[15]);
    Assign(DocRend_GetChildNodeCount, p[16]);
    Assign(DocRend_GetChildNodes, p[17]);
    Assign(DocRend_GetNodeType, p[18]);
    Assign(DocRend_GetPropertyCount, p[19]);
    Assign(DocRend_GetPropertyName, p[20]);
    Assign(DocRend_GetPropertyValue, p[21]);
    Assign(DocRend_FindPropertyIndex, p[22]);
    Loaded = true;
}

bool DocRendererLoaded()
{
    return Loaded;
}
