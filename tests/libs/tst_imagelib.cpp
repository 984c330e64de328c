// The imagelib module as the program reaches it: loaded by its loader, called through the pointers.
#include "imagelib.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage BitmapImage(uint32_t bitmap)
{
    return *reinterpret_cast<const QImage *>(ImageLib_ContextBitmap_GetHandle(bitmap));
}

QPainter *BitmapPainter(uint32_t bitmap)
{
    return reinterpret_cast<QPainter *>(ImageLib_ContextBitmap_GetDC(bitmap));
}

// The library's own picture, not a copy: a copy would share its pixels and keep them from being reused.
const QImage &BitmapPixels(uint32_t bitmap)
{
    return *reinterpret_cast<const QImage *>(ImageLib_ContextBitmap_GetHandle(bitmap));
}

bool FilledWith(const QImage &image, const QColor &color)
{
    QImage expected(image.size(), image.format());
    expected.fill(color);
    return image == expected;
}

// Covers the bitmap in red through a transform and clip that a later bitmap must not inherit.
void Scribble(uint32_t bitmap)
{
    QPainter *painter = BitmapPainter(bitmap);
    painter->setWorldTransform(QTransform::fromScale(3.0, 3.0));
    painter->setClipRect(0, 0, 1000, 1000);
    painter->fillRect(QRect(0, 0, 1000, 1000), Qt::red);
}

// A 3 x 2 picture whose every pixel differs, so that flips and turns show.
QImage Pattern()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(2, 0, qRgb(0, 0, 255));
    image.setPixel(0, 1, qRgb(10, 10, 10));
    image.setPixel(1, 1, qRgb(128, 128, 128));
    image.setPixel(2, 1, qRgb(250, 250, 250));
    return image;
}

uint32_t PatternImage()
{
    const QImage pattern = Pattern();
    return ImageLib_CreateFromImage(reinterpret_cast<IL_HANDLE>(&pattern));
}

QImage EncodedImage(uint32_t image)
{
    void *buffer = nullptr;
    uint32_t size = 0;
    if (!ImageLib_EncodeToBuffer(image, IL_TYPE_PNG, &buffer, &size))
        return {};
    QImage decoded = QImage::fromData(QByteArray(static_cast<const char *>(buffer), int(size)), "PNG");
    ImageLib_FreeMemory(buffer);
    return decoded.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TImageLibTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void contextBitmapIsDrawnThroughItsOwnPainter();
    void clearFillsEveryPixelWhateverTheTransform_data();
    void clearFillsEveryPixelWhateverTheTransform();
    void invalidBitmapSizesReturnZero_data();
    void invalidBitmapSizesReturnZero();
    void bitmapAdoptsThePixelRatioOfTheReference();
    void unknownHandlesAreIgnored();
    void recreatedBitmapOfTheSameShapeShowsNoOldPixels_data();
    void recreatedBitmapOfTheSameShapeShowsNoOldPixels();
    void bitmapOfAnotherShapeGetsItsOwnSize_data();
    void bitmapOfAnotherShapeGetsItsOwnSize();
    void liveBitmapsAndCopiesNeverSharePixels();

    void imageTurnsAndFlips_data();
    void imageTurnsAndFlips();
    void imageRoundTripsThroughBufferAndFile();
    void cropKeepsTheOverlapOnly();
    void platformHandlesAreRefused();
    void colourHelpers_data();
    void colourHelpers();
};

void TImageLibTest::initTestCase()
{
    InitImageLib((QCoreApplication::applicationDirPath() + QStringLiteral("/imagelib.so")).toLocal8Bit());
    QVERIFY(ImageLibLoaded());
}

