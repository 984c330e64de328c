#include "printingfixture.h"

#include "printing.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <functional>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString QueueName = QStringLiteral("KalkPDF");
const QString ReportTitle = QStringLiteral("Konwersja jednostek objętości");

// A PDF queue: cups-filters' pdftopdf brings the job to the file device unchanged in kind.
const char KalkPdfPpd[] = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KALKPDF.PPD"
*Manufacturer: "Kalk"
*Product: "(Kalk PDF)"
*ModelName: "Kalk PDF"
*ShortNickName: "Kalk PDF"
*NickName: "Kalk PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Page Region: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)PPD";

const char GetJobsTest[] = R"IPP({
    NAME "Jobs"
    OPERATION Get-Jobs
    GROUP operation-attributes-tag
    ATTR charset attributes-charset utf-8
    ATTR naturalLanguage attributes-natural-language en
    ATTR uri printer-uri $uri
    ATTR name requesting-user-name root
    ATTR keyword which-jobs $which
    ATTR keyword requested-attributes all
    STATUS successful-ok
    DISPLAY job-id
    DISPLAY job-name
    DISPLAY job-state
}
)IPP";

// A loopback port nobody listens on at this moment.
int FreePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(s);
    return port;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

struct TJob
{
    QString Id;
    QString Name;
    QString State;
};

} // namespace

// Prints through a CUPS scheduler of the test's own, as a user's print reaches the spooler.
class TestCupsPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void printIsOneCompletedJobNamedAfterTitle();
    void programPrintsReportFromCommandLine();

private:
    QString Tool(const char *name) const;
    // Runs a CUPS tool against the test's scheduler; returns its standard output, "" on failure.
    bool Run(const QString &program, const QStringList &arguments, QString *output = nullptr, int timeout = 30000);
    QList<TJob> Jobs(const char *which);
    bool WaitUntilQueueIsEmpty();
    // The queue holds new jobs until released, so that each is seen, with its name, before it completes
    // (the scheduler drops the name of a finished job from its history once it unloads it).
    bool HoldQueue(bool hold);
    // The one job that print queued: held, named after the report, and completed once released.
    void CheckOneCompletedJob(const std::function<bool()> &print, const QString &name);

    QTemporaryDir FFolder;
    QProcess FScheduler;
    QString FServer;
    QString FOutput;
};

QString TestCupsPrint::Tool(const char *name) const
{
    return QStandardPaths::findExecutable(QLatin1String(name),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                           QStringLiteral("/sbin"), QStringLiteral("/bin")});
}

bool TestCupsPrint::Run(const QString &program, const QStringList &arguments, QString *output, int timeout)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeout)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return false;
    }
    return true;
}

QList<TJob> TestCupsPrint::Jobs(const char *which)
{
    QString csv;
    const QString uri = QStringLiteral("ipp://%1/printers/%2").arg(FServer, QueueName);
    if (!Run(Tool("ipptool"), {QStringLiteral("-c"), QStringLiteral("-d"), QStringLiteral("which=") + QLatin1String(which),
                               uri, FFolder.filePath(QStringLiteral("get-jobs.test"))},
             &csv))
        return {};
    QList<TJob> jobs;
    const QStringList lines = csv.split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(u',');
        if (fields.size() >= 3)
            jobs.append({fields.at(0), fields.at(1), fields.at(2)});
    }
    return jobs;
}

bool TestCupsPrint::WaitUntilQueueIsEmpty()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        if (Jobs("not-completed").isEmpty())
            return true;
        QThread::msleep(200);
    }
    return false;
}

bool TestCupsPrint::HoldQueue(bool hold)
{
    return Run(Tool(hold ? "cupsdisable" : "cupsenable"), {QStringLiteral("-h"), FServer, QueueName});
}

void TestCupsPrint::CheckOneCompletedJob(const std::function<bool()> &print, const QString &name)
{
    const QList<TJob> before = Jobs("completed");
    QVERIFY(HoldQueue(true));
    const bool printed = print();
    const QList<TJob> held = Jobs("not-completed");
    QVERIFY(HoldQueue(false));
    QVERIFY(printed);
    QCOMPARE(held.size(), 1);
    QCOMPARE(held.constFirst().Name, name);

    QVERIFY(WaitUntilQueueIsEmpty());
    QList<TJob> added = Jobs("completed");
    added.removeIf([&](const TJob &job) {
        return std::any_of(before.begin(), before.end(), [&](const TJob &old) { return old.Id == job.Id; });
    });
    QCOMPARE(added.size(), 1);
    QCOMPARE(added.constFirst().Id, held.constFirst().Id);
    QCOMPARE(added.constFirst().State, QStringLiteral("completed"));
}

