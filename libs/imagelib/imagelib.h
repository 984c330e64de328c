/*
 * imagelib: off-screen context bitmaps and images for the calculator family.
 *
 * A context bitmap is an off-screen picture with a drawing handle (IL_HDC) of its own that stays
 * valid, and the same, until the bitmap is destroyed. An image is a picture read from a file or a
 * buffer, or made in memory, that can be changed, drawn and saved. Both are named by a 32-bit index
 * (0 is never valid); an unknown index gives a failure result and changes nothing.
 * The library owns every bitmap and image until its Destroy; the caller owns every buffer and
 * string it passes in. The only memory handed out is the buffer of ImageLib_EncodeToBuffer, which
 * the caller frees with ImageLib_FreeMemory. Colours are 0x00BBGGRR. No entry point throws.
 * Call from the thread that runs the program's user interface.
 */
#ifndef IMAGELIB_H
#define IMAGELIB_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define IMAGELIB_CALL __stdcall
#else
#define IMAGELIB_CALL
#endif

#if defined(IMAGELIB_BUILDING_LIBRARY)
#if defined(_WIN32)
#define IMAGELIB_API __declspec(dllexport)
#else
#define IMAGELIB_API __attribute__((visibility("default")))
#endif
#else
#define IMAGELIB_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t IL_BOOL;      /* one byte, nonzero = true */
typedef uintptr_t IL_HDC;     /* opaque: a QPainter* active on a paint device */
typedef uintptr_t IL_HANDLE;  /* opaque: a platform object (see each entry point) */

/* Picture file formats. */
enum {
    IL_TYPE_UNKNOWN = 0,  /* made in memory, or "choose by the file name's extension" when saving */
    IL_TYPE_BMP = 1,
    IL_TYPE_JPEG = 2,
    IL_TYPE_PNG = 3,
    IL_TYPE_GIF = 4       /* read only */
};

typedef uint32_t (IMAGELIB_CALL *ImageLib_ContextBitmap_Create_t)(IL_HDC hRefDC, int32_t lWidth, int32_t lHeight,
                                                                  uint8_t nBpp);
typedef uint32_t (IMAGELIB_CALL *ImageLib_ContextBitmap_Destroy_t)(uint32_t uIndex);
typedef IL_HANDLE (IMAGELIB_CALL *ImageLib_ContextBitmap_GetHandle_t)(uint32_t uIndex);
typedef IL_HDC (IMAGELIB_CALL *ImageLib_ContextBitmap_GetDC_t)(uint32_t uIndex);
typedef int32_t (IMAGELIB_CALL *ImageLib_ContextBitmap_GetWidth_t)(uint32_t uIndex);
typedef int32_t (IMAGELIB_CALL *ImageLib_ContextBitmap_GetHeight_t)(uint32_t uIndex);
typedef void (IMAGELIB_CALL *ImageLib_ContextBitmap_Clear_t)(uint32_t uIndex, uint32_t dwColor);
typedef uint8_t (IMAGELIB_CALL *ImageLib_ContextBitmap_GetBpp_t)(uint32_t uIndex);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_ContextBitmap_Draw_t)(uint32_t uIndex, IL_HDC hDC, int32_t lLeft,
                                                               int32_t lTop);
typedef uint32_t (IMAGELIB_CALL *ImageLib_CreateFromFile_t)(const char *lpFileName);
typedef uint32_t (IMAGELIB_CALL *ImageLib_CreateFromBuffer_t)(const void *lpBuffer, uint32_t dwSize);
typedef uint32_t (IMAGELIB_CALL *ImageLib_CreateFromHBITMAP_t)(IL_HANDLE hBitmap);
typedef uint32_t (IMAGELIB_CALL *ImageLib_CreateFromHICON_t)(IL_HANDLE hIcon);
typedef uint32_t (IMAGELIB_CALL *ImageLib_CreateFromHANDLE_t)(IL_HANDLE hDib);
typedef uint32_t (IMAGELIB_CALL *ImageLib_CreateFromImage_t)(IL_HANDLE hImage);
typedef IL_HANDLE (IMAGELIB_CALL *ImageLib_CopyToHandle_t)(uint32_t uImage);
typedef uint32_t (IMAGELIB_CALL *ImageLib_MakeBitmap_t)(uint32_t uImage, IL_HDC hRefDC);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_GrayScale_t)(uint32_t uImage);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_Flip_t)(uint32_t uImage);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_Mirror_t)(uint32_t uImage);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_RotateLeft_t)(uint32_t uImage);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_RotateRight_t)(uint32_t uImage);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_Crop_t)(uint32_t uImage, int32_t lLeft, int32_t lTop, int32_t lWidth,
                                                 int32_t lHeight);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_Save_t)(uint32_t uImage, const char *lpFileName, uint32_t dwType);
