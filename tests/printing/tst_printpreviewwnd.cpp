#include "printingfixture.h"

#include "pageimage.h"
#include "printpreviewwnd.h"
#include "ui_printpreviewwnd.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>
#include <memory>

namespace {

// A preview window shown (not modally) on a paginated document, as the printing service leaves it.
struct TShownPreview
{
    explicit TShownPreview(const char *fixture)
        : Document(FixtureScript(fixture), A4ScreenWidth, A4ScreenHeight)
    {
        Window.SetPage(A4ScreenWidth, A4ScreenHeight);
        Window.SetRendObj(Document.Index);
        Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Window));
    }
    ~TShownPreview() { Window.SetRendObj(0); }

    Ui::TPrintPreviewWnd &Controls() { return *Window.Controls(); }
    QString PageText() { return Controls().LPageNumber->text(); }
    QString ScaleText() { return Controls().CBScale->currentText(); }
    QImage Picture() { return Window.Image()->Picture(); }
    QScrollArea *ScrollBox() { return Controls().ScrollBox; }

    TPaginatedDocument Document;
    TPrintPreviewWnd Window;
};

int DarkPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}

} // namespace

class TestPrintPreviewWnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onePageDocumentShowsPageOneOfOneWithNavigationDisabled();
    void navigationEnablesButtonsByPositionAndRendersThatPage();
    void pageIsDrawnWhiteWithTextAtDisplayedSize();
    void zoomStepsByQuarterBetweenLimits();
    void fitScalesPageIntoScrollBoxAndCentresIt();
    void scaleBoxAppliesTypedDigitsOnEnter_data();
    void scaleBoxAppliesTypedDigitsOnEnter();
    void pickedScaleEntryStaysSelected();
    void buttonsAndEscapeGiveModalResults_data();
    void buttonsAndEscapeGiveModalResults();
    void everyShowStartsOnPageOneAtFullSize();
    void firstShowMaximisesOnlyOnce();
    void cannotBeMadeSmallerThanCreated();
    void wheelScrollsPageVerticallyWithoutTurningIt();
    void turningPageScrollsBackToTopLeft();
    void smallPageIsCentredInScrollBox();
    void titleGoesIntoCaption();
    void printerButtonOpensSetupOfCurrentPrinter();
    void speedButtonGlyphsHaveDisabledState();
};

void TestPrintPreviewWnd::initTestCase()
{
    LoadPrintingModules();
    UsePdfPrinter();
}

void TestPrintPreviewWnd::onePageDocumentShowsPageOneOfOneWithNavigationDisabled()
{
    TShownPreview preview("conversion.xml");
    QCOMPARE(preview.PageText(), QStringLiteral("Strona 1 z 1"));
    auto &c = preview.Controls();
    for (QWidget *button : {static_cast<QWidget *>(c.BFirst), static_cast<QWidget *>(c.BPrevious),
                            static_cast<QWidget *>(c.BNext), static_cast<QWidget *>(c.BLast),
                            static_cast<QWidget *>(c.BRange)})
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(c.SBZoomIn->isEnabled());
    QVERIFY(c.SBZoomOut->isEnabled());
    QVERIFY(c.SBFit->isEnabled());
    QCOMPARE(preview.ScaleText(), QStringLiteral("100%"));
    QCOMPARE(c.CBScale->count(), 10);
    QCOMPARE(c.CBScale->itemText(0), QStringLiteral("25%"));
    QCOMPARE(c.CBScale->itemText(9), QStringLiteral("500%"));
}