void TImageLibTest::contextBitmapIsDrawnThroughItsOwnPainter()
{
    const uint32_t bitmap = ImageLib_ContextBitmap_Create(0, 40, 30, 24);
    QVERIFY(bitmap != 0);
    QCOMPARE(ImageLib_ContextBitmap_GetWidth(bitmap), 40);
    QCOMPARE(ImageLib_ContextBitmap_GetHeight(bitmap), 30);
    QCOMPARE(ImageLib_ContextBitmap_GetBpp(bitmap), uint8_t{24});

    const IL_HDC dc = ImageLib_ContextBitmap_GetDC(bitmap);
    QVERIFY(dc != 0);
    QCOMPARE(ImageLib_ContextBitmap_GetDC(bitmap), dc);
    QPainter *painter = BitmapPainter(bitmap);
    QVERIFY(painter->isActive());

    // As the preview draws: white page, then a world transform scaling what the renderer draws.
    ImageLib_ContextBitmap_Clear(bitmap, 0xFFFFFF);
    painter->setWorldTransform(QTransform::fromScale(2.0, 2.0));
    painter->fillRect(QRect(0, 0, 5, 5), Qt::blue);
    painter->resetTransform();

    QImage target(40, 30, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter onTarget(&target);
        QVERIFY(ImageLib_ContextBitmap_Draw(bitmap, reinterpret_cast<IL_HDC>(&onTarget), 0, 0));
        QVERIFY(!ImageLib_ContextBitmap_Draw(bitmap, dc, 0, 0));
    }
    QCOMPARE(QColor(target.pixel(9, 9)), QColor(Qt::blue));
    QCOMPARE(QColor(target.pixel(10, 10)), QColor(Qt::white));
    QCOMPARE(QColor(target.pixel(39, 29)), QColor(Qt::white));

    QCOMPARE(ImageLib_ContextBitmap_Destroy(bitmap), 1u);
    QCOMPARE(ImageLib_ContextBitmap_GetDC(bitmap), IL_HDC{0});
    QCOMPARE(ImageLib_ContextBitmap_Destroy(bitmap), 0u);
}

void TImageLibTest::clearFillsEveryPixelWhateverTheTransform_data()
{
    QTest::addColumn<uint>("colorRef");
    QTest::addColumn<QColor>("expected");
    QTest::addColumn<int>("bpp");

    // Colours are 0x00BBGGRR.
    QTest::newRow("red, 24 bits") << 0x0000FFu << QColor(255, 0, 0) << 24;
    QTest::newRow("blue, 32 bits") << 0xFF0000u << QColor(0, 0, 255) << 32;
    QTest::newRow("grey, 16 bits") << 0x808080u << QColor(0x84, 0x82, 0x84) << 16;
}

void TImageLibTest::clearFillsEveryPixelWhateverTheTransform()
{
    QFETCH(uint, colorRef);
    QFETCH(QColor, expected);
    QFETCH(int, bpp);

    const uint32_t bitmap = ImageLib_ContextBitmap_Create(0, 16, 8, uint8_t(bpp));
    QVERIFY(bitmap != 0);
    QPainter *painter = BitmapPainter(bitmap);
    painter->setWorldTransform(QTransform::fromScale(0.25, 0.25));
    painter->setClipRect(0, 0, 1, 1);
    ImageLib_ContextBitmap_Clear(bitmap, colorRef);
    QCOMPARE(painter->worldTransform(), QTransform::fromScale(0.25, 0.25));
    QVERIFY(painter->hasClipping());

    const QImage image = BitmapImage(bitmap);
    for (const QPoint corner : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 7), QPoint(15, 7)}) {
        const QColor actual = image.pixelColor(corner);
        QVERIFY2(qAbs(actual.red() - expected.red()) <= 8 && qAbs(actual.green() - expected.green()) <= 4 &&
                     qAbs(actual.blue() - expected.blue()) <= 8 && actual.alpha() == 255,
                 qPrintable(actual.name(QColor::HexArgb)));
    }
    ImageLib_ContextBitmap_Destroy(bitmap);
}

void TImageLibTest::invalidBitmapSizesReturnZero_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bpp");

    QTest::newRow("zero width") << 0 << 10 << 24;
    QTest::newRow("zero height") << 10 << 0 << 24;
    QTest::newRow("negative width") << -5 << 10 << 24;
    QTest::newRow("side above 32768") << 32769 << 1 << 24;
    QTest::newRow("above 1 GiB") << 32768 << 32768 << 24;
    QTest::newRow("largest int") << 2147483647 << 2147483647 << 32;
    QTest::newRow("depth not offered") << 10 << 10 << 7;
}