typedef uint32_t (IMAGELIB_CALL *ImageLib_Create_t)(int32_t lWidth, int32_t lHeight, uint8_t nBpp);
typedef uint32_t (IMAGELIB_CALL *ImageLib_Destroy_t)(uint32_t uImage);
typedef int32_t (IMAGELIB_CALL *ImageLib_GetWidth_t)(uint32_t uImage);
typedef int32_t (IMAGELIB_CALL *ImageLib_GetHeight_t)(uint32_t uImage);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_Draw_t)(uint32_t uImage, IL_HDC hDC, int32_t lLeft, int32_t lTop);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_Draw2_t)(uint32_t uImage, IL_HDC hDC, int32_t lLeft, int32_t lTop,
                                                  int32_t lWidth, int32_t lHeight);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_Resample_t)(uint32_t uImage, int32_t lWidth, int32_t lHeight);
typedef uint32_t (IMAGELIB_CALL *ImageLib_LightenColor_t)(uint32_t dwColor, uint8_t nPercent);
typedef uint32_t (IMAGELIB_CALL *ImageLib_DarkenColor_t)(uint32_t dwColor, uint8_t nPercent);
typedef uint32_t (IMAGELIB_CALL *ImageLib_DimColor_t)(uint32_t dwColor, uint8_t nPercent);
typedef uint32_t (IMAGELIB_CALL *ImageLib_GrayColor_t)(uint32_t dwColor);
typedef IL_BOOL (IMAGELIB_CALL *ImageLib_EncodeToBuffer_t)(uint32_t uImage, uint32_t dwType, void **lplpBuffer,
                                                           uint32_t *lpdwSize);
typedef void (IMAGELIB_CALL *ImageLib_SetJpegQuality_t)(uint8_t nQuality);
typedef uint8_t (IMAGELIB_CALL *ImageLib_GetJpegQuality_t)(void);
typedef uint8_t (IMAGELIB_CALL *ImageLib_GetBpp_t)(uint32_t uImage);
typedef uint32_t (IMAGELIB_CALL *ImageLib_GetType_t)(uint32_t uImage);
typedef uint32_t (IMAGELIB_CALL *ImageLib_GetSize_t)(uint32_t uImage);
typedef void (IMAGELIB_CALL *ImageLib_FreeMemory_t)(void *lpMemory);

/* The prototypes exist only inside the library; the program resolves the names at run time. */
#if defined(IMAGELIB_BUILDING_LIBRARY)

