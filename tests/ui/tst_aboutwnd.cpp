#include "aboutwnd.h"
#include "ui_aboutwnd.h"

#include "appcommons.h"
#include "desktop.h"
#include "licencewnd.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

class TestAboutWnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void showsIdentityAndVisibleLicenceButton();
    void websiteOpensAndStaysPurpleAcrossShowings();
    void escapeCloses();
    void licenceButtonOpensLicenceWindow();

private:
    QStringList FOpened;
};

void TestAboutWnd::initTestCase()
{
    SetOpenUrlHook([this](const QString &url) { FOpened << url; });
}

void TestAboutWnd::cleanupTestCase()
{
    SetOpenUrlHook({});
}

void TestAboutWnd::showsIdentityAndVisibleLicenceButton()
{
    TAboutWnd window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(!MyApp()->ProductName().isEmpty());
    QCOMPARE(window.windowTitle(), QStringLiteral("O programie..."));
    QCOMPARE(window.Ui()->LTitle->text(), QStringLiteral("Zelvano Kalkulatory 2025"));
    QCOMPARE(window.Ui()->LVersion->text(), MyApp()->ProductName() + u' ' + MyApp()->FileVersion());
    QCOMPARE(window.Ui()->LCopyright->text(), MyApp()->Copyright());
    QCOMPARE(window.Ui()->LWebsite->text(), MyApp()->PublisherWebsite());
    QVERIFY(window.Ui()->BLicence->isVisible());
    QCOMPARE(window.Ui()->Image1->pixmap().size(), QSize(64, 64));
}

void TestAboutWnd::websiteOpensAndStaysPurpleAcrossShowings()
{
    FOpened.clear();
    TAboutWnd window;
    QLabel *link = window.Ui()->LWebsite;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 128));

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(FOpened, QStringList{MyApp()->PublisherWebsite()});
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(128, 0, 128));

    window.hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(128, 0, 128));
}

void TestAboutWnd::escapeCloses()
{
    TAboutWnd window;
    int result = -1;
    QTimer::singleShot(0, &window, [&] {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Escape);
    });
    result = window.exec();
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(!window.isVisible());
}

void TestAboutWnd::licenceButtonOpensLicenceWindow()
{
    TAboutWnd about;
    TLicenceWnd licence;
    LicenceWnd = &licence;
    bool licenceShown = false;
    QTimer::singleShot(0, &about, [&] { QTest::mouseClick(about.Ui()->BLicence, Qt::LeftButton); });
    QTimer::singleShot(50, &licence, [&] {
        licenceShown = licence.isVisible() && QApplication::activeModalWidget() == &licence;
        licence.close();
        about.close();
    });
    about.exec();
    LicenceWnd = nullptr;
    QVERIFY(licenceShown);
}

QTEST_MAIN(TestAboutWnd)
#include "tst_aboutwnd.moc"