void TImageLibTest::invalidBitmapSizesReturnZero()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bpp);

    QCOMPARE(ImageLib_ContextBitmap_Create(0, width, height, uint8_t(bpp)), 0u);
    QCOMPARE(ImageLib_Create(width, height, uint8_t(bpp)), 0u);
}

void TImageLibTest::bitmapAdoptsThePixelRatioOfTheReference()
{
    QImage screen(100, 100, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2.0);
    QPainter reference(&screen);
    const uint32_t bitmap = ImageLib_ContextBitmap_Create(reinterpret_cast<IL_HDC>(&reference), 10, 6, 24);
    reference.end(); // the reference may go at once
    QVERIFY(bitmap != 0);
    QCOMPARE(ImageLib_ContextBitmap_GetWidth(bitmap), 10);
    const QImage image = BitmapImage(bitmap);
    QCOMPARE(image.size(), QSize(20, 12));
    QCOMPARE(image.devicePixelRatio(), 2.0);

    // Drawing in logical pixels covers the device pixels beneath.
    BitmapPainter(bitmap)->fillRect(QRect(0, 0, 10, 6), Qt::red);
    QCOMPARE(QColor(BitmapImage(bitmap).pixel(19, 11)), QColor(Qt::red));
    ImageLib_ContextBitmap_Destroy(bitmap);
}

void TImageLibTest::unknownHandlesAreIgnored()
{
    const uint32_t unknown = 0x7FFFFFF0u;
    ImageLib_ContextBitmap_Clear(unknown, 0);
    ImageLib_ContextBitmap_Clear(0, 0);
    QCOMPARE(ImageLib_ContextBitmap_GetDC(unknown), IL_HDC{0});
    QCOMPARE(ImageLib_ContextBitmap_GetHandle(0), IL_HANDLE{0});
    QCOMPARE(ImageLib_ContextBitmap_Destroy(unknown), 0u);
    QCOMPARE(ImageLib_GetWidth(unknown), 0);
    QVERIFY(!ImageLib_Flip(unknown));
    QCOMPARE(ImageLib_MakeBitmap(unknown, 0), 0u);

    // An image index is not a bitmap index.
    const uint32_t image = PatternImage();
    QCOMPARE(ImageLib_ContextBitmap_GetDC(image), IL_HDC{0});
    QCOMPARE(ImageLib_ContextBitmap_Destroy(image), 0u);
    QCOMPARE(ImageLib_GetWidth(image), 3);
    ImageLib_Destroy(image);
}

void TImageLibTest::recreatedBitmapOfTheSameShapeShowsNoOldPixels_data()
{
    QTest::addColumn<int>("bpp");
    QTest::addColumn<qreal>("ratio");

    QTest::newRow("24 bits") << 24 << 1.0;
    QTest::newRow("32 bits") << 32 << 1.0;
    QTest::newRow("16 bits") << 16 << 1.0;
    QTest::newRow("24 bits at ratio 2") << 24 << 2.0;
}

void TImageLibTest::recreatedBitmapOfTheSameShapeShowsNoOldPixels()
{
    QFETCH(int, bpp);
    QFETCH(qreal, ratio);

    QImage screen(4, 4, QImage::Format_RGB32);
    screen.setDevicePixelRatio(ratio);
    QPainter reference(&screen);
    const IL_HDC referenceDC = reinterpret_cast<IL_HDC>(&reference);

    const uint32_t first = ImageLib_ContextBitmap_Create(referenceDC, 64, 48, uint8_t(bpp));
    QVERIFY(first != 0);
    Scribble(first);
    const uchar *firstPixels = BitmapPixels(first).constBits();
    QCOMPARE(ImageLib_ContextBitmap_Destroy(first), 1u);

    const uint32_t second = ImageLib_ContextBitmap_Create(referenceDC, 64, 48, uint8_t(bpp));
    QVERIFY(second != 0);
    QVERIFY(second != first);
    QCOMPARE(ImageLib_ContextBitmap_GetDC(first), IL_HDC{0});
    QCOMPARE(ImageLib_ContextBitmap_Destroy(first), 0u);
    const QImage &pixels = BitmapPixels(second);
    QCOMPARE(pixels.constBits(), firstPixels); // the freed pixels were taken again
    QCOMPARE(pixels.size(), QSize(64, 48) * ratio);
    QCOMPARE(pixels.devicePixelRatio(), ratio);
    QCOMPARE(ImageLib_ContextBitmap_GetBpp(second), uint8_t(bpp));
    QVERIFY(FilledWith(pixels, Qt::white));

    QPainter *painter = BitmapPainter(second);
    QCOMPARE(ImageLib_ContextBitmap_GetDC(second), IL_HDC(painter));
    QVERIFY(painter->isActive());
    QVERIFY(painter->worldTransform().isIdentity());
    QVERIFY(!painter->hasClipping());

    Scribble(second);
    ImageLib_ContextBitmap_Clear(second, 0xFF0000); // blue
    QVERIFY(FilledWith(BitmapPixels(second), Qt::blue));
    ImageLib_ContextBitmap_Destroy(second);
}

