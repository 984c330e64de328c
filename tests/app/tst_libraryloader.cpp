#include "appcommons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs the window program's start-up (loaderprobe: the program with a watcher that reports and
// closes every message box and the main window) from folders laid out per case:
// <root>/app holds the program, <root>/work is the current directory, so "../Shared/" is <root>/Shared.
class TestLibraryLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loadsFromProgramFolderThenShared_data();
    void loadsFromProgramFolderThenShared();
    void findsModulesBesideProgramStartedThroughLink();
    void saysSoWithoutDisplay();

private:
    struct TRun
    {
        int ExitCode = -1;
        QStringList Output;
        QString Errors;
        QStringList Loaded; // stand-in modules that were loaded
    };

    // Module entries: "strconv" a copy of the real module, "strconv=marker" the stand-in that
    // records its loading, "strconv=link" a link to the real module, "strconv=broken" a dangling link.
    void Place(const QStringList &modules, const QString &folder) const;
    TRun Run(const QString &program, const QProcessEnvironment &environment) const;
    QProcessEnvironment Environment() const;

    QString FBin;
    QTemporaryDir FRoot;
};

void TestLibraryLoader::initTestCase()
{
    FBin = QCoreApplication::applicationDirPath() + u'/';
    QVERIFY(QFile::exists(FBin + QStringLiteral("loaderprobe")));
    QVERIFY(QFile::exists(FBin + QStringLiteral("loadmarker.so")));
    QVERIFY(FRoot.isValid());
}

void TestLibraryLoader::Place(const QStringList &modules, const QString &folder) const
{
    QDir().mkpath(folder);
    for (const QString &entry : modules) {
        const QString name = entry.section(u'=', 0, 0) + QStringLiteral(".so");
        const QString kind = entry.section(u'=', 1);
        const QString target = folder + u'/' + name;
        if (kind.isEmpty())
            QVERIFY(QFile::copy(FBin + name, target));
        else if (kind == QLatin1String("marker"))
            QVERIFY(QFile::copy(FBin + QStringLiteral("loadmarker.so"), target));
        else if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(FBin + name, target));
        else if (kind == QLatin1String("broken"))
            QVERIFY(QFile::link(folder + QStringLiteral("/nowhere/") + name, target));
    }
}

QProcessEnvironment TestLibraryLoader::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("KALK_LOAD_MARKER"), FRoot.filePath(QStringLiteral("loaded.txt")));
    return environment;
}

