// The command-line front, run as the real program.
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TRun
{
    int ExitCode = -1;
    QString Out;
    QString Err;
    QByteArray RawOut;
};

TRun RunProgram(const QStringList &arguments, const QString &locale = QStringLiteral("pl_PL.UTF-8"))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kalkulator-objetosci"), arguments);
    TRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.RawOut = process.readAllStandardOutput();
    run.Out = QString::fromUtf8(run.RawOut);
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void convertsAndPrintsTheDestinationField_data();
    void convertsAndPrintsTheDestinationField();
    void rejectsBadInputOnStandardError_data();
    void rejectsBadInputOnStandardError();
    void wrongUsageExitsWithTwo_data();
    void wrongUsageExitsWithTwo();
    void helpPrintsUsage();
    void listsTheTwentyUnitsInTableOrder();
    void writesTheReportMarkupWithCrLf();
    void writesTheReportAsOnePagePdf();
};

void TestCommandLine::convertsAndPrintsTheDestinationField_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("gallons to litres, Polish") << QStringList{"10", "imp_gal", "l"} << "pl_PL.UTF-8" << "45,4609";
    QTest::newRow("letter case ignored") << QStringList{"10", "IMP_GAL", "L"} << "pl_PL.UTF-8" << "45,4609";
    QTest::newRow("point locale") << QStringList{"10", "imp_gal", "l"} << "en_US.UTF-8" << "45.4609";
    QTest::newRow("forgiving reader") << QStringList{"1 000", "ml", "l"} << "pl_PL.UTF-8" << "1";
    QTest::newRow("exponent form") << QStringList{"0,00001", "l", "l"} << "pl_PL.UTF-8" << "1E-5";
    QTest::newRow("gallon to US gallon") << QStringList{"1", "imp_gal", "us_liquid_gal"} << "pl_PL.UTF-8"
                                         << "1,20094992550486";
    QTest::newRow("options before values") << QStringList{"--", "2,5e3", "ml", "l"} << "pl_PL.UTF-8" << "2,5";
}

void TestCommandLine::convertsAndPrintsTheDestinationField()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    const TRun run = RunProgram(arguments, locale);
    QCOMPARE(run.Err, QString());
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Out, expected + QLatin1Char('\n'));
}

void TestCommandLine::rejectsBadInputOnStandardError_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    const QString nonPositive = QStringLiteral("Należy podać prawidłową dodatnią wartość źródłową.\n");
    QTest::newRow("zero") << QStringList{"0", "l", "ml"} << nonPositive;
    QTest::newRow("no digits") << QStringList{"abc", "l", "ml"} << nonPositive;
    QTest::newRow("negative after --") << QStringList{"--", "-3", "l", "ml"} << nonPositive;
    QTest::newRow("lone minus signs") << QStringList{"--", "--", "l", "ml"}
                                     << QStringLiteral("'-' is not a valid integer value.\n");
    QTest::newRow("unknown source unit") << QStringList{"1", "barrel", "ml"}
                                         << QStringLiteral("Nieznana jednostka: \"barrel\". Listę jednostek wypisuje opcja --list.\n");
    QTest::newRow("unknown destination unit") << QStringList{"1", "l", ""}
                                              << QStringLiteral("Nieznana jednostka: \"\". Listę jednostek wypisuje opcja --list.\n");
}

void TestCommandLine::rejectsBadInputOnStandardError()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const TRun run = RunProgram(arguments);
    QCOMPARE(run.ExitCode, 1);
    QCOMPARE(run.Out, QString());
    QCOMPARE(run.Err, message);
}

void TestCommandLine::wrongUsageExitsWithTwo_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("two values") << QStringList{"10", "l"};
    QTest::newRow("four values") << QStringList{"10", "l", "ml", "dl"};
    QTest::newRow("negative value without --") << QStringList{"-5", "l", "ml"};
    QTest::newRow("unknown option") << QStringList{"10", "l", "ml", "--fast"};
    QTest::newRow("pdf without a file") << QStringList{"10", "l", "ml", "--pdf"};
    QTest::newRow("two outputs") << QStringList{"10", "l", "ml", "--markup", "--print"};
    QTest::newRow("list with values") << QStringList{"--list", "10"};
}

void TestCommandLine::wrongUsageExitsWithTwo()
{
    QFETCH(QStringList, arguments);

    const TRun run = RunProgram(arguments);
    QCOMPARE(run.ExitCode, 2);
    QCOMPARE(run.Out, QString());
    QVERIFY2(run.Err.contains(QStringLiteral("Użycie:")), qPrintable(run.Err));
}

void TestCommandLine::helpPrintsUsage()
{
    const TRun run = RunProgram({QStringLiteral("--help")});
    QCOMPARE(run.ExitCode, 0);
    QVERIFY(run.Out.startsWith(QStringLiteral("Użycie:")));
    QCOMPARE(run.Err, QString());
}

void TestCommandLine::listsTheTwentyUnitsInTableOrder()
{
    const TRun run = RunProgram({QStringLiteral("--list")});
    QCOMPARE(run.ExitCode, 0);
    const QStringList lines = run.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines.first(), QStringLiteral("ul\tmikrolitr (μl)"));
    QVERIFY(lines.contains(QStringLiteral("m3\tmetr sześcienny (m³)")));
    QCOMPARE(lines.at(14), QStringLiteral("imp_gal\tgalon angielski (imp. gal)"));
    QCOMPARE(lines.last(), QStringLiteral("us_fl_oz_labels\tuncja objętości amerykańska etykiety (US fl oz labels)"));
}

void TestCommandLine::writesTheReportMarkupWithCrLf()
{
    const TRun run = RunProgram({QStringLiteral("1"), QStringLiteral("imp_gal"), QStringLiteral("l"),
                                 QStringLiteral("--markup")});
    QCOMPARE(run.ExitCode, 0);
    QVERIFY(run.RawOut.startsWith("<document><head><title>Konwersja jednostek obj\xc4\x99to\xc5\x9b\x63i</title>\r\n"));
    QVERIFY(run.RawOut.endsWith("</body></document>\r\n"));
    QVERIFY(run.RawOut.contains("<p>Przelicznik: 1 imp. gal = 4,54609 l</p>\r\n"));
    QCOMPARE(run.RawOut.count("\r\n"), 14);
    QCOMPARE(run.RawOut.count('\n'), 14);
}

void TestCommandLine::writesTheReportAsOnePagePdf()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString pdf = folder.filePath(QStringLiteral("raport.pdf"));
    const TRun run = RunProgram({QStringLiteral("10"), QStringLiteral("imp_gal"), QStringLiteral("l"),
                                 QStringLiteral("--pdf"), pdf});
    QCOMPARE(run.Err, QString());
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Out, QStringLiteral("45,4609\n"));

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished());
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Title:\\s+Konwersja jednostek objętości\\n"))),
             qPrintable(text));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
