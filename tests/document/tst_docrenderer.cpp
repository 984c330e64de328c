#include "docrenderer.h"

#include "exception.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

class TestDocRenderer : public QObject
{
    Q_OBJECT

private slots:
    void failuresNameTheLibraryAndLeaveNothingLoaded_data();
    void failuresNameTheLibraryAndLeaveNothingLoaded();
    void loadsEveryEntryPointOfTheBuiltModule();
};

void TestDocRenderer::failuresNameTheLibraryAndLeaveNothingLoaded_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    const QString folder = QCoreApplication::applicationDirPath();
    QTest::newRow("no such file") << folder + QStringLiteral("/missing/docrender.so")
                                  << QStringLiteral("Cannot initialize docrender.so");
    QTest::newRow("not a module") << folder + QStringLiteral("/tst_docrenderer")
                                  << QStringLiteral("Cannot initialize docrender.so");
    QTest::newRow("one entry point missing") << folder + QStringLiteral("/docrender_lacking.so")
                                             << QStringLiteral("Cannot initialize docrender.so.");
}

void TestDocRenderer::failuresNameTheLibraryAndLeaveNothingLoaded()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    try {
        InitDocRenderer(path.toLocal8Bit());
        QFAIL("no exception");
    } catch (const Exception &error) {
        QCOMPARE(error.Message(), message);
    }
    QVERIFY(!DocRendererLoaded());
    QVERIFY(!DocRend_CreateObject);
    QVERIFY(!DocRend_GetPropertyName);
}

void TestDocRenderer::loadsEveryEntryPointOfTheBuiltModule()
{
    InitDocRenderer((QCoreApplication::applicationDirPath() + QStringLiteral("/docrender.so")).toLocal8Bit());
    QVERIFY(DocRendererLoaded());
    const void *pointers[] = {
        reinterpret_cast<const void *>(DocRend_CreateObject), reinterpret_cast<const void *>(DocRend_FreeObject),
        reinterpret_cast<const void *>(DocRend_LoadXML), reinterpret_cast<const void *>(DocRend_BuildTree),
        reinterpret_cast<const void *>(DocRend_Paginate), reinterpret_cast<const void *>(DocRend_RenderRange),
        reinterpret_cast<const void *>(DocRend_GetDocTitle), reinterpret_cast<const void *>(DocRend_GetPageCount),
        reinterpret_cast<const void *>(DocRend_Render),
        reinterpret_cast<const void *>(DocRend_GetSavedPagesFileCount),
        reinterpret_cast<const void *>(DocRend_GetSavedPagesFiles), reinterpret_cast<const void *>(DocRend_Reset),
        reinterpret_cast<const void *>(DocRend_SetScale), reinterpret_cast<const void *>(DocRend_SetKey),
        reinterpret_cast<const void *>(DocRend_Encode), reinterpret_cast<const void *>(DocRend_Decode),
        reinterpret_cast<const void *>(DocRend_GetChildNodeCount),
        reinterpret_cast<const void *>(DocRend_GetChildNodes), reinterpret_cast<const void *>(DocRend_GetNodeType),
        reinterpret_cast<const void *>(DocRend_GetPropertyCount),
        reinterpret_cast<const void *>(DocRend_GetPropertyName),
        reinterpret_cast<const void *>(DocRend_GetPropertyValue),
        reinterpret_cast<const void *>(DocRend_FindPropertyIndex)};
    for (const void *pointer : pointers)
        QVERIFY(pointer);

    // Called through the pointers, the module answers.
    const uint32_t index = DocRend_CreateObject();
    QVERIFY(index != 0);
    const QByteArray markup = "<document><head><title>Raport</title></head></document>\r\n";
    DOCRENDER record{};
    record.lpXMLBuffer = markup.constData();
    record.nXMLBufferSize = static_cast<uint32_t>(markup.size());
    QVERIFY(DocRend_LoadXML(index, &record));
    QVERIFY(DocRend_BuildTree(index, &record));
    char16_t title[16] = {};
    QVERIFY(DocRend_GetDocTitle(index, title, 16));
    QCOMPARE(QString::fromUtf16(title), QStringLiteral("Raport"));
    QVERIFY(DocRend_FreeObject(index));
}

QTEST_GUILESS_MAIN(TestDocRenderer)
#include "tst_docrenderer.moc"
