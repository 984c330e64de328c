// The quickpdf module as the program reaches it: loaded by its loader, called through the pointers.
#include "quickpdf.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TQuickPDFTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writesOnePagePdfThatPopplerReads();
    void refusesUnknownDocumentsAndBadValues();
};

void TQuickPDFTest::initTestCase()
{
    InitQuickPDF((QCoreApplication::applicationDirPath() + QStringLiteral("/quickpdf.so")).toLocal8Bit());
    QVERIFY(QuickPDFLoaded());
    QCOMPARE(QByteArray(QuickPDFLibraryVersion()), QByteArray("1.0"));
}

void TQuickPDFTest::writesOnePagePdfThatPopplerReads()
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty())
        QSKIP("poppler-utils are not installed");

    const uint32_t document = QuickPDFCreateDocument();
    QVERIFY(document != 0);
    QVERIFY(QuickPDFSetPageSize(document, 612, 792));
    // Delimiters and a backslash must be escaped; Polish letters are outside the font's range.
    QVERIFY(QuickPDFDrawText(document, 72, 72, 12, "Wynik (1 l) \\ 0,219969 imp. gal"));
    QVERIFY(QuickPDFDrawText(document, 72, 100, 12, "Zażółć"));
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("raport.pdf"));
    QVERIFY(QuickPDFSaveToFile(document, QFile::encodeName(file).constData()));

    QProcess info;
    info.start(pdfinfo, {file});
    QVERIFY(info.waitForFinished());
    QCOMPARE(info.exitCode(), 0);
    QCOMPARE(info.readAllStandardError(), QByteArray());
    const QByteArray details = info.readAllStandardOutput();
    QVERIFY2(details.contains("Pages:           1"), details.constData());
    QVERIFY2(details.contains("612 x 792 pts"), details.constData());

    QProcess text;
    text.start(pdftotext, {file, QStringLiteral("-")});
    QVERIFY(text.waitForFinished());
    QCOMPARE(text.readAllStandardError(), QByteArray());
    const QByteArray lines = text.readAllStandardOutput();
    QVERIFY2(lines.contains("Wynik (1 l) \\ 0,219969 imp. gal"), lines.constData());
    QVERIFY2(lines.contains("Za????"), lines.constData());
    QVERIFY(QuickPDFRemoveDocument(document));
}

void TQuickPDFTest::refusesUnknownDocumentsAndBadValues()
{
    const uint32_t document = QuickPDFCreateDocument();
    QVERIFY(!QuickPDFSetPageSize(document, 0, 100));
    QVERIFY(!QuickPDFSetPageSize(document, qQNaN(), 100));
    QVERIFY(!QuickPDFDrawText(document, qInf(), 0, 12, "x"));
    QVERIFY(!QuickPDFDrawText(document, 0, 0, 12, nullptr));
    QVERIFY(!QuickPDFSaveToFile(document, "/nonexistent-folder/raport.pdf"));
    QuickPDFReleaseLibrary();
    QVERIFY(!QuickPDFDrawText(document, 0, 0, 12, "x"));
    QVERIFY(!QuickPDFRemoveDocument(document));
    QVERIFY(!QuickPDFSaveToFile(0, "/tmp/never.pdf"));
}

QTEST_GUILESS_MAIN(TQuickPDFTest)
#include "tst_quickpdf.moc"