void TImageLibTest::bitmapOfAnotherShapeGetsItsOwnSize_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bpp");
    QTest::addColumn<qreal>("ratio");

    // Each after a freed 64 x 48, 24-bit bitmap at ratio 1.
    QTest::newRow("sides swapped, same byte count") << 48 << 64 << 24 << 1.0;
    QTest::newRow("larger") << 200 << 150 << 24 << 1.0;
    QTest::newRow("smaller") << 8 << 6 << 24 << 1.0;
    QTest::newRow("other depth") << 64 << 48 << 32 << 1.0;
    QTest::newRow("other pixel ratio") << 64 << 48 << 24 << 2.0;
}

void TImageLibTest::bitmapOfAnotherShapeGetsItsOwnSize()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bpp);
    QFETCH(qreal, ratio);

    const uint32_t first = ImageLib_ContextBitmap_Create(0, 64, 48, 24);
    QVERIFY(first != 0);
    Scribble(first);
    ImageLib_ContextBitmap_Destroy(first);

    QImage screen(4, 4, QImage::Format_RGB32);
    screen.setDevicePixelRatio(ratio);
    QPainter reference(&screen);
    const uint32_t bitmap = ImageLib_ContextBitmap_Create(reinterpret_cast<IL_HDC>(&reference), width, height,
                                                          uint8_t(bpp));
    QVERIFY(bitmap != 0);
    QCOMPARE(ImageLib_ContextBitmap_GetWidth(bitmap), width);
    QCOMPARE(ImageLib_ContextBitmap_GetHeight(bitmap), height);
    QCOMPARE(ImageLib_ContextBitmap_GetBpp(bitmap), uint8_t(bpp));
    const QImage &pixels = BitmapPixels(bitmap);
    QCOMPARE(pixels.size(), QSize(width, height) * ratio);
    QCOMPARE(pixels.devicePixelRatio(), ratio);
    QCOMPARE(pixels.depth(), bpp == 24 ? 32 : bpp);
    QVERIFY(FilledWith(pixels, Qt::white));

    // The whole new area is drawable, up to its far corner.
    BitmapPainter(bitmap)->fillRect(QRect(0, 0, width, height), Qt::green);
    QVERIFY(FilledWith(BitmapPixels(bitmap), Qt::green));
    ImageLib_ContextBitmap_Destroy(bitmap);
}

