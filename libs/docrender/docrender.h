/*
 * docrender: reads a document written in the family's markup, builds its tree, breaks it into
 * pages for a device and draws the pages on a canvas.
 *
 * Every entry point takes a renderer object's index first (0 is never a valid index); an unknown
 * index gives a failure result. Nothing the library allocates is handed out: texts are copied
 * into the caller's buffers, and the caller owns every record and buffer it passes in.
 * No entry point throws; failures are reported by the result only.
 */
#ifndef DOCRENDER_H
#define DOCRENDER_H

#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define DOCREND_CALL __stdcall
#else
#define DOCREND_CALL
#endif

#if defined(DOCREND_BUILDING_LIBRARY)
#if defined(_WIN32)
#define DOCREND_API __declspec(dllexport)
#else
#define DOCREND_API __attribute__((visibility("default")))
#endif
#else
#define DOCREND_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t DR_BOOL;            /* one byte, nonzero = true */
typedef uintptr_t DR_HDC;           /* opaque: a QPainter* active on a paint device (screen image, QImage, printer) */

typedef struct PAGEBREAKPARAMS { DR_HDC hCanvas; DR_BOOL bSavePagesToFiles; uint32_t bPageFileFormat;
    const char *lpPageSaveDir; uint32_t uRendObj; } PAGEBREAKPARAMS;

/* Called between two pages while rendering; puts the next page's canvas into Params->hCanvas.
   Returns nonzero to go on, zero to stop. Params belongs to the library for the call only. */
typedef DR_BOOL (DOCREND_CALL *PAGEBREAKPROC)(PAGEBREAKPARAMS *Params);

/* The render record, filled by the caller; the library reads it and never keeps a pointer to it.
   hDevice: 0, or a painter whose device gives resolution (logicalDpiY) and the whole sheet.
   hCanvas: the painter pages are drawn on, in the device pixels of the record's resolution. */
typedef struct DOCRENDER { const char *lpXMLBuffer; uint32_t nXMLBufferSize; DR_HDC hDevice; DR_HDC hCanvas;
    uint32_t uResolution; uint32_t uPhysicalWidth; uint32_t uPhysicalHeight; DR_BOOL bCountPages;
    uint32_t uFirstPage; uint32_t uLastPage; PAGEBREAKPROC lpPageBreakProc; DR_BOOL bSavePagesToFiles;
    const char *lpPageSaveDir; uint8_t bPageFileFormat; } DOCRENDER, *PDOCRENDER;

/* Node kinds of the tree, as DocRend_GetNodeType reports them. */
enum {
    DR_NODE_NONE = 0,       /* no such node */
    DR_NODE_DOCUMENT = 1,
    DR_NODE_HEAD = 2,
    DR_NODE_TITLE = 3,      /* property "text": the title */
    DR_NODE_STYLE = 4,
    DR_NODE_CLASS = 5,      /* properties: the class element's attributes, "name" first */
    DR_NODE_PAGE = 6,       /* properties: the page element's attributes */
    DR_NODE_BODY = 7,
    DR_NODE_PARAGRAPH = 8,  /* properties: its attributes, then after pagination "page", "top", "height",
                               "lines", "line-height" (device pixels of the last pagination) */
    DR_NODE_TEXT = 9        /* a run of a paragraph; property "text" (plain paragraph text is one run) */
};

typedef uint32_t (DOCREND_CALL *DocRend_CreateObject_t)(void);
typedef DR_BOOL (DOCREND_CALL *DocRend_FreeObject_t)(uint32_t ARendIndex);
typedef DR_BOOL (DOCREND_CALL *DocRend_LoadXML_t)(uint32_t ARendIndex, DOCRENDER *ADocRender);
typedef DR_BOOL (DOCREND_CALL *DocRend_BuildTree_t)(uint32_t ARendIndex, DOCRENDER *ADocRender);
typedef DR_BOOL (DOCREND_CALL *DocRend_Paginate_t)(uint32_t ARendIndex, DOCRENDER *ADocRender);
typedef DR_BOOL (DOCREND_CALL *DocRend_RenderRange_t)(uint32_t ARendIndex, DOCRENDER *ADocRender);
typedef DR_BOOL (DOCREND_CALL *DocRend_GetDocTitle_t)(uint32_t ARendIndex, char16_t *lpBuffer, uint32_t nBufferSize);
typedef uint32_t (DOCREND_CALL *DocRend_GetPageCount_t)(uint32_t ARendIndex);
typedef DR_BOOL (DOCREND_CALL *DocRend_Render_t)(uint32_t ARendIndex, DOCRENDER *ADocRender);
typedef uint32_t (DOCREND_CALL *DocRend_GetSavedPagesFileCount_t)(uint32_t ARendIndex);
typedef DR_BOOL (DOCREND_CALL *DocRend_GetSavedPagesFiles_t)(uint32_t ARendIndex, uint32_t AFileIndex,
                                                              char16_t *lpBuffer, uint32_t nBufferSize);
