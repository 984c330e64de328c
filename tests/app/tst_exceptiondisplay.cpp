#include "exceptiondisplay.h"

#include "appcommons.h"
#include "exception.h"
#include "modalboxwatcher.h"

#include <QPushButton>
#include <QTest>

#include <stdexcept>

class TestExceptionDisplay : public QObject
{
    Q_OBJECT

private:
    struct TShown
    {
        QString Caption;
        QString Text;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
    };

    template <typename Show>
    TShown Capture(Show show)
    {
        TShown shown;
        TModalBoxWatcher watcher([&](QMessageBox *box) {
            shown = {box->windowTitle(), box->text(), box->icon()};
            box->button(QMessageBox::Ok)->click();
        });
        show();
        if (!watcher.Seen())
            qWarning("no box was shown");
        return shown;
    }

private slots:
    void appendsFullStopAfterCharactersAboveIt_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty stays empty") << QString() << QString();
        QTest::newRow("letter") << QStringLiteral("Błąd zapisu") << QStringLiteral("Błąd zapisu.");
        QTest::newRow("full stop") << QStringLiteral("Koniec.") << QStringLiteral("Koniec.");
        QTest::newRow("exclamation is below") << QStringLiteral("Uwaga!") << QStringLiteral("Uwaga!");
        QTest::newRow("comma is below") << QStringLiteral("a,") << QStringLiteral("a,");
        QTest::newRow("hyphen is below") << QStringLiteral("a-") << QStringLiteral("a-");
        QTest::newRow("blank is below") << QStringLiteral("a ") << QStringLiteral("a ");
        QTest::newRow("slash is above") << QStringLiteral("C:/") << QStringLiteral("C:/.");
        QTest::newRow("question mark is above") << QStringLiteral("Dlaczego?") << QStringLiteral("Dlaczego?.");
        QTest::newRow("digit") << QStringLiteral("kod 7") << QStringLiteral("kod 7.");
        QTest::newRow("Polish letter") << QStringLiteral("źdźbło") << QStringLiteral("źdźbło.");
    }

    void appendsFullStopAfterCharactersAboveIt()
    {
        QFETCH(QString, message);
        QFETCH(QString, expected);
        QCOMPARE(ExceptionDisplayText(message), expected);
    }

    void showsErrorBoxWithTitleAndCompletedMessage_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("program's own error") << 0 << QStringLiteral("Units conversion table item no 3 lacks name.");
        QTest::newRow("other standard error") << 1 << QStringLiteral("zły format.");
        QTest::newRow("anything else thrown") << 2 << QString();
    }

    void showsErrorBoxWithTitleAndCompletedMessage()
    {
        QFETCH(int, kind);
        QFETCH(QString, expected);
        const TShown shown = Capture([kind] {
            try {
                if (kind == 0)
                    throw Exception(QStringLiteral("Units conversion table item no 3 lacks name"));
                if (kind == 1)
                    throw std::runtime_error("zły format");
                throw 42;
            } catch (const std::exception &error) {
                ShowException(error);
            } catch (...) {
                ShowUnknownException();
            }
        });
        QCOMPARE(shown.Caption, MyApp()->Title());
        QCOMPARE(shown.Text, expected);
        QCOMPARE(shown.Icon, QMessageBox::Critical);
    }
};

QTEST_MAIN(TestExceptionDisplay)
#include "tst_exceptiondisplay.moc"