void TImageLibTest::liveBitmapsAndCopiesNeverSharePixels()
{
    // A caller's copy of a destroyed bitmap's picture keeps its pixels.
    const uint32_t copied = ImageLib_ContextBitmap_Create(0, 64, 48, 24);
    Scribble(copied);
    const QImage copy = BitmapPixels(copied);
    ImageLib_ContextBitmap_Destroy(copied);
    const uint32_t afterCopy = ImageLib_ContextBitmap_Create(0, 64, 48, 24);
    QVERIFY(afterCopy != 0);
    QVERIFY(BitmapPixels(afterCopy).constBits() != copy.constBits());
    QVERIFY(FilledWith(BitmapPixels(afterCopy), Qt::white));
    QVERIFY(FilledWith(copy, Qt::red));
    ImageLib_ContextBitmap_Destroy(afterCopy);

    // Two bitmaps of the same shape made after a destroy: only one can take the freed pixels.
    const uint32_t freed = ImageLib_ContextBitmap_Create(0, 64, 48, 24);
    ImageLib_ContextBitmap_Destroy(freed);
    const uint32_t one = ImageLib_ContextBitmap_Create(0, 64, 48, 24);
    const uint32_t other = ImageLib_ContextBitmap_Create(0, 64, 48, 24);
    QVERIFY(one != 0 && other != 0);
    QVERIFY(one != other && one != freed && other != freed);
    QVERIFY(ImageLib_ContextBitmap_GetDC(one) != ImageLib_ContextBitmap_GetDC(other));
    QVERIFY(BitmapPixels(one).constBits() != BitmapPixels(other).constBits());
    ImageLib_ContextBitmap_Clear(one, 0x0000FF);
    ImageLib_ContextBitmap_Clear(other, 0xFF0000);
    QVERIFY(FilledWith(BitmapPixels(one), Qt::red));
    QVERIFY(FilledWith(BitmapPixels(other), Qt::blue));
    ImageLib_ContextBitmap_Destroy(one);
    ImageLib_ContextBitmap_Destroy(other);
}

void TImageLibTest::imageTurnsAndFlips_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QImage>("expected");

    const QImage pattern = Pattern();
    QTest::newRow("flip") << "flip" << pattern.mirrored(false, true);
    QTest::newRow("mirror") << "mirror" << pattern.mirrored(true, false);
    QImage left(2, 3, QImage::Format_RGB32);
    QImage right(2, 3, QImage::Format_RGB32);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y) {
            left.setPixel(y, 2 - x, pattern.pixel(x, y));
            right.setPixel(1 - y, x, pattern.pixel(x, y));
        }
    QTest::newRow("rotate left") << "left" << left;
    QTest::newRow("rotate right") << "right" << right;
}

void TImageLibTest::imageTurnsAndFlips()
{
    QFETCH(QString, operation);
    QFETCH(QImage, expected);

    const uint32_t image = PatternImage();
    QVERIFY(image != 0);
    IL_BOOL done = 0;
    if (operation == "flip")
        done = ImageLib_Flip(image);
    else if (operation == "mirror")
        done = ImageLib_Mirror(image);
    else if (operation == "left")
        done = ImageLib_RotateLeft(image);
    else
        done = ImageLib_RotateRight(image);
    QVERIFY(done);
    QCOMPARE(EncodedImage(image), expected);
    ImageLib_Destroy(image);
}

void TImageLibTest::imageRoundTripsThroughBufferAndFile()
{
    const uint32_t image = PatternImage();
    void *buffer = nullptr;
    uint32_t size = 0;
    QVERIFY(ImageLib_EncodeToBuffer(image, IL_TYPE_BMP, &buffer, &size));
    const uint32_t decoded = ImageLib_CreateFromBuffer(buffer, size);
    ImageLib_FreeMemory(buffer);
    QVERIFY(decoded != 0);
    QCOMPARE(ImageLib_GetType(decoded), uint32_t{IL_TYPE_BMP});
    QCOMPARE(ImageLib_GetBpp(decoded), uint8_t{24});
    QCOMPARE(EncodedImage(decoded), Pattern());
    QCOMPARE(ImageLib_CreateFromBuffer("not a picture", 13), 0u);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QByteArray png = QFile::encodeName(folder.filePath(QStringLiteral("obraz żółw.png")));
    QVERIFY(ImageLib_Save(image, png.constData(), IL_TYPE_UNKNOWN));
    const uint32_t loaded = ImageLib_CreateFromFile(png.constData());
    QVERIFY(loaded != 0);
    QCOMPARE(ImageLib_GetType(loaded), uint32_t{IL_TYPE_PNG});
    QCOMPARE(EncodedImage(loaded), Pattern());

    // A larger picture so that the quality shows in the file size.
    QVERIFY(ImageLib_Resample(loaded, 300, 200));
    const QByteArray jpeg = QFile::encodeName(folder.filePath(QStringLiteral("obraz.jpg")));
    ImageLib_SetJpegQuality(100);
    QVERIFY(ImageLib_Save(loaded, jpeg.constData(), IL_TYPE_JPEG));
    const qint64 best = QFileInfo(QString::fromUtf8(jpeg)).size();
    ImageLib_SetJpegQuality(200);
    QCOMPARE(ImageLib_GetJpegQuality(), uint8_t{100});
    ImageLib_SetJpegQuality(5);
    QVERIFY(ImageLib_Save(loaded, jpeg.constData(), IL_TYPE_JPEG));
    QVERIFY(QFileInfo(QString::fromUtf8(jpeg)).size() < best);
    ImageLib_SetJpegQuality(75);

    QVERIFY(!ImageLib_Save(loaded, folder.filePath(QStringLiteral("x.gif")).toUtf8().constData(), IL_TYPE_GIF));
    QCOMPARE(ImageLib_CreateFromFile(folder.filePath(QStringLiteral("missing.png")).toUtf8().constData()), 0u);
    for (const uint32_t index : {image, decoded, loaded})
        QCOMPARE(ImageLib_Destroy(index), 1u);
}

