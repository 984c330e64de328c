#include "messageboxes.h"

#include "appcommons.h"
#include "modalboxwatcher.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTest>

using namespace Messageboxes;

Q_DECLARE_METATYPE(QMessageBox::StandardButton)

class TestMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void showsErrorWithApplicationTitleOverActiveWindow()
    {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Okno główne"));
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
        Qt::WindowModality modality = Qt::NonModal;
        QWidget *owner = nullptr;
        TModalBoxWatcher watcher([&](QMessageBox *box) {
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            for (QAbstractButton *button : box->buttons())
                buttons << button->text();
            modality = box->windowModality();
            owner = box->parentWidget();
            box->button(QMessageBox::Ok)->click();
        });
        ErrorMsg(QByteArrayLiteral("Warto\xC5\x9B\xC4\x87 musi by\xC4\x87 wi\xC4\x99ksza od zera."));

        QVERIFY(watcher.Seen());
        QVERIFY(!MyApp()->Title().isEmpty());
        QCOMPARE(caption, MyApp()->Title());
        QCOMPARE(text, QStringLiteral("Wartość musi być większa od zera."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(modality, Qt::ApplicationModal);
        QCOMPARE(owner, &window);
    }

    void showsArrowWhileOpenAndRestoresPreviousCursor()
    {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        Qt::CursorShape whileOpen = Qt::WaitCursor;
        TModalBoxWatcher watcher([&](QMessageBox *box) {
            whileOpen = QGuiApplication::overrideCursor()->shape();
            box->button(QMessageBox::Ok)->click();
        });
        ErrorMsg("Błąd");
        QVERIFY(watcher.Seen());
        QCOMPARE(whileOpen, Qt::ArrowCursor);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QGuiApplication::restoreOverrideCursor();
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void leavesNoCursorBehindWhenNoneWasSet()
    {
        TModalBoxWatcher watcher([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
        ErrorMsg("Błąd");
        QVERIFY(watcher.Seen());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void showsEmptyTextWithOkButton()
    {
        QString text = QStringLiteral("not read");
        int buttons = 0;
        TModalBoxWatcher watcher([&](QMessageBox *box) {
            text = box->text();
            buttons = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
        ErrorMsg(QByteArray());
        QVERIFY(watcher.Seen());
        QCOMPARE(text, QString());
        QCOMPARE(buttons, 1);
    }

    void returnsIdentifierOfButtonPressed_data()
    {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("icon");
        QTest::newRow("OK") << (MsgBoxOk | MsgBoxIconInformation) << QMessageBox::Ok << IdOk << int(QMessageBox::Information);
        QTest::newRow("OK/Cancel: Cancel") << (MsgBoxOkCancel | MsgBoxIconWarning) << QMessageBox::Cancel << IdCancel << int(QMessageBox::Warning);
        QTest::newRow("Abort/Retry/Ignore: Ignore") << MsgBoxAbortRetryIgnore << QMessageBox::Ignore << IdIgnore << int(QMessageBox::NoIcon);
        QTest::newRow("Yes/No/Cancel: Yes") << (MsgBoxYesNoCancel | MsgBoxIconQuestion) << QMessageBox::Yes << IdYes << int(QMessageBox::Question);
        QTest::newRow("Yes/No: No") << MsgBoxYesNo << QMessageBox::No << IdNo << int(QMessageBox::NoIcon);
        QTest::newRow("Retry/Cancel: Retry") << MsgBoxRetryCancel << QMessageBox::Retry << IdRetry << int(QMessageBox::NoIcon);
        QTest::newRow("OK/Cancel: Escape") << MsgBoxOkCancel << QMessageBox::NoButton << IdCancel << int(QMessageBox::NoIcon);
    }

    void returnsIdentifierOfButtonPressed()
    {
        QFETCH(unsigned, flags);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(int, expected);
        QFETCH(int, icon);
        int shownIcon = -1;
        TModalBoxWatcher watcher([&](QMessageBox *box) {
            shownIcon = box->icon();
            if (press == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(press)->click();
        });
        QCOMPARE(MsgBox("Pytanie", flags), expected);
        QVERIFY(watcher.Seen());
        QCOMPARE(shownIcon, icon);
    }

    void namesButtonsInPolish()
    {
        QStringList texts;
        TModalBoxWatcher watcher([&](QMessageBox *box) {
            texts << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text()
                  << box->button(QMessageBox::Cancel)->text();
            box->button(QMessageBox::Cancel)->click();
        });
        MsgBox("Zapisać?", MsgBoxYesNoCancel);
        QCOMPARE(texts, (QStringList{QStringLiteral("Tak"), QStringLiteral("Nie"), QStringLiteral("Anuluj")}));
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