typedef DR_BOOL (DOCREND_CALL *DocRend_Reset_t)(uint32_t ARendIndex);
typedef DR_BOOL (DOCREND_CALL *DocRend_SetScale_t)(uint32_t ARendIndex, double AScale);
typedef DR_BOOL (DOCREND_CALL *DocRend_SetKey_t)(uint32_t ARendIndex, const uint8_t *lpKey, uint32_t nKeySize);
typedef DR_BOOL (DOCREND_CALL *DocRend_Encode_t)(uint32_t ARendIndex, const uint8_t *lpSource, uint32_t nSourceSize,
                                                  uint8_t *lpTarget, uint32_t *nTargetSize);
typedef DR_BOOL (DOCREND_CALL *DocRend_Decode_t)(uint32_t ARendIndex, const uint8_t *lpSource, uint32_t nSourceSize,
                                                  uint8_t *lpTarget, uint32_t *nTargetSize);
typedef uint32_t (DOCREND_CALL *DocRend_GetChildNodeCount_t)(uint32_t ARendIndex, uint32_t ANode);
typedef uint32_t (DOCREND_CALL *DocRend_GetChildNodes_t)(uint32_t ARendIndex, uint32_t ANode,
                                                          uint32_t *lpNodes, uint32_t nCount);
typedef uint32_t (DOCREND_CALL *DocRend_GetNodeType_t)(uint32_t ARendIndex, uint32_t ANode);
typedef uint32_t (DOCREND_CALL *DocRend_GetPropertyCount_t)(uint32_t ARendIndex, uint32_t ANode);
typedef DR_BOOL (DOCREND_CALL *DocRend_GetPropertyName_t)(uint32_t ARendIndex, uint32_t ANode, uint32_t AProperty,
                                                           char16_t *lpBuffer, uint32_t nBufferSize);
typedef DR_BOOL (DOCREND_CALL *DocRend_GetPropertyValue_t)(uint32_t ARendIndex, uint32_t ANode, uint32_t AProperty,
                                                            char16_t *lpBuffer, uint32_t nBufferSize);
typedef int32_t (DOCREND_CALL *DocRend_FindPropertyIndex_t)(uint32_t ARendIndex, uint32_t ANode,
                                                             const char16_t *lpName);

/* The prototypes exist only inside the library; the program resolves the names at run time. */
#if defined(DOCREND_BUILDING_LIBRARY)

