#include "printingfixture.h"

#include "exception.h"
#include "printing.h"
#include "printpreviewwnd.h"
#include "screenpage.h"
#include "ui_printpreviewwnd.h"

#include <QApplication>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void screenPageIsSheetScaledByVerticalResolution_data();
    void screenPageIsSheetScaledByVerticalResolution();
    void printWritesOneJobNamedAfterTitle();
    void printOfSeveralPagesHasRendererPageCount();
    void titleIsTrimmedOfBlanksAndControls();
    void rejectedScriptShowsAndPrintsNothing_data();
    void rejectedScriptShowsAndPrintsNothing();
    void cancelledFileNamePrintsNothing();
    void fileNameIsAskedAgainForEveryJob();
    void unwritableFileRaisesPrinterErrorAndEndsNothingOpen();
    void defaultFileNameDialogSuggestsDocumentsFolder();
    void previewShowsScreenPageAndReturnsWindowResult();
    void previewThenPrintPaginatesAgain();

private:
    QString OutputFile(const QString &name) const { return FFolder.filePath(name); }
    // Answers every PDF file-name question with file, counting the questions and keeping the titles.
    void AnswerFileName(const QString &file)
    {
        SetPdfFileNameProvider([this, file](const QString &title) {
            FAskedTitles.append(title);
            return file;
        });
    }

    QTemporaryDir FFolder;
    QStringList FAskedTitles;
};

void TestPrinting::initTestCase()
{
    QVERIFY(FFolder.isValid());
    LoadPrintingModules();
    UsePdfPrinter();
}

void TestPrinting::init()
{
    FAskedTitles.clear();
    UsePdfPrinter();
}

void TestPrinting::cleanup()
{
    SetPdfFileNameProvider([](const QString &) {
        qWarning("unexpected question for a PDF file name");
        return QString();
    });
    QVERIFY(!Printer().paintingActive());
}

void TestPrinting::screenPageIsSheetScaledByVerticalResolution_data()
{
    QTest::addColumn<qint64>("width");
    QTest::addColumn<qint64>("height");
    QTest::addColumn<int>("printerDpi");
    QTest::addColumn<int>("screenDpi");
    QTest::addColumn<QSize>("page");

    QTest::newRow("A4 at 600 dpi, rounded down") << qint64(4960) << qint64(7016) << 600 << 96 << QSize(793, 1122);
    QTest::newRow("A4 at 1200 dpi") << qint64(9921) << qint64(14031) << 1200 << 96 << QSize(793, 1122);
    QTest::newRow("high-density screen") << qint64(4960) << qint64(7016) << 600 << 144 << QSize(1190, 1683);
    QTest::newRow("product beyond 32 bits") << qint64(40000000) << qint64(30000000) << 600 << 144
                                            << QSize(9600000, 7200000);
    QTest::newRow("no printer resolution") << qint64(4960) << qint64(7016) << 0 << 96 << QSize();
}

void TestPrinting::screenPageIsSheetScaledByVerticalResolution()
{
    QFETCH(qint64, width);
    QFETCH(qint64, height);
    QFETCH(int, printerDpi);
    QFETCH(int, screenDpi);
    QFETCH(QSize, page);
    QCOMPARE(ScreenPageSize(width, height, printerDpi, screenDpi), page);
}

