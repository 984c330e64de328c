#include "commandline.h"

#include "conversioncalculation.h"
#include "exception.h"
#include "libraryloader.h"
#include "unitsconverter.h"
#include "windowlibrary.h"

#include <QStringList>

#include <cstdio>

namespace {

enum class TOutput { Value, Markup, Pdf, Print };

struct TArguments
{
    bool Help = false;
    bool List = false;
    TOutput Output = TOutput::Value;
    QString PdfFile;
    QStringList Positional;
};

// A message for the user, ending the run with exit code 1.
class ECommandLine : public Exception
{
public:
    using Exception::Exception;
};

// The arguments do not make a valid call.
class EUsage : public Exception
{
public:
    using Exception::Exception;
};

void Write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

QString UsageText(const QString &program)
{
    return QStringLiteral(
               "Użycie:\n"
               "  %1                          okno kalkulatora\n"
               "  %1 WARTOŚĆ Z DO             przelicza WARTOŚĆ z jednostki Z na jednostkę DO\n"
               "  %1 WARTOŚĆ Z DO --markup    wypisuje dokument raportu (znaczniki)\n"
               "  %1 WARTOŚĆ Z DO --pdf PLIK  zapisuje raport do pliku PDF\n"
               "  %1 WARTOŚĆ Z DO --print     drukuje raport na bieżącej drukarce\n"
               "  %1 --list                   wypisuje jednostki (identyfikator i nazwa)\n"
               "  %1 --help                   wypisuje ten tekst\n"
               "Z i DO to identyfikatory jednostek z --list (wielkość liter bez znaczenia).\n"
               "Wartość ujemną podaje się po \"--\", np.: %1 -- -5 l ml\n")
        .arg(program);
}

void SetOutput(TArguments &arguments, TOutput output)
{
    if (arguments.Output != TOutput::Value)
        throw EUsage(QStringLiteral("Można podać tylko jedną z opcji --markup, --pdf, --print."));
    arguments.Output = output;
}

TArguments ParseArguments(const QStringList &words)
{
    TArguments arguments;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        if (optionsEnded || !word.startsWith(QLatin1Char('-')) || word == QLatin1String("-")) {
            arguments.Positional << word;
        } else if (word == QLatin1String("--")) {
            optionsEnded = true;
        } else if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            arguments.Help = true;
        } else if (word == QLatin1String("--list")) {
            arguments.List = true;
        } else if (word == QLatin1String("--markup")) {
            SetOutput(arguments, TOutput::Markup);
        } else if (word == QLatin1String("--print")) {
            SetOutput(arguments, TOutput::Print);
        } else if (word == QLatin1String("--pdf")) {
            SetOutput(arguments, TOutput::Pdf);
            if (i + 1 >= words.size() || words.at(i + 1).isEmpty())
                throw EUsage(QStringLiteral("Opcja --pdf wymaga nazwy pliku."));
            arguments.PdfFile = words.at(++i);
        } else {
            throw EUsage(QStringLiteral("Nieznana opcja: %1").arg(word));
        }
    }
    if (arguments.Help)
        return arguments;
    if (arguments.List) {
        if (!arguments.Positional.isEmpty() || arguments.Output != TOutput::Value)
            throw EUsage(QStringLiteral("Opcja --list nie przyjmuje innych argumentów."));
        return arguments;
    }
    if (arguments.Positional.size() != 3)
        throw EUsage(QStringLiteral("Należy podać wartość, jednostkę źródłową i jednostkę docelową."));
    return arguments;
}

void LoadLibrary(TFamilyLibrary library)
{
    try {
        InitFamilyLibrary(library, FamilyLibraryPath(library));
    } catch (const std::exception &) {
        throw ECommandLine(LibraryLoadErrorMessage(library));
    }
}

TReportOutput ReportOutput(TOutput output)
{
    switch (output) {
    case TOutput::Markup: return TReportOutput::Markup;
    case TOutput::Pdf: return TReportOutput::Pdf;
    default: return TReportOutput::Print;
    }
}

Unitsconverter::TUnit *FindUnit(const Unitsconverter::TUnitsConverter &converter, const QString &sysId)
{
    Unitsconverter::TUnit *unit = converter.Units->FindBySysId(sysId);
    if (!unit) {
        throw ECommandLine(QStringLiteral("Nieznana jednostka: \"%1\". Listę jednostek wypisuje opcja --list.")
                               .arg(sysId));
    }
    return unit;
}

int Run(const TArguments &arguments)
{
    LoadLibrary(TFamilyLibrary::StrConv);
    Unitsconverter::TVolumeUnitsConverter converter;

    if (arguments.List) {
        for (const Unitsconverter::TUnit *unit : *converter.Units)
            Write(stdout, unit->SysId + QLatin1Char('\t') + unit->GetDisplayName() + QLatin1Char('\n'));
        return 0;
    }

    Unitsconverter::TUnit *src = FindUnit(converter, arguments.Positional.at(1));
    Unitsconverter::TUnit *dst = FindUnit(converter, arguments.Positional.at(2));
    const Unitsconverter::TCalculation calculation =
        Unitsconverter::Calculate(converter, arguments.Positional.at(0), src, dst);
    if (!calculation.Accepted)
        throw ECommandLine(Unitsconverter::NonPositiveValueMessage());

    if (arguments.Output != TOutput::Markup)
        Write(stdout, calculation.DstText + QLatin1Char('\n'));
    if (arguments.Output != TOutput::Value) {
        const auto write = reinterpret_cast<KalkWriteConversionReport_t>(
            WindowLibraryEntry("KalkWriteConversionReport"));
        write(&calculation.Conversion, ReportOutput(arguments.Output), &arguments.PdfFile);
    }
    return 0;
}

} // namespace

int RunCommandLine(int argc, char **argv)
{
    const QString program = QStringLiteral("kalkulator-objetosci");
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);

    TArguments arguments;
    try {
        arguments = ParseArguments(words);
    } catch (const EUsage &error) {
        Write(stderr, error.Message() + QLatin1Char('\n') + UsageText(program));
        return 2;
    }
    if (arguments.Help) {
        Write(stdout, UsageText(program));
        return 0;
    }

    try {
        return Run(arguments);
    } catch (const Exception &error) {
        Write(stderr, ExceptionDisplayText(error.Message()) + QLatin1Char('\n'));
    } catch (const std::exception &error) {
        Write(stderr, ExceptionDisplayText(QString::fromLocal8Bit(error.what())) + QLatin1Char('\n'));
    }
    return 1;
}