void TestPrintPreviewWnd::navigationEnablesButtonsByPositionAndRendersThatPage()
{
    TShownPreview preview("threepages.xml");
    QCOMPARE(preview.Document.PageCount(), 3);
    auto &c = preview.Controls();
    struct TState { const char *text; bool back; bool forward; };
    const auto check = [&](const TState &state) {
        QCOMPARE(preview.PageText(), QString::fromLatin1(state.text));
        QCOMPARE(c.BFirst->isEnabled(), state.back);
        QCOMPARE(c.BPrevious->isEnabled(), state.back);
        QCOMPARE(c.BNext->isEnabled(), state.forward);
        QCOMPARE(c.BLast->isEnabled(), state.forward);
    };
    check({"Strona 1 z 3", false, true});
    const QImage first = preview.Picture();

    // Turning back on page 1 does nothing.
    preview.Window.BPreviousClick();
    check({"Strona 1 z 3", false, true});

    QTest::mouseClick(c.BNext, Qt::LeftButton);
    check({"Strona 2 z 3", true, true});
    const QImage second = preview.Picture();
    QVERIFY(second != first);

    QTest::mouseClick(c.BLast, Qt::LeftButton);
    check({"Strona 3 z 3", true, false});
    QVERIFY(preview.Picture() != second);
    preview.Window.BNextClick();
    check({"Strona 3 z 3", true, false});

    QTest::mouseClick(c.BPrevious, Qt::LeftButton);
    check({"Strona 2 z 3", true, true});
    QCOMPARE(preview.Picture(), second);

    QTest::mouseClick(c.BFirst, Qt::LeftButton);
    check({"Strona 1 z 3", false, true});
    QCOMPARE(preview.Picture(), first);
}