TestLibraryLoader::TRun TestLibraryLoader::Run(const QString &program, const QProcessEnvironment &environment) const
{
    QFile::remove(FRoot.filePath(QStringLiteral("loaded.txt")));
    QDir().mkpath(FRoot.filePath(QStringLiteral("work")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(FRoot.filePath(QStringLiteral("work")));
    process.start(program, {});
    TRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Output = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.Errors = QString::fromUtf8(process.readAllStandardError());
    QFile loaded(FRoot.filePath(QStringLiteral("loaded.txt")));
    if (loaded.open(QIODevice::ReadOnly))
        run.Loaded = QString::fromUtf8(loaded.readAll()).split(u'\n', Qt::SkipEmptyParts);
    return run;
}

void TestLibraryLoader::loadsFromProgramFolderThenShared_data()
{
    QTest::addColumn<QStringList>("beside");
    QTest::addColumn<QStringList>("shared");
    QTest::addColumn<QStringList>("output");

    const QString window = QStringLiteral("window: ") + MyApp()->Title();
    const QStringList all{"strconv", "docrender", "geometrics", "imagelib", "quickpdf"};
    QStringList markers;
    for (const QString &name : all)
        markers << name + QStringLiteral("=marker");

    QTest::newRow("all five beside the program, none looked for in Shared") << all << markers << QStringList{window};
    QTest::newRow("only strconv beside, the rest in Shared")
        << QStringList{"strconv"} << QStringList{"docrender", "geometrics", "imagelib", "quickpdf"}
        << QStringList{window};
    QTest::newRow("a link beside is followed, a dangling one falls back to Shared")
        << QStringList{"strconv=link", "docrender=broken", "geometrics", "imagelib", "quickpdf"}
        << QStringList{"strconv=marker", "docrender"} << QStringList{window};
    QTest::newRow("geometrics nowhere: the message names it and nothing after it is tried")
        << QStringList{"strconv", "docrender"} << QStringList{"imagelib=marker", "quickpdf=marker"}
        << QStringList{QStringLiteral(
               "message: Nie można załadować biblioteki geometrics.so lub jej wersja jest nieprawidłowa. "
               "Program nie może kontynuować pracy. Ponowna instalacja programu może rozwiązać problem.")};
    QTest::newRow("a stand-in module without entry points is refused")
        << QStringList{"strconv", "docrender=marker"} << QStringList{"docrender"}
        << QStringList{QStringLiteral(
               "message: Nie można załadować biblioteki docrender.so lub jej wersja jest nieprawidłowa. "
               "Program nie może kontynuować pracy. Ponowna instalacja programu może rozwiązać problem.")};
}

void TestLibraryLoader::loadsFromProgramFolderThenShared()
{
    QFETCH(QStringList, beside);
    QFETCH(QStringList, shared);
    QFETCH(QStringList, output);
    const QString app = FRoot.filePath(QStringLiteral("app"));
    const QString sharedFolder = FRoot.filePath(QStringLiteral("Shared"));
    QDir(app).removeRecursively();
    QDir(sharedFolder).removeRecursively();
    Place(beside, app);
    Place(shared, sharedFolder);
    QVERIFY(QFile::copy(FBin + QStringLiteral("loaderprobe"), app + QStringLiteral("/kalkulator-objetosci")));

    const TRun run = Run(app + QStringLiteral("/kalkulator-objetosci"), Environment());
    QCOMPARE(run.Output, output);
    QCOMPARE(run.ExitCode, 0);
    const bool standInBeside = beside.contains(QStringLiteral("docrender=marker"));
    QCOMPARE(run.Loaded, standInBeside ? QStringList{"docrender.so"} : QStringList{});
}

void TestLibraryLoader::findsModulesBesideProgramStartedThroughLink()
{
    // As installed: the launcher on the PATH is a link to the program in its own folder.
    const QString app = FRoot.filePath(QStringLiteral("lib/kalkulator-objetosci"));
    const QString launchers = FRoot.filePath(QStringLiteral("bin"));
    QDir(FRoot.filePath(QStringLiteral("Shared"))).removeRecursively();
    Place({"strconv", "docrender", "geometrics", "imagelib", "quickpdf"}, app);
    QVERIFY(QFile::copy(FBin + QStringLiteral("loaderprobe"), app + QStringLiteral("/kalkulator-objetosci")));
    QDir().mkpath(launchers);
    QVERIFY(QFile::link(QStringLiteral("../lib/kalkulator-objetosci/kalkulator-objetosci"),
                        launchers + QStringLiteral("/kalkulator-objetosci")));

    const TRun run = Run(launchers + QStringLiteral("/kalkulator-objetosci"), Environment());
    QCOMPARE(run.Output, QStringList{QStringLiteral("window: ") + MyApp()->Title()});
    QCOMPARE(run.ExitCode, 0);
}

void TestLibraryLoader::saysSoWithoutDisplay()
{
    QProcessEnvironment environment = Environment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));

    const TRun run = Run(FBin + QStringLiteral("loaderprobe"), environment);
    QCOMPARE(run.ExitCode, 1);
    QVERIFY(run.Output.isEmpty());
    QCOMPARE(run.Errors.count(u'\n'), 1);
    QVERIFY2(run.Errors.contains(QStringLiteral("ekranu graficznego")), qPrintable(run.Errors));
}

QTEST_GUILESS_MAIN(TestLibraryLoader)
#include "tst_libraryloader.moc"
