#include "tclv290zelvano25_vu.h"

#include "aboutwnd.h"
#include "appcommons.h"
#include "application.h"
#include "currentprinter.h"
#include "desktop.h"
#include "goonlineframe.h"
#include "libraryloader.h"
#include "modalboxwatcher.h"
#include "printresultsframe.h"
#include "unitsconverterframe.h"
#include "unitsdictionaryframe.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void opensWithGallonsToLitresAndNothingToPrint();
    void convertsOnEnter();
    void textsFitTheirControls();
    void conversionErrorIsShownByApplicationAndProgramGoesOn();
    void escapeKeepsWindowOpenCloseButtonCloses();
    void helpButtonShowsAboutWindow();
    void linkOpensWebVersionOfThisCalculator();

private:
    void TypeAndEnter(const QString &text);

    std::unique_ptr<TCLV290ZELVANO25_VU> FWindow;
    std::unique_ptr<TAboutWnd> FAbout;
    QStringList FOpened;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(LoadLibraries());
    InstallCurrentPrinter();
    SetOpenUrlHook([this](const QString &url) { FOpened << url; });
    FAbout = std::make_unique<TAboutWnd>();
    AboutWnd = FAbout.get();
}

void TestMainWindow::init()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    FWindow = std::make_unique<TCLV290ZELVANO25_VU>();
    FWindow->show();
    QApplication::setActiveWindow(FWindow.get());
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
}

void TestMainWindow::cleanup()
{
    FWindow.reset();
}

void TestMainWindow::cleanupTestCase()
{
    AboutWnd = nullptr;
    FAbout.reset();
    SetOpenUrlHook({});
    QLocale::setDefault(QLocale::c());
}

void TestMainWindow::TypeAndEnter(const QString &text)
{
    QLineEdit *source = FWindow->UnitsConverterFrame->ESrcValue;
    source->setFocus();
    source->selectAll();
    QTest::keyClicks(source, text);
    QTest::keyClick(source, Qt::Key_Return);
}

void TestMainWindow::opensWithGallonsToLitresAndNothingToPrint()
{
    const TUnitsConverterFrame *frame = FWindow->UnitsConverterFrame;
    QCOMPARE(FWindow->windowTitle(), MyApp()->Title());
    QCOMPARE(FWindow->size(), QSize(423, 340));
    QCOMPARE(FWindow->minimumSize(), FWindow->maximumSize());
    QCOMPARE(frame->SrcUnitFrame->CBUnits->currentText(), QStringLiteral("galon angielski (imp. gal)"));
    QCOMPARE(frame->DstUnitFrame->CBUnits->currentText(), QStringLiteral("litr (l)"));
    QCOMPARE(frame->ESrcValue->text(), QStringLiteral("0"));
    QCOMPARE(frame->EDstValue->text(), QStringLiteral("0"));
    QCOMPARE(frame->LUnitsRelation->text(), QStringLiteral("1 imp. gal = 4,54609 l"));
    for (QPushButton *button : {frame->PrintResultsFrame->BPrinter, frame->PrintResultsFrame->BPreview,
                                frame->PrintResultsFrame->BPrint})
        QVERIFY(!button->isEnabled());
    QCOMPARE(FWindow->GoOnlineFrame->CalcType, quint8(24));
}

void TestMainWindow::convertsOnEnter()
{
    TypeAndEnter(QStringLiteral("10"));
    const TUnitsConverterFrame *frame = FWindow->UnitsConverterFrame;
    QCOMPARE(frame->EDstValue->text(), QStringLiteral("45,4609"));
    QVERIFY(frame->PrintResultsFrame->BPreview->isEnabled());
    QVERIFY(FWindow->isVisible());
}

void TestMainWindow::textsFitTheirControls()
{
    TypeAndEnter(QStringLiteral("10"));
    const auto fits = [](QWidget *widget, const QString &text, int room) {
        const int needed = widget->fontMetrics().horizontalAdvance(text);
        return needed <= room ? QString() : QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                                                  .arg(widget->objectName(), text).arg(needed).arg(room);
    };
    QStringList clipped;
    for (QWidget *widget : FWindow->findChildren<QWidget *>()) {
        if (!widget->isVisible())
            continue;
        // Every control lies inside its parent.
        if (!widget->parentWidget()->rect().contains(widget->geometry()))
            clipped << widget->objectName() + QStringLiteral(" leaves its parent");
        if (auto *label = qobject_cast<QLabel *>(widget); label && !label->wordWrap())
            clipped << fits(label, label->text(), label->contentsRect().width());
        else if (auto *button = qobject_cast<QPushButton *>(widget))
            clipped << fits(button, button->text(), button->width() - 8);
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            clipped << fits(combo, combo->currentText(), combo->width() - 28);
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            clipped << fits(edit, edit->text(), edit->width() - 8);
    }
    clipped.removeAll(QString());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

void TestMainWindow::conversionErrorIsShownByApplicationAndProgramGoesOn()
{
    QString caption, text;
    TModalBoxWatcher watcher([&](QMessageBox *box) {
        caption = box->windowTitle();
        text = box->text();
        box->accept();
    });
    // The real key event goes through the application's notify, which catches what the handler raises.
    TypeAndEnter(QStringLiteral("--"));

    QVERIFY(watcher.Seen());
    QCOMPARE(caption, MyApp()->Title());
    QCOMPARE(text, QStringLiteral("'-' is not a valid integer value."));
    QCOMPARE(FWindow->UnitsConverterFrame->ESrcValue->text(), QStringLiteral("--"));
    QCOMPARE(FWindow->UnitsConverterFrame->EDstValue->text(), QStringLiteral("0"));

    TypeAndEnter(QStringLiteral("10"));
    QCOMPARE(FWindow->UnitsConverterFrame->EDstValue->text(), QStringLiteral("45,4609"));
}

void TestMainWindow::escapeKeepsWindowOpenCloseButtonCloses()
{
    QSignalSpy finished(FWindow.get(), &QDialog::finished);
    QTest::keyClick(FWindow->UnitsConverterFrame->ESrcValue, Qt::Key_Escape);
    QTest::keyClick(FWindow->BClose, Qt::Key_Escape);
    QVERIFY(FWindow->isVisible());
    QCOMPARE(finished.count(), 0);

    // Enter on a focused button presses it, as Space does.
    FWindow->BClose->setFocus();
    QTest::keyClick(FWindow->BClose, Qt::Key_Return);
    QVERIFY(!FWindow->isVisible());
    QCOMPARE(finished.count(), 1);
}

void TestMainWindow::helpButtonShowsAboutWindow()
{
    QWidget *modal = nullptr;
    QTimer::singleShot(50, FAbout.get(), [&] {
        modal = QApplication::activeModalWidget();
        FAbout->close();
    });
    QTest::mouseClick(FWindow->BHelp, Qt::LeftButton);
    QCOMPARE(modal, FAbout.get());
    QVERIFY(FWindow->isVisible());
}

void TestMainWindow::linkOpensWebVersionOfThisCalculator()
{
    FOpened.clear();
    QTest::mouseClick(FWindow->GoOnlineFrame->LLink, Qt::LeftButton);
    QCOMPARE(FOpened, QStringList{QStringLiteral("https://zelvano.pl/kalkulatory/online/runcalc.php?id=24")});
}

int main(int argc, char **argv)
{
    TCalculatorApplication application(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