void TestPrintPreviewWnd::pageIsDrawnWhiteWithTextAtDisplayedSize()
{
    TShownPreview preview("conversion.xml");
    TPageImage *image = preview.Window.Image();
    QCOMPARE(image->size(), QSize(A4ScreenWidth, A4ScreenHeight));
    const QImage picture = preview.Picture();
    const qreal ratio = preview.Window.devicePixelRatioF();
    QCOMPARE(picture.devicePixelRatio(), ratio);
    QCOMPARE(picture.size(), QSize(qCeil(A4ScreenWidth * ratio), qCeil(A4ScreenHeight * ratio)));
    QCOMPARE(picture.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(picture.pixel(picture.width() - 1, picture.height() - 1), qRgb(255, 255, 255));
    const int textAt100 = DarkPixels(picture);
    QVERIFY(textAt100 > 100);

    // At 200 % the same text covers about four times the pixels: the renderer draws scaled, not clipped.
    for (int step = 0; step < 4; ++step)
        preview.Window.SBZoomInClick();
    QCOMPARE(image->size(), QSize(2 * A4ScreenWidth, 2 * A4ScreenHeight));
    const int textAt200 = DarkPixels(preview.Picture());
    QVERIFY2(textAt200 > 3 * textAt100 && textAt200 < 5 * textAt100,
             qPrintable(QStringLiteral("%1 vs %2").arg(textAt200).arg(textAt100)));
}

void TestPrintPreviewWnd::zoomStepsByQuarterBetweenLimits()
{
    TShownPreview preview("conversion.xml");
    auto &c = preview.Controls();
    for (int percent = 125; percent <= 500; percent += 25) {
        QVERIFY(c.SBZoomIn->isEnabled());
        QTest::mouseClick(c.SBZoomIn, Qt::LeftButton);
        QCOMPARE(preview.ScaleText(), QStringLiteral("%1%").arg(percent));
        QCOMPARE(preview.Window.Image()->width(), static_cast<int>(std::floor(A4ScreenWidth * percent / 100.0)));
    }
    QVERIFY(!c.SBZoomIn->isEnabled());
    preview.Window.SBZoomInClick();
    QCOMPARE(preview.Window.Scale(), 5.0);

    for (int percent = 475; percent >= 25; percent -= 25) {
        QVERIFY(c.SBZoomOut->isEnabled());
        QTest::mouseClick(c.SBZoomOut, Qt::LeftButton);
        QCOMPARE(preview.ScaleText(), QStringLiteral("%1%").arg(percent));
    }
    QVERIFY(!c.SBZoomOut->isEnabled());
    QVERIFY(c.SBZoomIn->isEnabled());
    preview.Window.SBZoomOutClick();
    QCOMPARE(preview.Window.Scale(), 0.25);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestPrintPreviewWnd::fitScalesPageIntoScrollBoxAndCentresIt()
{
    TShownPreview preview("conversion.xml");
    preview.Window.showNormal();
    preview.Window.resize(1200, 500);
    QTRY_COMPARE(preview.Window.size(), QSize(1200, 500));
    preview.Window.SBZoomInClick(); // scroll bars shown before the fit must not shrink it

    QTest::mouseClick(preview.Controls().SBFit, Qt::LeftButton);
    const QSize area = preview.ScrollBox()->maximumViewportSize();
    TPageImage *image = preview.Window.Image();
    // A wide, low area: the page takes its full height (the scale comes from the fitted width) and is centred across.
    QVERIFY2(image->height() <= area.height() && image->height() >= area.height() - 1,
             qPrintable(QStringLiteral("%1 in %2").arg(image->height()).arg(area.height())));
    const double scale = preview.Window.Scale();
    QCOMPARE(scale, static_cast<double>(image->width()) / A4ScreenWidth);
    QVERIFY(std::abs(image->width() - area.height() * double(A4ScreenWidth) / A4ScreenHeight) <= 1.0);
    QCOMPARE(preview.ScaleText(), QStringLiteral("%1%").arg(static_cast<int>(std::floor(scale * 100))));
    const QWidget *holder = image->parentWidget();
    QCOMPARE(image->pos(), QPoint((holder->width() - image->width() + 1) / 2,
                                  (holder->height() - image->height() + 1) / 2));
    QVERIFY(image->y() <= 1);
    QCOMPARE(preview.ScrollBox()->verticalScrollBar()->maximum(), 0);
    QCOMPARE(preview.ScrollBox()->horizontalScrollBar()->maximum(), 0);

    // Zooming steps on from the fitted scale.
    preview.Window.SBZoomInClick();
    QCOMPARE(preview.Window.Scale(), scale + 0.25);

    // A fit into a larger area may go past the zoom range.
    preview.Window.resize(3000, 2400);
    QTRY_COMPARE(preview.Window.size(), QSize(3000, 2400));
    preview.Window.SBFitClick();
    QVERIFY(preview.Window.Scale() > 1.0);
    QVERIFY(preview.Window.Image()->height() >= preview.ScrollBox()->maximumViewportSize().height() - 1);
    QCOMPARE(preview.ScrollBox()->verticalScrollBar()->maximum(), 0);
}

void TestPrintPreviewWnd::scaleBoxAppliesTypedDigitsOnEnter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("shown");

    QTest::newRow("digits among other characters, raised to the minimum") << "1,5x" << 0.25 << "25%";
    QTest::newRow("no digits changes nothing") << "abc" << 1.0 << "abc";
    QTest::newRow("zero changes nothing") << "0%" << 1.0 << "0%";
    QTest::newRow("shown as the floor of a double product") << "29" << 0.29 << "28%";
    QTest::newRow("lowered to the maximum") << "800%" << 5.0 << "500%";
    QTest::newRow("too many digits count as zero") << "99999999999" << 1.0 << "99999999999";
    QTest::newRow("plain percentage") << "150" << 1.5 << "150%";
}

void TestPrintPreviewWnd::scaleBoxAppliesTypedDigitsOnEnter()
{
    QFETCH(QString, typed);
    QFETCH(double, scale);
    QFETCH(QString, shown);

    TShownPreview preview("conversion.xml");
    QLineEdit *edit = preview.Controls().CBScale->lineEdit();
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);

    QCOMPARE(preview.Window.Scale(), scale);
    QCOMPARE(preview.ScaleText(), shown);
    QCOMPARE(preview.Window.Image()->width(), static_cast<int>(std::floor(A4ScreenWidth * scale)));
    // Enter in the box applies the scale only: it neither prints nor closes the window.
    QVERIFY(preview.Window.isVisible());
    QCOMPARE(preview.Window.result(), 0);
}

