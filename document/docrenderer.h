#pragma once

#include "docrender.h"

#include <QByteArray>

// The docrender family library: loaded once by InitDocRenderer and never unloaded.
// Each pointer below is named like the entry point it reaches and is null until the library is loaded.

// Loads the library from Path and resolves its 23 entry points; raises Exception
// "Cannot initialize docrender.so" when it cannot load it, the same with "." when a name is missing.
void InitDocRenderer(const QByteArray &Path);
bool DocRendererLoaded();

extern DocRend_CreateObject_t DocRend_CreateObject;
extern DocRend_FreeObject_t DocRend_FreeObject;
extern DocRend_LoadXML_t DocRend_LoadXML;
extern DocRend_BuildTree_t DocRend_BuildTree;
extern DocRend_Paginate_t DocRend_Paginate;
extern DocRend_RenderRange_t DocRend_RenderRange;
extern DocRend_GetDocTitle_t DocRend_GetDocTitle;
extern DocRend_GetPageCount_t DocRend_GetPageCount;
extern DocRend_Render_t DocRend_Render;
extern DocRend_GetSavedPagesFileCount_t DocRend_GetSavedPagesFileCount;
extern DocRend_GetSavedPagesFiles_t DocRend_GetSavedPagesFiles;
extern DocRend_Reset_t DocRend_Reset;
extern DocRend_SetScale_t DocRend_SetScale;
extern DocRend_SetKey_t DocRend_SetKey;
extern DocRend_Encode_t DocRend_Encode;
extern DocRend_Decode_t DocRend_Decode;
extern DocRend_GetChildNodeCount_t DocRend_GetChildNodeCount;
extern DocRend_GetChildNodes_t DocRend_GetChildNodes;
extern DocRend_GetNodeType_t DocRend_GetNodeType;
extern DocRend_GetPropertyCount_t DocRend_GetPropertyCount;
extern DocRend_GetPropertyName_t DocRend_GetPropertyName;
extern DocRend_GetPropertyValue_t DocRend_GetPropertyValue;
extern DocRend_FindPropertyIndex_t DocRend_FindPropertyIndex;
