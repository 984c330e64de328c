// The imagelib family library; its entry points are declared in imagelib.h.
#include "imagelib.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPaintDevice>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace {

constexpr qint64 MaxSide = 32768;
constexpr qint64 MaxBytes = qint64{1} << 30;
constexpr qreal MaxPixelRatio = 8.0;
// A preview page at high zoom is ~90 MB; larger buffers are not worth holding on to.
constexpr qsizetype MaxSpareBytes = qsizetype{256} << 20;

struct TContextBitmap
{
    QImage Image;
    QPainter Painter;
    int32_t Width = 0;
    int32_t Height = 0;
    uint8_t Bpp = 0;

    ~TContextBitmap()
    {
        if (Painter.isActive())
            Painter.end();
    }
};

struct TImage
{
    QImage Image;
    uint32_t Type = IL_TYPE_UNKNOWN;
};

std::mutex Lock;
std::map<uint32_t, std::unique_ptr<TContextBitmap>> Bitmaps;
std::map<uint32_t, std::unique_ptr<TImage>> Images;

// The pixels of the last destroyed context bitmap, kept for a following Create of the same shape:
// writing to freshly allocated memory costs far more than refilling memory already in use.
struct TSpareBitmap
{
    QImage Image;
    int32_t Width = 0;
    int32_t Height = 0;
    uint8_t Bpp = 0;
};
TSpareBitmap Spare; // freed with the module's other globals when it is unloaded or the process ends
uint32_t LastIndex = 0;
std::atomic<uint8_t> JpegQuality{75};

// Indices are not reused until the 32-bit counter wraps, so a stale handle rarely meets a new object.
uint32_t NextIndex()
{
    do {
        ++LastIndex;
    } while (LastIndex == 0 || Bitmaps.count(LastIndex) || Images.count(LastIndex));
    return LastIndex;
}