/* New white bitmap of lWidth x lHeight logical pixels and nBpp 16, 24 or 32 bits, owned by the library
   until ImageLib_ContextBitmap_Destroy. hRefDC is 0 or a painter whose device's pixel ratio it adopts (only read
   during the call). 0 when a side is not positive, the size exceeds 32768 px a side or 1 GiB, or nBpp is other. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_ContextBitmap_Create(IL_HDC hRefDC, int32_t lWidth, int32_t lHeight,
                                                                  uint8_t nBpp);
/* Ends the bitmap's painter and frees it; its index and drawing handle become invalid. 1 if it existed, else 0. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_ContextBitmap_Destroy(uint32_t uIndex);
/* The bitmap's pixels as a const QImage*, owned by the library until Destroy (read only); 0 if unknown. */
IMAGELIB_API IL_HANDLE IMAGELIB_CALL ImageLib_ContextBitmap_GetHandle(uint32_t uIndex);
/* The bitmap's own painter (QPainter*, owned by the library), the same at every call; 0 if unknown. */
IMAGELIB_API IL_HDC IMAGELIB_CALL ImageLib_ContextBitmap_GetDC(uint32_t uIndex);
/* Width in logical pixels as created; 0 if unknown. */
IMAGELIB_API int32_t IMAGELIB_CALL ImageLib_ContextBitmap_GetWidth(uint32_t uIndex);
/* Height in logical pixels as created; 0 if unknown. */
IMAGELIB_API int32_t IMAGELIB_CALL ImageLib_ContextBitmap_GetHeight(uint32_t uIndex);
/* Fills the whole bitmap with dwColor (0x00BBGGRR, opaque), whatever the painter's transform and clip. */
IMAGELIB_API void IMAGELIB_CALL ImageLib_ContextBitmap_Clear(uint32_t uIndex, uint32_t dwColor);
/* The depth asked for at creation; 0 if unknown. */
IMAGELIB_API uint8_t IMAGELIB_CALL ImageLib_ContextBitmap_GetBpp(uint32_t uIndex);
/* Copies the bitmap one to one onto the painter hDC at (lLeft, lTop); false if unknown, hDC is 0 or its own. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_ContextBitmap_Draw(uint32_t uIndex, IL_HDC hDC, int32_t lLeft,
                                                               int32_t lTop);
/* New image read from the file (UTF-8 path); 0 when it cannot be read. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromFile(const char *lpFileName);
/* New image decoded from dwSize bytes of the caller's buffer (copied); 0 when it cannot be decoded. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromBuffer(const void *lpBuffer, uint32_t dwSize);
/* Windows bitmap handles do not exist here: always 0. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromHBITMAP(IL_HANDLE hBitmap);
/* Windows icon handles do not exist here: always 0. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromHICON(IL_HANDLE hIcon);
/* Windows global-memory bitmaps do not exist here: always 0. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromHANDLE(IL_HANDLE hDib);
/* New image copied from a const QImage* (for instance from ImageLib_ContextBitmap_GetHandle); 0 if null or empty. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromImage(IL_HANDLE hImage);
/* Windows global-memory bitmaps do not exist here: always 0, nothing allocated. */
IMAGELIB_API IL_HANDLE IMAGELIB_CALL ImageLib_CopyToHandle(uint32_t uImage);
/* New 32-bit context bitmap holding a copy of the image, hRefDC as in ImageLib_ContextBitmap_Create; 0 on failure. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_MakeBitmap(uint32_t uImage, IL_HDC hRefDC);
/* Turns the image into shades of gray (alpha kept). */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_GrayScale(uint32_t uImage);
/* Turns the image upside down. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Flip(uint32_t uImage);
/* Mirrors the image left to right. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Mirror(uint32_t uImage);
/* Turns the image a quarter counter-clockwise. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_RotateLeft(uint32_t uImage);
/* Turns the image a quarter clockwise. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_RotateRight(uint32_t uImage);
/* Keeps the part of the image inside the given rectangle; false, image untouched, when they do not overlap. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Crop(uint32_t uImage, int32_t lLeft, int32_t lTop, int32_t lWidth,
                                                 int32_t lHeight);
/* Writes the image to the file (UTF-8 path) as dwType (IL_TYPE_UNKNOWN: by extension); JPEG at the set quality. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Save(uint32_t uImage, const char *lpFileName, uint32_t dwType);
/* New image of nBpp 24 (white) or 32 (transparent) bits, bounded like context bitmaps; 0 on failure. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_Create(int32_t lWidth, int32_t lHeight, uint8_t nBpp);
/* Frees the image; 1 if it existed, else 0. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_Destroy(uint32_t uImage);
/* Width in pixels; 0 if unknown. */
IMAGELIB_API int32_t IMAGELIB_CALL ImageLib_GetWidth(uint32_t uImage);
/* Height in pixels; 0 if unknown. */
IMAGELIB_API int32_t IMAGELIB_CALL ImageLib_GetHeight(uint32_t uImage);
/* Draws the image at its size onto the painter hDC at (lLeft, lTop). */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Draw(uint32_t uImage, IL_HDC hDC, int32_t lLeft, int32_t lTop);
/* Draws the image stretched smoothly into (lLeft, lTop, lWidth, lHeight) of the painter hDC. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Draw2(uint32_t uImage, IL_HDC hDC, int32_t lLeft, int32_t lTop,
                                                  int32_t lWidth, int32_t lHeight);
/* Scales the image smoothly to the new size, bounded like ImageLib_Create; false, image untouched, otherwise. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Resample(uint32_t uImage, int32_t lWidth, int32_t lHeight);
/* Moves each channel nPercent (0..100, more counts as 100) of the way to 255. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_LightenColor(uint32_t dwColor, uint8_t nPercent);
/* Moves each channel nPercent (0..100) of the way to 0. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_DarkenColor(uint32_t dwColor, uint8_t nPercent);
/* Moves each channel nPercent (0..100) of the way to middle gray (128), the look of a disabled picture. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_DimColor(uint32_t dwColor, uint8_t nPercent);
/* The gray of the colour's luminance (0.299 R + 0.587 G + 0.114 B). */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_GrayColor(uint32_t dwColor);
/* Encodes the image as dwType (BMP, JPEG or PNG) into a new buffer that the caller frees with
   ImageLib_FreeMemory; false, outputs untouched, on failure. */
IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_EncodeToBuffer(uint32_t uImage, uint32_t dwType, void **lplpBuffer,
                                                           uint32_t *lpdwSize);
/* JPEG quality (0..100, more counts as 100) of later saves and encodings; 75 at first. */
IMAGELIB_API void IMAGELIB_CALL ImageLib_SetJpegQuality(uint8_t nQuality);
/* The JPEG quality in force. */
IMAGELIB_API uint8_t IMAGELIB_CALL ImageLib_GetJpegQuality(void);
/* Bits of colour per pixel (1, 8, 16, 24 or 32); 0 if unknown. */
IMAGELIB_API uint8_t IMAGELIB_CALL ImageLib_GetBpp(uint32_t uImage);
/* IL_TYPE_* the image was read as; IL_TYPE_UNKNOWN when made in memory or unknown. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_GetType(uint32_t uImage);
/* Bytes of the image's pixel data (clamped to 32 bits); 0 if unknown. */
IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_GetSize(uint32_t uImage);
/* Frees a buffer from ImageLib_EncodeToBuffer; null is ignored. */
IMAGELIB_API void IMAGELIB_CALL ImageLib_FreeMemory(void *lpMemory);

#endif /* IMAGELIB_BUILDING_LIBRARY */

#ifdef __cplusplus
}
#endif

#endif /* IMAGELIB_H */