void TestCupsPrint::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("a CUPS scheduler of the test's own needs root");
    for (const char *tool : {"cupsd", "lpadmin", "lpstat", "cupsenable", "cupsdisable", "ipptool", "pdfinfo"})
        if (Tool(tool).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed (packages cups, cups-client, cups-ipp-utils, "
                                            "cups-filters, poppler-utils)")
                                 .arg(QLatin1String(tool))));
    if (!QFile::exists(QStringLiteral("/usr/lib/cups/filter/pdftopdf")))
        QSKIP("pdftopdf of cups-filters is not installed");

    QVERIFY(FFolder.isValid());
    // The scheduler runs its filters as the lp user, who must reach the spool below this folder.
    QFile::setPermissions(FFolder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                              | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QDir folder(FFolder.path());
    for (const char *sub : {"root", "spool", "spool/tmp", "state", "cache", "log", "out"})
        QVERIFY(folder.mkpath(QLatin1String(sub)));
    FOutput = folder.filePath(QStringLiteral("out/out.pdf"));

    const int port = FreePort();
    QVERIFY(port > 0);
    FServer = QStringLiteral("127.0.0.1:%1").arg(port);
    QVERIFY(WriteFile(folder.filePath(QStringLiteral("cupsd.conf")), QStringLiteral(
        "LogLevel info\n"
        "Listen %1\n"
        "WebInterface No\n"
        "Browsing No\n"
        "DefaultAuthType None\n"
        "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        // Job names stay readable to an unauthenticated Get-Jobs.
        "<Policy default>\n  JobPrivateValues none\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
        .arg(FServer).toUtf8()));
    QVERIFY(WriteFile(folder.filePath(QStringLiteral("cups-files.conf")), QStringLiteral(
        "ServerRoot %1/root\n"
        "RequestRoot %1/spool\n"
        "TempDir %1/spool/tmp\n"
        "StateDir %1/state\n"
        "CacheDir %1/cache\n"
        "ErrorLog %1/log/error_log\n"
        "AccessLog %1/log/access_log\n"
        "PageLog %1/log/page_log\n"
        "FileDevice Yes\n"
        "SystemGroup root\n").arg(folder.path()).toUtf8()));
    QVERIFY(WriteFile(folder.filePath(QStringLiteral("kalkpdf.ppd")), KalkPdfPpd));
    QVERIFY(WriteFile(folder.filePath(QStringLiteral("get-jobs.test")), GetJobsTest));

    FScheduler.start(Tool("cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), folder.filePath(QStringLiteral("cupsd.conf")),
                                     QStringLiteral("-s"), folder.filePath(QStringLiteral("cups-files.conf"))});
    QVERIFY2(FScheduler.waitForStarted(), qPrintable(FScheduler.errorString()));
    bool running = false;
    for (int attempt = 0; attempt < 100 && !running; ++attempt) {
        QThread::msleep(100);
        QString state;
        running = FScheduler.state() == QProcess::Running
                  && Run(Tool("lpstat"), {QStringLiteral("-h"), FServer, QStringLiteral("-r")}, &state)
                  && state.contains(QStringLiteral("is running"));
    }
    QVERIFY2(running, FScheduler.readAllStandardError().constData());

    QVERIFY(Run(Tool("lpadmin"), {QStringLiteral("-h"), FServer, QStringLiteral("-p"), QueueName, QStringLiteral("-E"),
                                  QStringLiteral("-v"), QStringLiteral("file://") + FOutput, QStringLiteral("-P"),
                                  folder.filePath(QStringLiteral("kalkpdf.ppd"))}));
    QVERIFY(Run(Tool("lpadmin"), {QStringLiteral("-h"), FServer, QStringLiteral("-d"), QueueName}));

    // Both this process's print support and the program it starts talk to this scheduler only.
    qputenv("CUPS_SERVER", FServer.toUtf8());
    LoadPrintingModules();
}

void TestCupsPrint::cleanupTestCase()
{
    if (FScheduler.state() == QProcess::NotRunning)
        return;
    FScheduler.terminate();
    if (!FScheduler.waitForFinished(10000)) {
        FScheduler.kill();
        FScheduler.waitForFinished();
    }
}

void TestCupsPrint::printIsOneCompletedJobNamedAfterTitle()
{
    QVERIFY(!PrinterIsPdf());
    QCOMPARE(Printer().printerName(), QueueName);

    QList<QByteArray> script = FixtureScript("threepages.xml");
    script[0] = "<document><head><title>" + ReportTitle.toUtf8() + "</title>";
    const TDeviceCaps caps = PrinterDeviceCaps(Printer());
    int pages = 0;
    {
        TPaginatedDocument document(script, int(caps.PhysicalWidth), int(caps.PhysicalHeight), caps.LogPixelsY);
        pages = document.PageCount();
    }
    QCOMPARE(pages, 3);

    CheckOneCompletedJob([&] { return PrintDocument(script); }, ReportTitle);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(PdfInfo(FOutput, QStringLiteral("Pages")), QString::number(pages));
}

void TestCupsPrint::programPrintsReportFromCommandLine()
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/kalkulator-objetosci");
    if (!QFile::exists(program))
        QSKIP("the program is not built in this folder");
    QString usage;
    Run(program, {QStringLiteral("--help")}, &usage);
    if (!usage.contains(QStringLiteral("--print")))
        QSKIP("the program has no --print option");

    QFile::remove(FOutput);
    QString shown;
    CheckOneCompletedJob([&] {
        return Run(program, {QStringLiteral("1"), QStringLiteral("imp_gal"), QStringLiteral("l"), QStringLiteral("--print")},
                   &shown, 60000);
    }, ReportTitle);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(shown.contains(QStringLiteral("4")), qPrintable(shown));
    QCOMPARE(PdfInfo(FOutput, QStringLiteral("Pages")), QStringLiteral("1"));
    QVERIFY(PdfText(FOutput).contains(QStringLiteral("Przelicznik: 1 imp. gal = 4")));
}

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