void TestPrintPreviewWnd::pickedScaleEntryStaysSelected()
{
    TShownPreview preview("conversion.xml");
    QComboBox *box = preview.Controls().CBScale;
    box->showPopup();
    QAbstractItemView *list = box->view();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex entry = box->model()->index(7, 0);
    QCOMPARE(entry.data().toString(), QStringLiteral("300%"));
    list->scrollTo(entry);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());

    QCOMPARE(preview.Window.Scale(), 3.0);
    QCOMPARE(box->currentIndex(), 7);
    QCOMPARE(box->currentText(), QStringLiteral("300%"));

    // Any other change writes the scale again and clears the selection.
    preview.Window.SBZoomInClick();
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(box->currentText(), QStringLiteral("325%"));
}

void TestPrintPreviewWnd::buttonsAndEscapeGiveModalResults_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::newRow("Drukuj") << "print" << 1;
    QTest::newRow("Zamknij") << "close" << 2;
    QTest::newRow("Escape") << "escape" << 2;
    QTest::newRow("close box") << "closebox" << 2;
}

void TestPrintPreviewWnd::buttonsAndEscapeGiveModalResults()
{
    QFETCH(QString, action);
    QFETCH(int, result);

    TPaginatedDocument document(FixtureScript("conversion.xml"), A4ScreenWidth, A4ScreenHeight);
    TPrintPreviewWnd window;
    window.SetPage(A4ScreenWidth, A4ScreenHeight);
    window.SetRendObj(document.Index);
    bool acted = false;
    QTimer::singleShot(0, &window, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        QCOMPARE(modal, &window);
        acted = true;
        if (action == u"print")
            QTest::mouseClick(window.Controls()->BPrint, Qt::LeftButton);
        else if (action == u"close")
            QTest::mouseClick(window.Controls()->BClose, Qt::LeftButton);
        else if (action == u"escape")
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal, Qt::Key_Escape);
        else
            modal->close();
    });
    QCOMPARE(window.exec(), result);
    QVERIFY(acted);
    QVERIFY(!window.isVisible());
}

void TestPrintPreviewWnd::everyShowStartsOnPageOneAtFullSize()
{
    TShownPreview preview("threepages.xml");
    preview.Window.BLastClick();
    preview.Window.SBZoomInClick();
    preview.Window.hide();
    preview.Window.show();
    QCOMPARE(preview.PageText(), QStringLiteral("Strona 1 z 3"));
    QCOMPARE(preview.Window.Scale(), 1.0);
    QCOMPARE(preview.ScaleText(), QStringLiteral("100%"));
    QCOMPARE(preview.Controls().CBScale->count(), 10);
}

void TestPrintPreviewWnd::firstShowMaximisesOnlyOnce()
{
    TShownPreview preview("conversion.xml");
    QTRY_VERIFY(preview.Window.isMaximized());
    preview.Window.showNormal();
    QTRY_VERIFY(!preview.Window.isMaximized());
    preview.Window.hide();
    preview.Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview.Window));
    QTest::qWait(20);
    QVERIFY(!preview.Window.isMaximized());
}

void TestPrintPreviewWnd::cannotBeMadeSmallerThanCreated()
{
    TPrintPreviewWnd window;
    const QSize created = window.size();
    QCOMPARE(created, QSize(828, 400));
    window.resize(300, 200);
    QCOMPARE(window.size(), created);
    window.resize(900, 300);
    QCOMPARE(window.size(), QSize(900, 400));
}

void TestPrintPreviewWnd::wheelScrollsPageVerticallyWithoutTurningIt()
{
    TShownPreview preview("threepages.xml");
    for (int step = 0; step < 4; ++step)
        preview.Window.SBZoomInClick();
    QScrollBar *bar = preview.ScrollBox()->verticalScrollBar();
    QCOMPARE(bar->value(), 0);
    QVERIFY(bar->maximum() > 500);

    for (QWidget *target : {static_cast<QWidget *>(preview.Window.Image()),
                            static_cast<QWidget *>(preview.Controls().CBScale),
                            static_cast<QWidget *>(preview.Controls().Panel1)}) {
        const int before = bar->value();
        const QPoint at = target->rect().center();
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
        QVERIFY(wheel.isAccepted());
        QCOMPARE(bar->value(), before + 120);
    }
    QCOMPARE(preview.PageText(), QStringLiteral("Strona 1 z 3"));
    QCOMPARE(preview.ScaleText(), QStringLiteral("200%"));

    preview.Window.WheelScroll(200);
    QCOMPARE(bar->value(), 160);
}

