#pragma once

// Relative path: this header shares its file name with the library's own header.
#include "../libs/imagelib/imagelib.h"

#include <QByteArray>

// Wrapper of the imagelib family library: off-screen context bitmaps and images.

// Every entry point of imagelib.so, in look-up order.
#define KALK_IMAGELIB_ENTRY_POINTS(X) \
    X(ImageLib_ContextBitmap_Create) \
    X(ImageLib_ContextBitmap_Destroy) \
    X(ImageLib_ContextBitmap_GetHandle) \
    X(ImageLib_ContextBitmap_GetDC) \
    X(ImageLib_ContextBitmap_GetWidth) \
    X(ImageLib_ContextBitmap_GetHeight) \
    X(ImageLib_ContextBitmap_Clear) \
    X(ImageLib_ContextBitmap_GetBpp) \
    X(ImageLib_ContextBitmap_Draw) \
    X(ImageLib_CreateFromFile) \
    X(ImageLib_CreateFromBuffer) \
    X(ImageLib_CreateFromHBITMAP) \
    X(ImageLib_CreateFromHICON) \
    X(ImageLib_CreateFromHANDLE) \
    X(ImageLib_CreateFromImage) \
    X(ImageLib_CopyToHandle) \
    X(ImageLib_MakeBitmap) \
    X(ImageLib_GrayScale) \
    X(ImageLib_Flip) \
    X(ImageLib_Mirror) \
    X(ImageLib_RotateLeft) \
    X(ImageLib_RotateRight) \
    X(ImageLib_Crop) \
    X(ImageLib_Save) \
    X(ImageLib_Create) \
    X(ImageLib_Destroy) \
    X(ImageLib_GetWidth) \
    X(ImageLib_GetHeight) \
    X(ImageLib_Draw) \
    X(ImageLib_Draw2) \
    X(ImageLib_Resample) \
    X(ImageLib_LightenColor) \
    X(ImageLib_DarkenColor) \
    X(ImageLib_DimColor) \
    X(ImageLib_GrayColor) \
    X(ImageLib_EncodeToBuffer) \
    X(ImageLib_SetJpegQuality) \
    X(ImageLib_GetJpegQuality) \
    X(ImageLib_GetBpp) \
    X(ImageLib_GetType) \
    X(ImageLib_GetSize) \
    X(ImageLib_FreeMemory)

// One pointer per entry point, named like it; null until InitImageLib succeeds, then valid for the run.
#define KALK_IMAGELIB_DECLARE_POINTER(name) extern name##_t name;
KALK_IMAGELIB_ENTRY_POINTS(KALK_IMAGELIB_DECLARE_POINTER)
#undef KALK_IMAGELIB_DECLARE_POINTER

// Loads the library from Path and resolves all its entry points; raises Exception
// "Cannot initialize imagelib.so" when it cannot be loaded and "Cannot initialize imagelib.so."
// when a name is missing (the library is then unloaded and no pointer changes).
void InitImageLib(const QByteArray &Path);
bool ImageLibLoaded();