/* Creates an empty renderer object; the caller owns it until DocRend_FreeObject. 0 when out of memory. */
DOCREND_API uint32_t DOCREND_CALL DocRend_CreateObject(void);
/* Frees the object and everything it holds; the index is never handed out again. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_FreeObject(uint32_t ARendIndex);
/* Copies nXMLBufferSize bytes of lpXMLBuffer (UTF-8 markup) and reads them; the caller keeps its buffer.
   False for malformed markup, a root other than document, text outside text-holding elements, or a
   null buffer with a size. Replaces whatever the object held. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_LoadXML(uint32_t ARendIndex, DOCRENDER *ADocRender);
/* Builds the tree (title, classes, page, paragraphs) from the loaded markup. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_BuildTree(uint32_t ARendIndex, DOCRENDER *ADocRender);
/* Lays the body out for hDevice (or uResolution/uPhysicalWidth/uPhysicalHeight when it is 0) and
   breaks it into pages. Draws nothing; hCanvas is not touched. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_Paginate(uint32_t ARendIndex, DOCRENDER *ADocRender);
/* Draws pages uFirstPage..uLastPage (from 1; 0 and 0 = all; the last is clamped to the count) on
   hCanvas, calling lpPageBreakProc between two pages for the next canvas; without a procedure all
   pages of the range are drawn on the same canvas, one over the other. False when nothing is
   paginated, the range lies beyond the count, the canvas is 0 or the procedure stopped. The
   painter's state is restored before returning. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_RenderRange(uint32_t ARendIndex, DOCRENDER *ADocRender);
/* Copies the title (UTF-16) into lpBuffer, zero-terminated, truncated to nBufferSize - 1 chars. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_GetDocTitle(uint32_t ARendIndex, char16_t *lpBuffer, uint32_t nBufferSize);
/* Pages of the last pagination; 0 before one. */
DOCREND_API uint32_t DOCREND_CALL DocRend_GetPageCount(uint32_t ARendIndex);
/* DocRend_RenderRange over every page, whatever uFirstPage and uLastPage hold. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_Render(uint32_t ARendIndex, DOCRENDER *ADocRender);
/* Saving pages to files is not supported: always 0. */
DOCREND_API uint32_t DOCREND_CALL DocRend_GetSavedPagesFileCount(uint32_t ARendIndex);
/* Saving pages to files is not supported: always false, lpBuffer untouched. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_GetSavedPagesFiles(uint32_t ARendIndex, uint32_t AFileIndex,
                                                            char16_t *lpBuffer, uint32_t nBufferSize);
/* Empties the object (markup, tree, pages, scale) and keeps its index. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_Reset(uint32_t ARendIndex);
/* Scale applied to every page drawn afterwards (1.0 = as paginated); false for a value not in (0, 100]. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_SetScale(uint32_t ARendIndex, double AScale);
/* Encrypted documents are not supported: always false. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_SetKey(uint32_t ARendIndex, const uint8_t *lpKey, uint32_t nKeySize);
/* Encrypted documents are not supported: always false, lpTarget and *nTargetSize untouched. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_Encode(uint32_t ARendIndex, const uint8_t *lpSource, uint32_t nSourceSize,
                                                uint8_t *lpTarget, uint32_t *nTargetSize);
/* Encrypted documents are not supported: always false, lpTarget and *nTargetSize untouched. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_Decode(uint32_t ARendIndex, const uint8_t *lpSource, uint32_t nSourceSize,
                                                uint8_t *lpTarget, uint32_t *nTargetSize);
/* Children of ANode in the built tree; ANode 0 is above the root, so its one child is the document. */
DOCREND_API uint32_t DOCREND_CALL DocRend_GetChildNodeCount(uint32_t ARendIndex, uint32_t ANode);
/* Writes up to nCount child node ids of ANode into the caller's lpNodes; returns how many it wrote.
   Node ids stay valid until the tree is rebuilt, reset or freed. */
DOCREND_API uint32_t DOCREND_CALL DocRend_GetChildNodes(uint32_t ARendIndex, uint32_t ANode,
                                                        uint32_t *lpNodes, uint32_t nCount);
/* One of DR_NODE_*; DR_NODE_NONE for an unknown node. */
DOCREND_API uint32_t DOCREND_CALL DocRend_GetNodeType(uint32_t ARendIndex, uint32_t ANode);
/* Number of name/value properties of ANode. */
DOCREND_API uint32_t DOCREND_CALL DocRend_GetPropertyCount(uint32_t ARendIndex, uint32_t ANode);
/* Copies the name of property AProperty (from 0) into lpBuffer like DocRend_GetDocTitle. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_GetPropertyName(uint32_t ARendIndex, uint32_t ANode, uint32_t AProperty,
                                                         char16_t *lpBuffer, uint32_t nBufferSize);
/* Copies the value of property AProperty (from 0) into lpBuffer like DocRend_GetDocTitle. */
DOCREND_API DR_BOOL DOCREND_CALL DocRend_GetPropertyValue(uint32_t ARendIndex, uint32_t ANode, uint32_t AProperty,
                                                          char16_t *lpBuffer, uint32_t nBufferSize);
/* Index of the property named by the zero-terminated lpName (exact match), or -1. */
DOCREND_API int32_t DOCREND_CALL DocRend_FindPropertyIndex(uint32_t ARendIndex, uint32_t ANode,
                                                           const char16_t *lpName);

#endif /* DOCREND_BUILDING_LIBRARY */

#ifdef __cplusplus
}
#endif

#endif /* DOCRENDER_H */