// Runs body and turns anything it throws into the failure result, so no exception crosses the C boundary.
template<typename Result, typename Body>
Result Guarded(Result failure, Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

TContextBitmap *FindBitmap(uint32_t index)
{
    const auto found = Bitmaps.find(index);
    return found == Bitmaps.end() ? nullptr : found->second.get();
}

TImage *FindImage(uint32_t index)
{
    const auto found = Images.find(index);
    return found == Images.end() ? nullptr : found->second.get();
}

QPainter *ActivePainter(IL_HDC handle)
{
    auto *painter = reinterpret_cast<QPainter *>(handle);
    return painter && painter->isActive() ? painter : nullptr;
}

bool WithinBounds(qint64 width, qint64 height, qint64 bytesPerPixel)
{
    return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide &&
           width * height * bytesPerPixel <= MaxBytes;
}

QColor ColorOf(uint32_t color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

uint32_t ColorRef(int red, int green, int blue)
{
    return uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
}

// Moves every channel of color percent of the way towards target.
uint32_t MixChannels(uint32_t color, int target, uint8_t percent)
{
    const int share = percent > 100 ? 100 : percent;
    const auto mix = [&](int channel) {
        return channel + static_cast<int>(std::lround((target - channel) * share / 100.0));
    };
    return ColorRef(mix(color & 0xFF), mix((color >> 8) & 0xFF), mix((color >> 16) & 0xFF));
}

uint32_t TypeOfFormat(const QByteArray &format)
{
    const QByteArray name = format.toLower();
    if (name == "bmp")
        return IL_TYPE_BMP;
    if (name == "jpeg" || name == "jpg")
        return IL_TYPE_JPEG;
    if (name == "png")
        return IL_TYPE_PNG;
    if (name == "gif")
        return IL_TYPE_GIF;
    return IL_TYPE_UNKNOWN;
}

// The writer's format name for a type that can be written; null for the others.
const char *WritableFormat(uint32_t type)
{
    switch (type) {
    case IL_TYPE_BMP: return "bmp";
    case IL_TYPE_JPEG: return "jpeg";
    case IL_TYPE_PNG: return "png";
    default: return nullptr;
    }
}

uint32_t AddImage(QImage image, uint32_t type)
{
    if (image.isNull())
        return 0;
    auto entry = std::make_unique<TImage>();
    entry->Image = std::move(image);
    entry->Type = type;
    const uint32_t index = NextIndex();
    Images.emplace(index, std::move(entry));
    return index;
}

uint32_t ReadImage(QImageReader &reader)
{
    const uint32_t type = TypeOfFormat(reader.format());
    QImage image = reader.read();
    if (image.isNull() || !WithinBounds(image.width(), image.height(), 1))
        return 0;
    return AddImage(std::move(image), type);
}

QImage::Format BitmapFormat(uint8_t bpp)
{
    switch (bpp) {
    case 16: return QImage::Format_RGB16;
    case 24: return QImage::Format_RGB32;
    case 32: return QImage::Format_ARGB32_Premultiplied;
    default: return QImage::Format_Invalid;
    }
}

uint32_t CreateBitmap(IL_HDC hRefDC, int32_t width, int32_t height, uint8_t bpp)
{
    // Only one spare is kept, and only for the shape asked for right after it was freed.
    QImage reused = std::exchange(Spare.Image, QImage());
    const QImage::Format format = BitmapFormat(bpp);
    if (format == QImage::Format_Invalid || width <= 0 || height <= 0)
        return 0;
    qreal ratio = 1.0;
    if (QPainter *reference = ActivePainter(hRefDC); reference && reference->device())
        ratio = reference->device()->devicePixelRatio();
    if (!(ratio >= 1.0))
        ratio = 1.0;
    ratio = std::min(ratio, MaxPixelRatio);
    if (reused.isNull() || Spare.Width != width || Spare.Height != height || Spare.Bpp != bpp ||
        reused.devicePixelRatio() != ratio)
        reused = QImage();
    const qint64 deviceWidth = qint64(std::ceil(width * ratio));
    const qint64 deviceHeight = qint64(std::ceil(height * ratio));
    if (!WithinBounds(deviceWidth, deviceHeight, bpp == 16 ? 2 : 4))
        return 0;
    auto bitmap = std::make_unique<TContextBitmap>();
    if (!reused.isNull()) {
        bitmap->Image = std::move(reused);
    } else {
        bitmap->Image = QImage(int(deviceWidth), int(deviceHeight), format);
        if (bitmap->Image.isNull())
            return 0;
        bitmap->Image.setDevicePixelRatio(ratio);
    }
    bitmap->Image.fill(Qt::white);
    if (!bitmap->Painter.begin(&bitmap->Image))
        return 0;
    bitmap->Width = width;
    bitmap->Height = height;
    bitmap->Bpp = bpp;
    const uint32_t index = NextIndex();
    Bitmaps.emplace(index, std::move(bitmap));
    return index;
}

// Applies change to the image of index when the result is a usable picture.
template<typename Change>
IL_BOOL ChangeImage(uint32_t index, Change change)
{
    return Guarded<IL_BOOL>(0, [&]() -> IL_BOOL {
        std::lock_guard guard(Lock);
        TImage *entry = FindImage(index);
        if (!entry)
            return 0;
        QImage changed = change(std::as_const(entry->Image));
        if (changed.isNull())
            return 0;
        entry->Image = std::move(changed);
        return 1;
    });
}

} // namespace

extern "C" {

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_ContextBitmap_Create(IL_HDC hRefDC, int32_t lWidth, int32_t lHeight,
                                                                  uint8_t nBpp)
{
    return Guarded<uint32_t>(0, [&] {
        std::lock_guard guard(Lock);
        return CreateBitmap(hRefDC, lWidth, lHeight, nBpp);
    });
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_ContextBitmap_Destroy(uint32_t uIndex)
{
    return Guarded<uint32_t>(0, [&] {
        std::lock_guard guard(Lock);
        auto node = Bitmaps.extract(uIndex);
        if (node.empty())
            return 0u;
        TContextBitmap &bitmap = *node.mapped();
        if (bitmap.Painter.isActive())
            bitmap.Painter.end();
        // A buffer still shared with a caller's copy of the picture is not ours to refill.
        if (bitmap.Image.isDetached() && bitmap.Image.sizeInBytes() <= MaxSpareBytes) {
            Spare.Image = std::move(bitmap.Image);
            Spare.Width = bitmap.Width;
            Spare.Height = bitmap.Height;
            Spare.Bpp = bitmap.Bpp;
        } else {
            Spare.Image = QImage();
        }
        return 1u;
    });
}

IMAGELIB_API IL_HANDLE IMAGELIB_CALL ImageLib_ContextBitmap_GetHandle(uint32_t uIndex)
{
    std::lock_guard guard(Lock);
    const TContextBitmap *bitmap = FindBitmap(uIndex);
    return bitmap ? reinterpret_cast<IL_HANDLE>(&bitmap->Image) : 0;
}

IMAGELIB_API IL_HDC IMAGELIB_CALL ImageLib_ContextBitmap_GetDC(uint32_t uIndex)
{
    std::lock_guard guard(Lock);
    TContextBitmap *bitmap = FindBitmap(uIndex);
    return bitmap ? reinterpret_cast<IL_HDC>(&bitmap->Painter) : 0;
}

IMAGELIB_API int32_t IMAGELIB_CALL ImageLib_ContextBitmap_GetWidth(uint32_t uIndex)
{
    std::lock_guard guard(Lock);
    const TContextBitmap *bitmap = FindBitmap(uIndex);
    return bitmap ? bitmap->Width : 0;
}

IMAGELIB_API int32_t IMAGELIB_CALL ImageLib_ContextBitmap_GetHeight(uint32_t uIndex)
{
    std::lock_guard guard(Lock);
    const TContextBitmap *bitmap = FindBitmap(uIndex);
    return bitmap ? bitmap->Height : 0;
}

IMAGELIB_API void IMAGELIB_CALL ImageLib_ContextBitmap_Clear(uint32_t uIndex, uint32_t dwColor)
{
    Guarded<int>(0, [&] {
        std::lock_guard guard(Lock);
        TContextBitmap *bitmap = FindBitmap(uIndex);
        if (!bitmap)
            return 0;
        // The caller's transform, clip and mode stay as they were; the fill covers every pixel.
        QPainter &painter = bitmap->Painter;
        painter.save();
        painter.resetTransform();
        painter.setClipping(false);
        painter.setOpacity(1.0);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRectF(QPointF(0, 0), bitmap->Image.deviceIndependentSize()), ColorOf(dwColor));
        painter.restore();
        return 1;
    });
}

IMAGELIB_API uint8_t IMAGELIB_CALL ImageLib_ContextBitmap_GetBpp(uint32_t uIndex)
{
    std::lock_guard guard(Lock);
    const TContextBitmap *bitmap = FindBitmap(uIndex);
    return bitmap ? bitmap->Bpp : 0;
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_ContextBitmap_Draw(uint32_t uIndex, IL_HDC hDC, int32_t lLeft,
                                                               int32_t lTop)
{
    return Guarded<IL_BOOL>(0, [&]() -> IL_BOOL {
        std::lock_guard guard(Lock);
        TContextBitmap *bitmap = FindBitmap(uIndex);
        QPainter *target = ActivePainter(hDC);
        if (!bitmap || !target || target == &bitmap->Painter)
            return 0;
        target->drawImage(QPointF(lLeft, lTop), bitmap->Image);
        return 1;
    });
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromFile(const char *lpFileName)
{
    if (!lpFileName)
        return 0;
    return Guarded<uint32_t>(0, [&] {
        QImageReader reader(QString::fromUtf8(lpFileName));
        std::lock_guard guard(Lock);
        return ReadImage(reader);
    });
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromBuffer(const void *lpBuffer, uint32_t dwSize)
{
    if (!lpBuffer || dwSize == 0 || dwSize > uint32_t(std::numeric_limits<int>::max()))
        return 0;
    return Guarded<uint32_t>(0, [&] {
        // Read during this call only, so the caller's bytes need not be copied first.
        QByteArray bytes = QByteArray::fromRawData(static_cast<const char *>(lpBuffer), int(dwSize));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        std::lock_guard guard(Lock);
        return ReadImage(reader);
    });
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromHBITMAP(IL_HANDLE)
{
    return 0;
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromHICON(IL_HANDLE)
{
    return 0;
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromHANDLE(IL_HANDLE)
{
    return 0;
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_CreateFromImage(IL_HANDLE hImage)
{
    const auto *source = reinterpret_cast<const QImage *>(hImage);
    if (!source || source->isNull())
        return 0;
    return Guarded<uint32_t>(0, [&] {
        std::lock_guard guard(Lock);
        // A deep copy: the source may be a context bitmap that is still being drawn on.
        return AddImage(source->copy(), IL_TYPE_UNKNOWN);
    });
}

IMAGELIB_API IL_HANDLE IMAGELIB_CALL ImageLib_CopyToHandle(uint32_t)
{
    return 0;
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_MakeBitmap(uint32_t uImage, IL_HDC hRefDC)
{
    return Guarded<uint32_t>(0, [&]() -> uint32_t {
        std::lock_guard guard(Lock);
        const TImage *entry = FindImage(uImage);
        if (!entry)
            return 0;
        const uint32_t index = CreateBitmap(hRefDC, entry->Image.width(), entry->Image.height(), 32);
        if (index == 0)
            return 0;
        QPainter &painter = FindBitmap(index)->Painter;
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRect(0, 0, entry->Image.width(), entry->Image.height()), entry->Image);
        painter.restore();
        return index;
    });
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_GrayScale(uint32_t uImage)
{
    return ChangeImage(uImage, [](const QImage &image) {
        QImage gray = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        for (int y = 0; y < gray.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(gray.scanLine(y));
            for (int x = 0; x < gray.width(); ++x) {
                const int level = qGray(line[x]);
                line[x] = qRgba(level, level, level, qAlpha(line[x]));
            }
        }
        return gray;
    });
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Flip(uint32_t uImage)
{
    return ChangeImage(uImage, [](const QImage &image) { return image.mirrored(false, true); });
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Mirror(uint32_t uImage)
{
    return ChangeImage(uImage, [](const QImage &image) { return image.mirrored(true, false); });
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_RotateLeft(uint32_t uImage)
{
    return ChangeImage(uImage, [](const QImage &image) { return image.transformed(QTransform().rotate(-90)); });
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_RotateRight(uint32_t uImage)
{
    return ChangeImage(uImage, [](const QImage &image) { return image.transformed(QTransform().rotate(90)); });
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Crop(uint32_t uImage, int32_t lLeft, int32_t lTop, int32_t lWidth,
                                                 int32_t lHeight)
{
    return ChangeImage(uImage, [&](const QImage &image) {
        if (lWidth <= 0 || lHeight <= 0)
            return QImage();
        // In 64 bits: left + width may pass the int range.
        const qint64 left = std::max<qint64>(lLeft, 0);
        const qint64 top = std::max<qint64>(lTop, 0);
        const qint64 right = std::min<qint64>(qint64{lLeft} + lWidth, image.width());
        const qint64 bottom = std::min<qint64>(qint64{lTop} + lHeight, image.height());
        if (left >= right || top >= bottom)
            return QImage();
        return image.copy(int(left), int(top), int(right - left), int(bottom - top));
    });
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Save(uint32_t uImage, const char *lpFileName, uint32_t dwType)
{
    if (!lpFileName)
        return 0;
    return Guarded<IL_BOOL>(0, [&]() -> IL_BOOL {
        const QString fileName = QString::fromUtf8(lpFileName);
        uint32_t type = dwType;
        if (type == IL_TYPE_UNKNOWN)
            type = TypeOfFormat(QFileInfo(fileName).suffix().toLatin1());
        const char *format = WritableFormat(type);
        if (!format)
            return 0;
        std::lock_guard guard(Lock);
        const TImage *entry = FindImage(uImage);
        if (!entry)
            return 0;
        QImageWriter writer(fileName, format);
        if (type == IL_TYPE_JPEG)
            writer.setQuality(JpegQuality);
        return writer.write(entry->Image) ? 1 : 0;
    });
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_Create(int32_t lWidth, int32_t lHeight, uint8_t nBpp)
{
    if ((nBpp != 24 && nBpp != 32) || !WithinBounds(lWidth, lHeight, 4))
        return 0;
    return Guarded<uint32_t>(0, [&]() -> uint32_t {
        QImage image(lWidth, lHeight, nBpp == 24 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
        if (image.isNull())
            return 0;
        image.fill(nBpp == 24 ? QColor(Qt::white) : QColor(Qt::transparent));
        std::lock_guard guard(Lock);
        return AddImage(std::move(image), IL_TYPE_UNKNOWN);
    });
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_Destroy(uint32_t uImage)
{
    return Guarded<uint32_t>(0, [&] {
        std::lock_guard guard(Lock);
        return uint32_t(Images.erase(uImage));
    });
}

IMAGELIB_API int32_t IMAGELIB_CALL ImageLib_GetWidth(uint32_t uImage)
{
    std::lock_guard guard(Lock);
    const TImage *entry = FindImage(uImage);
    return entry ? entry->Image.width() : 0;
}

IMAGELIB_API int32_t IMAGELIB_CALL ImageLib_GetHeight(uint32_t uImage)
{
    std::lock_guard guard(Lock);
    const TImage *entry = FindImage(uImage);
    return entry ? entry->Image.height() : 0;
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Draw(uint32_t uImage, IL_HDC hDC, int32_t lLeft, int32_t lTop)
{
    return Guarded<IL_BOOL>(0, [&]() -> IL_BOOL {
        std::lock_guard guard(Lock);
        const TImage *entry = FindImage(uImage);
        QPainter *target = ActivePainter(hDC);
        if (!entry || !target)
            return 0;
        target->drawImage(QPoint(lLeft, lTop), entry->Image);
        return 1;
    });
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Draw2(uint32_t uImage, IL_HDC hDC, int32_t lLeft, int32_t lTop,
                                                  int32_t lWidth, int32_t lHeight)
{
    return Guarded<IL_BOOL>(0, [&]() -> IL_BOOL {
        std::lock_guard guard(Lock);
        const TImage *entry = FindImage(uImage);
        QPainter *target = ActivePainter(hDC);
        if (!entry || !target || lWidth <= 0 || lHeight <= 0)
            return 0;
        target->save();
        target->setRenderHint(QPainter::SmoothPixmapTransform);
        target->drawImage(QRect(lLeft, lTop, lWidth, lHeight), entry->Image);
        target->restore();
        return 1;
    });
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_Resample(uint32_t uImage, int32_t lWidth, int32_t lHeight)
{
    if (!WithinBounds(lWidth, lHeight, 4))
        return 0;
    return ChangeImage(uImage, [&](const QImage &image) {
        return image.scaled(lWidth, lHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_LightenColor(uint32_t dwColor, uint8_t nPercent)
{
    return MixChannels(dwColor, 255, nPercent);
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_DarkenColor(uint32_t dwColor, uint8_t nPercent)
{
    return MixChannels(dwColor, 0, nPercent);
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_DimColor(uint32_t dwColor, uint8_t nPercent)
{
    return MixChannels(dwColor, 128, nPercent);
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_GrayColor(uint32_t dwColor)
{
    const int red = dwColor & 0xFF;
    const int green = (dwColor >> 8) & 0xFF;
    const int blue = (dwColor >> 16) & 0xFF;
    const int level = (299 * red + 587 * green + 114 * blue + 500) / 1000;
    return ColorRef(level, level, level);
}

IMAGELIB_API IL_BOOL IMAGELIB_CALL ImageLib_EncodeToBuffer(uint32_t uImage, uint32_t dwType, void **lplpBuffer,
                                                           uint32_t *lpdwSize)
{
    const char *format = WritableFormat(dwType);
    if (!format || !lplpBuffer || !lpdwSize)
        return 0;
    return Guarded<IL_BOOL>(0, [&]() -> IL_BOOL {
        QByteArray bytes;
        {
            std::lock_guard guard(Lock);
            const TImage *entry = FindImage(uImage);
            if (!entry)
                return 0;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, format);
            if (dwType == IL_TYPE_JPEG)
                writer.setQuality(JpegQuality);
            if (!writer.write(entry->Image))
                return 0;
        }
        if (bytes.isEmpty() || quint64(bytes.size()) > std::numeric_limits<uint32_t>::max())
            return 0;
        void *memory = std::malloc(size_t(bytes.size()));
        if (!memory)
            return 0;
        std::memcpy(memory, bytes.constData(), size_t(bytes.size()));
        *lplpBuffer = memory;
        *lpdwSize = uint32_t(bytes.size());
        return 1;
    });
}

IMAGELIB_API void IMAGELIB_CALL ImageLib_SetJpegQuality(uint8_t nQuality)
{
    JpegQuality = nQuality > 100 ? 100 : nQuality;
}

IMAGELIB_API uint8_t IMAGELIB_CALL ImageLib_GetJpegQuality(void)
{
    return JpegQuality;
}

IMAGELIB_API uint8_t IMAGELIB_CALL ImageLib_GetBpp(uint32_t uImage)
{
    std::lock_guard guard(Lock);
    const TImage *entry = FindImage(uImage);
    if (!entry)
        return 0;
    // A 32-bit pixel without alpha carries 24 bits of colour.
    const int depth = entry->Image.depth();
    return uint8_t(depth == 32 && !entry->Image.hasAlphaChannel() ? 24 : depth);
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_GetType(uint32_t uImage)
{
    std::lock_guard guard(Lock);
    const TImage *entry = FindImage(uImage);
    return entry ? entry->Type : uint32_t{IL_TYPE_UNKNOWN};
}

IMAGELIB_API uint32_t IMAGELIB_CALL ImageLib_GetSize(uint32_t uImage)
{
    std::lock_guard guard(Lock);
    const TImage *entry = FindImage(uImage);
    if (!entry)
        return 0;
    return uint32_t(std::min<qsizetype>(entry->Image.sizeInBytes(), std::numeric_limits<uint32_t>::max()));
}

IMAGELIB_API void IMAGELIB_CALL ImageLib_FreeMemory(void *lpMemory)
{
    std::free(lpMemory);
}

} // extern "C"