void TestPrinting::printWritesOneJobNamedAfterTitle()
{
    const QString file = OutputFile(QStringLiteral("conversion.pdf"));
    AnswerFileName(file);
    QVERIFY(PrintDocument(FixtureScript("conversion.xml")));

    QCOMPARE(FAskedTitles, QStringList{QStringLiteral("Konwersja jednostek objętości")});
    QVERIFY(QFile::exists(file));
    QCOMPARE(PdfInfo(file, QStringLiteral("Title")), QStringLiteral("Konwersja jednostek objętości"));
    QCOMPARE(PdfInfo(file, QStringLiteral("Pages")), QStringLiteral("1"));
    const QString text = PdfText(file);
    QVERIFY2(text.contains(QStringLiteral("Przelicznik: 1 imp. gal = 4,54609 l")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Wartość i jednostka źródłowa: 1 × galon angielski (imp. gal)")));
}

void TestPrinting::printOfSeveralPagesHasRendererPageCount()
{
    const QList<QByteArray> script = FixtureScript("threepages.xml");
    const TDeviceCaps caps = PrinterDeviceCaps(Printer());
    int expected = 0;
    {
        TPaginatedDocument document(script, int(caps.PhysicalWidth), int(caps.PhysicalHeight), caps.LogPixelsY);
        QVERIFY(document.Paginated);
        expected = document.PageCount();
    }
    QCOMPARE(expected, 3);

    const QString file = OutputFile(QStringLiteral("threepages.pdf"));
    AnswerFileName(file);
    QVERIFY(PrintDocument(script));
    QCOMPARE(FAskedTitles.size(), 1);
    QCOMPARE(PdfInfo(file, QStringLiteral("Pages")), QString::number(expected));
    const QString text = PdfText(file);
    // Every paragraph once, in order, and the last one on the last page.
    int at = 0;
    for (int i = 1; i <= 130; ++i) {
        const int found = text.indexOf(QStringLiteral("Akapit %1:").arg(i), at);
        QVERIFY2(found >= at, qPrintable(QStringLiteral("Akapit %1 is missing or out of order").arg(i)));
        at = found;
    }
    QVERIFY(text.lastIndexOf(u'\f', at) > text.indexOf(u'\f'));
}

void TestPrinting::titleIsTrimmedOfBlanksAndControls()
{
    QList<QByteArray> script = FixtureScript("conversion.xml");
    script[0] = QByteArrayLiteral("<document><head><title>\t  Raport &amp; wyniki \t</title>");
    const QString file = OutputFile(QStringLiteral("trimmed.pdf"));
    AnswerFileName(file);
    QVERIFY(PrintDocument(script));
    QCOMPARE(FAskedTitles, QStringList{QStringLiteral("Raport & wyniki")});
    QCOMPARE(PdfInfo(file, QStringLiteral("Title")), QStringLiteral("Raport & wyniki"));
}

void TestPrinting::rejectedScriptShowsAndPrintsNothing_data()
{
    QTest::addColumn<QList<QByteArray>>("script");
    QTest::newRow("unclosed elements") << QList<QByteArray>{"<document><head><title>X</title>"};
    QTest::newRow("empty list") << QList<QByteArray>{};
    QTest::newRow("not a document") << QList<QByteArray>{"<html><body>X</body></html>"};
    QTest::newRow("bytes that are not markup") << QList<QByteArray>{QByteArray("\x00\xff\xfe<", 4)};
}

void TestPrinting::rejectedScriptShowsAndPrintsNothing()
{
    QFETCH(QList<QByteArray>, script);
    bool shown = false;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            shown = true;
            modal->close();
        }
    });
    watcher.start(10);
    QCOMPARE(PreviewDocument(script), 2);
    QVERIFY(!shown);

    const QString file = OutputFile(QStringLiteral("rejected.pdf"));
    AnswerFileName(file);
    QCOMPARE(PrintDocument(script), false);
    QVERIFY(FAskedTitles.isEmpty());
    QVERIFY(!QFile::exists(file));
}

void TestPrinting::cancelledFileNamePrintsNothing()
{
    const QStringList before = QDir(FFolder.path()).entryList(QDir::Files);
    AnswerFileName(QString());
    QCOMPARE(PrintDocument(FixtureScript("conversion.xml")), false);
    QCOMPARE(FAskedTitles.size(), 1);
    QCOMPARE(QDir(FFolder.path()).entryList(QDir::Files), before);
    QVERIFY(Printer().outputFileName().isEmpty());
}

void TestPrinting::fileNameIsAskedAgainForEveryJob()
{
    const QStringList files{OutputFile(QStringLiteral("first.pdf")), OutputFile(QStringLiteral("second"))};
    int job = 0;
    SetPdfFileNameProvider([&](const QString &) { return files.at(job++); });
    QVERIFY(PrintDocument(FixtureScript("conversion.xml")));
    QVERIFY(Printer().outputFileName().isEmpty());
    QVERIFY(PrintDocument(FixtureScript("conversion.xml")));
    QCOMPARE(job, 2);
    QVERIFY(Printer().outputFileName().isEmpty());
    QVERIFY(PrinterIsPdf());
    // A name without the suffix is still written as PDF.
    QCOMPARE(PdfInfo(files.at(1), QStringLiteral("Pages")), QStringLiteral("1"));
    QCOMPARE(PdfInfo(files.at(0), QStringLiteral("Pages")), QStringLiteral("1"));
}