void TestPrintPreviewWnd::turningPageScrollsBackToTopLeft()
{
    TShownPreview preview("threepages.xml");
    preview.Window.SBZoomInClick();
    preview.Window.SBZoomInClick();
    preview.Window.SBZoomInClick();
    QScrollBar *across = preview.ScrollBox()->horizontalScrollBar();
    QScrollBar *down = preview.ScrollBox()->verticalScrollBar();
    across->setValue(across->maximum() / 2);
    down->setValue(down->maximum() / 2);
    QVERIFY(across->value() > 0 && down->value() > 0);

    preview.Window.BNextClick();
    QCOMPARE(across->value(), 0);
    QCOMPARE(down->value(), 0);
    QCOMPARE(preview.Window.Image()->pos(), QPoint(0, 0));
}

void TestPrintPreviewWnd::smallPageIsCentredInScrollBox()
{
    TShownPreview preview("conversion.xml");
    preview.Window.showNormal();
    preview.Window.resize(1001, 1400);
    QTRY_COMPARE(preview.Window.size(), QSize(1001, 1400));
    preview.Window.SBZoomOutClick();
    preview.Window.SBZoomOutClick();
    TPageImage *image = preview.Window.Image();
    QCOMPARE(image->size(), QSize(396, 561));
    const QSize area = image->parentWidget()->size();
    QCOMPARE(area, preview.ScrollBox()->maximumViewportSize());
    QCOMPARE(image->pos(), QPoint((area.width() - 396 + 1) / 2, (area.height() - 561 + 1) / 2));

    // Repositioned after every resize.
    preview.Window.resize(1300, 1500);
    QTRY_COMPARE(preview.Window.size(), QSize(1300, 1500));
    const QSize larger = image->parentWidget()->size();
    QCOMPARE(image->pos(), QPoint((larger.width() - 396 + 1) / 2, (larger.height() - 561 + 1) / 2));
}

void TestPrintPreviewWnd::titleGoesIntoCaption()
{
    TPrintPreviewWnd window;
    window.SetTitle(QByteArrayLiteral("Konwersja jednostek objętości"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Podgląd wydruku [Konwersja jednostek objętości]"));
    QCOMPARE(window.Title(), QByteArrayLiteral("Konwersja jednostek objętości"));
}

void TestPrintPreviewWnd::printerButtonOpensSetupOfCurrentPrinter()
{
    TShownPreview preview("conversion.xml");
    QPrinter *dialogPrinter = nullptr;
    QWidget *dialogParent = nullptr;
    QTimer::singleShot(0, &preview.Window, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialogPrinter = dialog->printer();
        dialogParent = dialog->parentWidget();
        dialog->reject();
    });
    QTest::mouseClick(preview.Controls().BPrinter, Qt::LeftButton);
    QCOMPARE(dialogPrinter, &Printer());
    QCOMPARE(dialogParent, &preview.Window);
    // The preview stays as it was.
    QVERIFY(preview.Window.isVisible());
    QCOMPARE(preview.PageText(), QStringLiteral("Strona 1 z 1"));
}

void TestPrintPreviewWnd::speedButtonGlyphsHaveDisabledState()
{
    TPrintPreviewWnd window;
    for (QToolButton *button : window.findChildren<QToolButton *>()) {
        const QIcon icon = button->icon();
        QVERIFY2(!icon.isNull(), qPrintable(button->objectName()));
        QVERIFY(icon.pixmap(16, QIcon::Normal).toImage() != icon.pixmap(16, QIcon::Disabled).toImage());
    }
}

QTEST_MAIN(TestPrintPreviewWnd)
#include "tst_printpreviewwnd.moc"
