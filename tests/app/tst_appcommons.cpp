#include "appcommons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <cstdio>

namespace {

// Runs a copy of, or a link to, this program and reads the Directory it reports.
QString DirectoryReportedBy(const QString &program, const QString &when)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KALK_PRINT_DIRECTORY"), when);
    process.setProcessEnvironment(environment);
    process.start(program, {});
    if (!process.waitForFinished(10000))
        return QStringLiteral("<no answer>");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

class TestAppCommons : public QObject
{
    Q_OBJECT

private slots:
    void readsVersionBlockOfTheProgram()
    {
        const TMyApplication app;
        QCOMPARE(app.ProductName(), QStringLiteral("Zelvano Kalkulator Objętości"));
        QCOMPARE(app.Title(), app.ProductName());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")).match(app.FileVersion()).hasMatch());
        QVERIFY(app.FileVersion().startsWith(app.ProductVersion()));
        QVERIFY(app.Copyright().contains(QStringLiteral("Zelvano")));
        QCOMPARE(app.PublisherWebsite(), QStringLiteral("https://zelvano.pl/kalkulatory/"));
    }

    void fallsBackToEmptyFields_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<QStringList>("expected"); // FileVersion, ProductName, ProductVersion, Copyright
        QTest::newRow("no translation entry") << QFINDTESTDATA("data/version-no-translation.json")
                                              << QStringList{"", "", "", ""};
        QTest::newRow("missing keys stay empty") << QFINDTESTDATA("data/version-missing-keys.json")
                                                 << QStringList{"3.1.0.7", "Kalkulator próbny", "", ""};
        QTest::newRow("first translation 0409/04B0")
            << QFINDTESTDATA("data/version-040904b0.json")
            << QStringList{"4.2.0.1", "Volume Calculator", "4.2", "(C) Good"};
        QTest::newRow("not a version block") << QFINDTESTDATA("data/version-not-json.txt")
                                             << QStringList{"", "", "", ""};
        QTest::newRow("no version block") << QStringLiteral(":/NO_SUCH_BLOCK") << QStringList{"", "", "", ""};
    }

    void fallsBackToEmptyFields()
    {
        QFETCH(QString, block);
        QFETCH(QStringList, expected);
        QVERIFY(!block.isEmpty());
        const TMyApplication app(block);
        QCOMPARE((QStringList{app.FileVersion(), app.ProductName(), app.ProductVersion(), app.Copyright()}), expected);
        QCOMPARE(app.Title(), app.ProductName());
        QCOMPARE(app.PublisherWebsite(), QStringLiteral("https://zelvano.pl/kalkulatory/"));
    }

    void isOneObjectForTheRun() { QCOMPARE(MyApp(), MyApp()); }

    void directoryIsProgramFolderWithTrailingSlash()
    {
        const QString directory = MyApp()->Directory();
        QVERIFY(directory.endsWith(QLatin1Char('/')));
        QVERIFY(!directory.endsWith(QStringLiteral("//")));
        QCOMPARE(QFileInfo(directory).canonicalFilePath(),
                 QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath());
        QVERIFY(QFileInfo::exists(directory + QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    }

    void directoryKeepsBlanksAndResolvesLinks_data()
    {
        QTest::addColumn<QString>("when");
        QTest::newRow("before the application object") << QStringLiteral("early");
        QTest::newRow("after it") << QStringLiteral("late");
    }

    void directoryKeepsBlanksAndResolvesLinks()
    {
        QFETCH(QString, when);
        QTemporaryDir temporary;
        QVERIFY(temporary.isValid());
        const QString root = QFileInfo(temporary.path()).canonicalFilePath();
        QVERIFY(QDir(root).mkpath(QStringLiteral("A B")));
        QVERIFY(QDir(root).mkpath(QStringLiteral("links")));
        const QString copy = root + QStringLiteral("/A B/program");
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
        const QString link = root + QStringLiteral("/links/program");
        QVERIFY(QFile::link(copy, link));

        QCOMPARE(DirectoryReportedBy(copy, when), root + QStringLiteral("/A B/"));
        QCOMPARE(DirectoryReportedBy(link, when), root + QStringLiteral("/A B/"));
    }
};

int main(int argc, char *argv[])
{
    // A copy of this program started by directoryKeepsBlanksAndResolvesLinks only reports its folder.
    const QByteArray report = qgetenv("KALK_PRINT_DIRECTORY");
    if (report == "early") {
        std::puts(TMyApplicationBase(QString()).Directory().toUtf8().constData());
        return 0;
    }
    QCoreApplication application(argc, argv);
    if (report == "late") {
        std::puts(MyApp()->Directory().toUtf8().constData());
        return 0;
    }
    TestAppCommons test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_appcommons.moc"