void TestPrinting::unwritableFileRaisesPrinterErrorAndEndsNothingOpen()
{
    AnswerFileName(QStringLiteral("/nonexistent-folder/sub/report.pdf"));
    QString message;
    try {
        PrintDocument(FixtureScript("conversion.xml"));
    } catch (const EPrinter &error) {
        message = error.Message();
    }
    QVERIFY2(message.contains(QStringLiteral("/nonexistent-folder/sub/report.pdf")), qPrintable(message));
    QVERIFY(!Printer().paintingActive());
    QVERIFY(Printer().outputFileName().isEmpty());

    // The next job starts cleanly.
    const QString file = OutputFile(QStringLiteral("after-error.pdf"));
    AnswerFileName(file);
    QVERIFY(PrintDocument(FixtureScript("conversion.xml")));
    QCOMPARE(PdfInfo(file, QStringLiteral("Pages")), QStringLiteral("1"));
}

void TestPrinting::defaultFileNameDialogSuggestsDocumentsFolder()
{
    SetPdfFileNameProvider({});
    QString suggested;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        suggested = dialog->selectedFiles().value(0);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->reject();
    });
    QCOMPARE(PrintDocument(FixtureScript("conversion.xml")), false);
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(documents).exists())
        documents = QDir::homePath();
    QCOMPARE(suggested, QDir(documents).filePath(QStringLiteral("Konwersja jednostek objętości.pdf")));
    QVERIFY(!QFile::exists(suggested));
}

void TestPrinting::previewShowsScreenPageAndReturnsWindowResult()
{
    const TDeviceCaps caps = PrinterDeviceCaps(Printer());
    const QSize page = ScreenPageSize(caps.PhysicalWidth, caps.PhysicalHeight, caps.LogPixelsY, 96);
    QCOMPARE(page, QSize(A4ScreenWidth, A4ScreenHeight));

    struct TSeen { QString caption; QString pages; QSize page; bool modal = false; };
    TSeen seen;
    const auto look = [&](QPushButton *(Ui::TPrintPreviewWnd::*button)) {
        QTimer::singleShot(0, this, [&, button] {
            QVERIFY(PrintPreviewWnd);
            seen.modal = QApplication::activeModalWidget() == PrintPreviewWnd;
            seen.caption = PrintPreviewWnd->windowTitle();
            seen.pages = PrintPreviewWnd->Controls()->LPageNumber->text();
            seen.page = QSize(PrintPreviewWnd->PageWidth(), PrintPreviewWnd->PageHeight());
            QTest::mouseClick(PrintPreviewWnd->Controls()->*button, Qt::LeftButton);
        });
    };

    look(&Ui::TPrintPreviewWnd::BPrint);
    QCOMPARE(PreviewDocument(FixtureScript("conversion.xml")), 1);
    QVERIFY(seen.modal);
    QCOMPARE(seen.caption, QStringLiteral("Podgląd wydruku [Konwersja jednostek objętości]"));
    QCOMPARE(seen.pages, QStringLiteral("Strona 1 z 1"));
    QCOMPARE(seen.page, page);
    QCOMPARE(PrintPreviewWnd->RendObj(), 0u);

    look(&Ui::TPrintPreviewWnd::BClose);
    QCOMPARE(PreviewDocument(FixtureScript("threepages.xml")), 2);
    QCOMPARE(seen.caption, QStringLiteral("Podgląd wydruku [Tabela przeliczeń objętości]"));
    QCOMPARE(seen.pages, QStringLiteral("Strona 1 z 3"));
}

void TestPrinting::previewThenPrintPaginatesAgain()
{
    QTimer::singleShot(0, this, [] { QTest::mouseClick(PrintPreviewWnd->Controls()->BPrint, Qt::LeftButton); });
    const QList<QByteArray> script = FixtureScript("threepages.xml");
    QCOMPARE(PreviewDocument(script), 1);
    const QString file = OutputFile(QStringLiteral("after-preview.pdf"));
    AnswerFileName(file);
    QVERIFY(PrintDocument(script));
    QCOMPARE(PdfInfo(file, QStringLiteral("Pages")), QStringLiteral("3"));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
