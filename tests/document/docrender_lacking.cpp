// A docrender module that lacks DocRend_FindPropertyIndex, for the loader's missing-name message.
#define LACKING_EXPORT extern "C" __attribute__((visibility("default")))

LACKING_EXPORT void DocRend_CreateObject() {}
LACKING_EXPORT void DocRend_FreeObject() {}
LACKING_EXPORT void DocRend_LoadXML() {}
LACKING_EXPORT void DocRend_BuildTree() {}
LACKING_EXPORT void DocRend_Paginate() {}
LACKING_EXPORT void DocRend_RenderRange() {}
LACKING_EXPORT void DocRend_GetDocTitle() {}
LACKING_EXPORT void DocRend_GetPageCount() {}
LACKING_EXPORT void DocRend_Render() {}
LACKING_EXPORT void DocRend_GetSavedPagesFileCount() {}
LACKING_EXPORT void DocRend_GetSavedPagesFiles() {}
LACKING_EXPORT void DocRend_Reset() {}
LACKING_EXPORT void DocRend_SetScale() {}
LACKING_EXPORT void DocRend_SetKey() {}
LACKING_EXPORT void DocRend_Encode() {}
LACKING_EXPORT void DocRend_Decode() {}
LACKING_EXPORT void DocRend_GetChildNodeCount() {}
LACKING_EXPORT void DocRend_GetChildNodes() {}
LACKING_EXPORT void DocRend_GetNodeType() {}
LACKING_EXPORT void DocRend_GetPropertyCount() {}
LACKING_EXPORT void DocRend_GetPropertyName() {}
LACKING_EXPORT void DocRend_GetPropertyValue() {}