void TImageLibTest::cropKeepsTheOverlapOnly()
{
    const uint32_t image = PatternImage();
    QVERIFY(ImageLib_Crop(image, 1, -5, 100, 6));
    QCOMPARE(EncodedImage(image), Pattern().copy(1, 0, 2, 1));
    QVERIFY(!ImageLib_Crop(image, 5, 5, 2, 2));
    QVERIFY(!ImageLib_Crop(image, 2147483647, 0, 2147483647, 1));
    QCOMPARE(ImageLib_GetWidth(image), 2);
    ImageLib_Destroy(image);
}

void TImageLibTest::platformHandlesAreRefused()
{
    QCOMPARE(ImageLib_CreateFromHBITMAP(1), 0u);
    QCOMPARE(ImageLib_CreateFromHICON(1), 0u);
    QCOMPARE(ImageLib_CreateFromHANDLE(1), 0u);
    QCOMPARE(ImageLib_CreateFromImage(0), 0u);
    const uint32_t image = PatternImage();
    QCOMPARE(ImageLib_CopyToHandle(image), IL_HANDLE{0});

    // A picture can become a context bitmap that draws like any other.
    const uint32_t bitmap = ImageLib_MakeBitmap(image, 0);
    QVERIFY(bitmap != 0);
    QCOMPARE(BitmapImage(bitmap).pixel(2, 0), qRgb(0, 0, 255));
    ImageLib_ContextBitmap_Destroy(bitmap);
    ImageLib_Destroy(image);
}

void TImageLibTest::colourHelpers_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<uint>("color");
    QTest::addColumn<int>("percent");
    QTest::addColumn<uint>("expected");

    QTest::newRow("lighten half") << "lighten" << 0x00400080u << 50 << 0x00A080C0u;
    QTest::newRow("lighten beyond 100 is white") << "lighten" << 0x00123456u << 255 << 0x00FFFFFFu;
    QTest::newRow("darken half") << "darken" << 0x00400080u << 50 << 0x00200040u;
    QTest::newRow("dim all the way is middle gray") << "dim" << 0x00FF0000u << 100 << 0x00808080u;
    QTest::newRow("gray of pure green") << "gray" << 0x0000FF00u << 0 << 0x00969696u;
    QTest::newRow("gray keeps gray") << "gray" << 0x00333333u << 0 << 0x00333333u;
}

void TImageLibTest::colourHelpers()
{
    QFETCH(QString, helper);
    QFETCH(uint, color);
    QFETCH(int, percent);
    QFETCH(uint, expected);

    uint32_t actual = 0;
    if (helper == "lighten")
        actual = ImageLib_LightenColor(color, uint8_t(percent));
    else if (helper == "darken")
        actual = ImageLib_DarkenColor(color, uint8_t(percent));
    else if (helper == "dim")
        actual = ImageLib_DimColor(color, uint8_t(percent));
    else
        actual = ImageLib_GrayColor(color);
    QCOMPARE(QString::number(actual, 16), QString::number(expected, 16));
}

QTEST_MAIN(TImageLibTest)
#include "tst_imagelib.moc"
