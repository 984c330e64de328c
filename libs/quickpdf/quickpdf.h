/*
 * quickpdf: writes small PDF documents of text pages. Start-up loads it; the calculator calls
 * nothing of it afterwards.
 *
 * A document is named by a 32-bit index (0 is never valid); the library owns it until
 * QuickPDFRemoveDocument or QuickPDFReleaseLibrary. Each document has one page; coordinates are
 * PDF points (1/72 inch) from the page's top-left corner, y growing downwards. Text is drawn in
 * the standard Helvetica font; it is given as UTF-8, and characters outside printable ASCII are
 * written as "?". The caller owns every string it passes in. No entry point throws; failures
 * are reported by the result only (0 = failure, 1 = success).
 */
#ifndef QUICKPDF_H
#define QUICKPDF_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define QUICKPDF_CALL __stdcall
#else
#define QUICKPDF_CALL
#endif

#if defined(QUICKPDF_BUILDING_LIBRARY)
#if defined(_WIN32)
#define QUICKPDF_API __declspec(dllexport)
#else
#define QUICKPDF_API __attribute__((visibility("default")))
#endif
#else
#define QUICKPDF_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef const char *(QUICKPDF_CALL *QuickPDFLibraryVersion_t)(void);
typedef uint32_t (QUICKPDF_CALL *QuickPDFCreateDocument_t)(void);
typedef int32_t (QUICKPDF_CALL *QuickPDFSetPageSize_t)(uint32_t uDocument, double dWidth, double dHeight);
typedef int32_t (QUICKPDF_CALL *QuickPDFDrawText_t)(uint32_t uDocument, double dLeft, double dTop, double dSize,
                                                    const char *lpText);
typedef int32_t (QUICKPDF_CALL *QuickPDFSaveToFile_t)(uint32_t uDocument, const char *lpFileName);
typedef int32_t (QUICKPDF_CALL *QuickPDFRemoveDocument_t)(uint32_t uDocument);
typedef void (QUICKPDF_CALL *QuickPDFReleaseLibrary_t)(void);

/* The prototypes exist only inside the library; the program resolves the names at run time. */
#if defined(QUICKPDF_BUILDING_LIBRARY)

/* The library's version as "major.minor", a static string owned by the library. */
QUICKPDF_API const char *QUICKPDF_CALL QuickPDFLibraryVersion(void);
/* New document with one empty A4 page (595 x 842 points), owned by the library; 0 when out of memory. */
QUICKPDF_API uint32_t QUICKPDF_CALL QuickPDFCreateDocument(void);
/* Sets the page size in points; 0 for an unknown document or a size not in [1, 14400]. */
QUICKPDF_API int32_t QUICKPDF_CALL QuickPDFSetPageSize(uint32_t uDocument, double dWidth, double dHeight);
/* Adds a line of text whose top-left corner is (dLeft, dTop), dSize points high (1 to 1000); text copied. */
QUICKPDF_API int32_t QUICKPDF_CALL QuickPDFDrawText(uint32_t uDocument, double dLeft, double dTop, double dSize,
                                                    const char *lpText);
/* Writes the document as a PDF 1.4 file to the UTF-8 path, replacing it; the document stays. */
QUICKPDF_API int32_t QUICKPDF_CALL QuickPDFSaveToFile(uint32_t uDocument, const char *lpFileName);
/* Frees the document; its index is not valid afterwards. */
QUICKPDF_API int32_t QUICKPDF_CALL QuickPDFRemoveDocument(uint32_t uDocument);
/* Frees every document the library still holds. */
QUICKPDF_API void QUICKPDF_CALL QuickPDFReleaseLibrary(void);

#endif /* QUICKPDF_BUILDING_LIBRARY */

#ifdef __cplusplus
}
#endif

#endif /* QUICKPDF_H */
