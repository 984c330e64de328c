#include "licencewnd.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

class TestLicenceWnd : public QObject
{
    Q_OBJECT

private slots:
    void decodesByByteOrderMark_data();
    void decodesByByteOrderMark();
    void showsPolishAgreementFromResource();
    void reopensAtFirstLine();
    void escapeCloses();
};

void TestLicenceWnd::decodesByByteOrderMark_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    // Polish letters in each encoding, with a CR LF line end.
    QTest::newRow("code page 1250") << QByteArray("\xA3\xF3" "d" "\x9F" ",\r\n" "\x9F" "r" "\xF3" "d" "\xB3" "o") << "Łódź,\nźródło";
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF\xC5\x81\xC3\xB3\x64\xC5\xBA,\r\n\xC5\xBAr\xC3\xB3\x64\xC5\x82o")
                                     << "Łódź,\nźródło";
    QTest::newRow("UTF-16 LE with mark") << QByteArray("\xFF\xFE\x41\x01\x0D\x00\x0A\x00\x7A\x01", 10) << "Ł\nź";
}

void TestLicenceWnd::decodesByByteOrderMark()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(LicenceText(bytes), text);
}

void TestLicenceWnd::showsPolishAgreementFromResource()
{
    TLicenceWnd window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QString text = window.Memo->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("UMOWA LICENCYJNA UŻYTKOWNIKA KOŃCOWEGO\n")));
    QVERIFY(text.contains(QStringLiteral("Wyłączenie gwarancji")));
    QVERIFY(!text.contains(u'\r'));
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
    QVERIFY(window.Memo->isReadOnly());
    QCOMPARE(window.windowTitle(), QStringLiteral("Licencja"));
}

void TestLicenceWnd::reopensAtFirstLine()
{
    TLicenceWnd window;
    window.resize(window.minimumSize());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QScrollBar *bar = window.Memo->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    window.Memo->moveCursor(QTextCursor::End);
    bar->setValue(bar->maximum());
    QCOMPARE(bar->value(), bar->maximum());

    window.hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(bar->value(), 0);
    QCOMPARE(window.Memo->textCursor().position(), 0);
}

void TestLicenceWnd::escapeCloses()
{
    TLicenceWnd window;
    QTimer::singleShot(0, &window, [&] {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Escape);
    });
    QCOMPARE(window.exec(), int(QDialog::Rejected));
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestLicenceWnd)
#include "tst_licencewnd.moc"
