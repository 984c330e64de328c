// The loaders of geometrics.so, imagelib.so and quickpdf.so: what start-up sees when a module is
// missing, is no module, or lacks one entry point, and the pointers once a load succeeds.
#include "geometricslib.h"
#include "imagelib.h"
#include "quickpdf.h"

#include "exception.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <numbers>

namespace {

using TLoader = std::function<void(const QByteArray &)>;

TLoader Loader(const QString &module)
{
    if (module == "geometrics.so")
        return InitGeometricsLib;
    if (module == "imagelib.so")
        return InitImageLib;
    return InitQuickPDF;
}

QString ProgramFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

bool NoneLoaded()
{
    return !GeometricsLibLoaded() && !ImageLibLoaded() && !QuickPDFLoaded() && !Geom_RectWidth &&
           !Geom_NormalizeDoublePrecisionSet && !ImageLib_ContextBitmap_Create && !QuickPDFLibraryVersion;
}

} // namespace

class TFamilyLoadersTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failedLoadsRaiseTheirMessage_data();
    void failedLoadsRaiseTheirMessage();
    void loadsEveryModuleBesideTheProgram();

private:
    QTemporaryDir FFolder;
};

void TFamilyLoadersTest::initTestCase()
{
    QVERIFY(FFolder.isValid());
    QFile notAModule(FFolder.filePath(QStringLiteral("geometrics.so")));
    QVERIFY(notAModule.open(QIODevice::WriteOnly));
    notAModule.write("This is a text file, not a module.\n");
}

void TFamilyLoadersTest::failedLoadsRaiseTheirMessage_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");

    const QString lacking = ProgramFolder() + QStringLiteral("family-lacking/");
    const QString missing = FFolder.filePath(QStringLiteral("missing/"));
    for (const QString module : {"geometrics.so", "imagelib.so", "quickpdf.so"}) {
        const QString message = QStringLiteral("Cannot initialize ") + module;
        QTest::addRow("%s missing", qPrintable(module)) << module << missing + module << message;
        QTest::addRow("%s empty path", qPrintable(module)) << module << QString() << message;
        // Built from the same sources with only the last name of the list hidden, one that is never called.
        QTest::addRow("%s lacking one name", qPrintable(module)) << module << lacking + module << message + ".";
    }
    QTest::newRow("text file in place of the module")
        << "geometrics.so" << FFolder.filePath(QStringLiteral("geometrics.so")) << "Cannot initialize geometrics.so";
    QTest::newRow("another family module") << "geometrics.so" << ProgramFolder() + QStringLiteral("imagelib.so")
                                           << "Cannot initialize geometrics.so.";
}

void TFamilyLoadersTest::failedLoadsRaiseTheirMessage()
{
    QFETCH(QString, module);
    QFETCH(QString, path);
    QFETCH(QString, message);

    QString raised;
    try {
        Loader(module)(QFile::encodeName(path));
    } catch (const Exception &error) {
        raised = error.Message();
    }
    QCOMPARE(raised, message);
    // Nothing half-loaded stays behind.
    QVERIFY(NoneLoaded());
}

void TFamilyLoadersTest::loadsEveryModuleBesideTheProgram()
{
    InitGeometricsLib(QFile::encodeName(ProgramFolder() + QStringLiteral("geometrics.so")));
    InitImageLib(QFile::encodeName(ProgramFolder() + QStringLiteral("imagelib.so")));
    InitQuickPDF(QFile::encodeName(ProgramFolder() + QStringLiteral("quickpdf.so")));
    QVERIFY(GeometricsLibLoaded() && ImageLibLoaded() && QuickPDFLoaded());

    // Every pointer is set and each one is the entry point of its own name.
#define KALK_TEST_POINTER_SET(name) QVERIFY2(name != nullptr, #name);
    KALK_GEOMETRICS_ENTRY_POINTS(KALK_TEST_POINTER_SET)
    KALK_IMAGELIB_ENTRY_POINTS(KALK_TEST_POINTER_SET)
    KALK_QUICKPDF_ENTRY_POINTS(KALK_TEST_POINTER_SET)
#undef KALK_TEST_POINTER_SET
    const GEOM_RECT page{0, 0, 99, 49};
    QCOMPARE(Geom_RectWidth(&page), 100);
    QCOMPARE(Geom_RectHeight(&page), 50);
    QCOMPARE(Geom_DegToRad(180.0), std::numbers::pi);
    QCOMPARE(ImageLib_GrayColor(0x0000FF00), 0x00969696u);
    QCOMPARE(ImageLib_GetJpegQuality(), uint8_t{75});
    QCOMPARE(QByteArray(QuickPDFLibraryVersion()), QByteArray("1.0"));
}

QTEST_GUILESS_MAIN(TFamilyLoadersTest)
#include "tst_familyloaders.moc"
