#include "printingfixture.h"

#include "printing.h"
#include "printpreviewwnd.h"
#include "printresultsframe.h"
#include "ui_printpreviewwnd.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestPrintResultsFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void startsEmptyWithButtonsDisabledWhereDesigned();
    void setEnabledSwitchesAllThreeButtons();
    void clearScriptEmptiesListAndDisablesButtons();
    void buttonsFollowRightAndBottomEdges();
    void previewClosedWithoutPrintPrintsNothing();
    void previewPrintPrintsSameDocumentOnce();
    void printButtonPrintsAtOnceWithoutDialog();
    void printerButtonRunsSetupOwnedByWindow();

private:
    // Counts the print jobs: each one asks for its PDF file once.
    void CountJobs()
    {
        SetPdfFileNameProvider([this](const QString &) {
            FJobs.append(FFolder.filePath(QStringLiteral("job%1.pdf").arg(FJobs.size() + 1)));
            FModalWhenAsked = QApplication::activeModalWidget();
            return FJobs.constLast();
        });
    }
    // The frame holding the conversion document, buttons enabled, inside a window.
    TPrintResultsFrame *ReadyFrame(QWidget &window)
    {
        auto *frame = new TPrintResultsFrame(&window);
        frame->SetEnabled(false);
        frame->Script = FixtureScript("conversion.xml");
        frame->SetEnabled(true);
        window.show();
        return frame;
    }

    QTemporaryDir FFolder;
    QStringList FJobs;
    QWidget *FModalWhenAsked = nullptr;
};

void TestPrintResultsFrame::initTestCase()
{
    QVERIFY(FFolder.isValid());
    LoadPrintingModules();
    UsePdfPrinter();
}

void TestPrintResultsFrame::init()
{
    FJobs.clear();
    FModalWhenAsked = nullptr;
    CountJobs();
}

void TestPrintResultsFrame::startsEmptyWithButtonsDisabledWhereDesigned()
{
    TPrintResultsFrame frame;
    QVERIFY(frame.Script.isEmpty());
    QCOMPARE(frame.size(), QSize(320, 23));
    const struct { QPushButton *button; const char *text; int left; } designed[] = {
        {frame.BPrinter, "Drukarka...", 38}, {frame.BPreview, "Podgląd...", 134}, {frame.BPrint, "Drukuj...", 230}};
    for (const auto &d : designed) {
        QCOMPARE(d.button->text(), QString::fromUtf8(d.text));
        QCOMPARE(d.button->geometry(), QRect(d.left, -1, 90, 24));
        QVERIFY(!d.button->isEnabled());
    }
    QCOMPARE(frame.BPrinter->nextInFocusChain(), frame.BPreview);
    QCOMPARE(frame.BPreview->nextInFocusChain(), frame.BPrint);
}

void TestPrintResultsFrame::setEnabledSwitchesAllThreeButtons()
{
    TPrintResultsFrame frame;
    frame.SetEnabled(true);
    QVERIFY(frame.isEnabled());
    for (QPushButton *button : {frame.BPrinter, frame.BPreview, frame.BPrint})
        QVERIFY(button->isEnabled());
    frame.SetEnabled(false);
    QVERIFY(!frame.isEnabled());
    for (QPushButton *button : {frame.BPrinter, frame.BPreview, frame.BPrint})
        QVERIFY(!button->isEnabled());
}

void TestPrintResultsFrame::clearScriptEmptiesListAndDisablesButtons()
{
    QWidget window;
    TPrintResultsFrame *frame = ReadyFrame(window);
    QVERIFY(frame->BPreview->isEnabled());
    frame->ClearScript();
    QVERIFY(frame->Script.isEmpty());
    for (QPushButton *button : {frame->BPrinter, frame->BPreview, frame->BPrint})
        QVERIFY(!button->isEnabled());
}

void TestPrintResultsFrame::buttonsFollowRightAndBottomEdges()
{
    QWidget window;
    window.resize(600, 300);
    auto *frame = new TPrintResultsFrame(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The embedding frame moves the strip and its buttons, as the converter frame does.
    frame->setGeometry(-15, 208, 320, 33);
    QCOMPARE(frame->BPrinter->geometry(), QRect(38, 9, 90, 24));
    for (QPushButton *button : {frame->BPrinter, frame->BPreview, frame->BPrint})
        button->setGeometry(button->x(), 0, 90, 26);
    frame->resize(420, 40);
    QCOMPARE(frame->BPrinter->geometry(), QRect(138, 7, 90, 26));
    QCOMPARE(frame->BPreview->geometry(), QRect(234, 7, 90, 26));
    QCOMPARE(frame->BPrint->geometry(), QRect(330, 7, 90, 26));
}

void TestPrintResultsFrame::previewClosedWithoutPrintPrintsNothing()
{
    QWidget window;
    TPrintResultsFrame *frame = ReadyFrame(window);
    QTimer::singleShot(0, this, [] { QTest::mouseClick(PrintPreviewWnd->Controls()->BClose, Qt::LeftButton); });
    QTest::mouseClick(frame->BPreview, Qt::LeftButton);
    QVERIFY(PrintPreviewWnd && !PrintPreviewWnd->isVisible());
    QVERIFY(FJobs.isEmpty());
    QCOMPARE(frame->Script, FixtureScript("conversion.xml"));
}

void TestPrintResultsFrame::previewPrintPrintsSameDocumentOnce()
{
    QWidget window;
    TPrintResultsFrame *frame = ReadyFrame(window);
    QTimer::singleShot(0, this, [] { QTest::mouseClick(PrintPreviewWnd->Controls()->BPrint, Qt::LeftButton); });
    QTest::mouseClick(frame->BPreview, Qt::LeftButton);
    QCOMPARE(FJobs.size(), 1);
    QCOMPARE(PdfInfo(FJobs.constFirst(), QStringLiteral("Title")), QStringLiteral("Konwersja jednostek objętości"));
    QVERIFY(PdfText(FJobs.constFirst()).contains(QStringLiteral("4,54609 × litr (l)")));
}

void TestPrintResultsFrame::printButtonPrintsAtOnceWithoutDialog()
{
    QWidget window;
    TPrintResultsFrame *frame = ReadyFrame(window);
    QTest::mouseClick(frame->BPrint, Qt::LeftButton);
    QCOMPARE(FJobs.size(), 1);
    QCOMPARE(FModalWhenAsked, nullptr);
    QCOMPARE(PdfInfo(FJobs.constFirst(), QStringLiteral("Pages")), QStringLiteral("1"));
}

void TestPrintResultsFrame::printerButtonRunsSetupOwnedByWindow()
{
    QWidget window;
    TPrintResultsFrame *frame = ReadyFrame(window);
    QPrinter *dialogPrinter = nullptr;
    QWidget *dialogParent = nullptr;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialogPrinter = dialog->printer();
        dialogParent = dialog->parentWidget();
        dialog->reject();
    });
    QTest::mouseClick(frame->BPrinter, Qt::LeftButton);
    QCOMPARE(dialogPrinter, &Printer());
    QCOMPARE(dialogParent, &window);
    QVERIFY(FJobs.isEmpty());
}

QTEST_MAIN(TestPrintResultsFrame)
#include "tst_printresultsframe.moc"
