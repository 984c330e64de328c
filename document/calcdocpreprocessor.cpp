#include "calcdocpreprocessor.h"

#include "appcommons.h"
#include "conversioncalculation.h"
#include "numbertext.h"

#include <QLocale>
#include <QUrl>

namespace {

TDocumentClock &DocumentClock()
{
    static TDocumentClock clock;
    return clock;
}

QDateTime Now()
{
    const TDocumentClock &clock = DocumentClock();
    return clock ? clock() : QDateTime::currentDateTime();
}

// The locale's long time format with its time-zone fields (and the blanks before them) left out.
QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            result += c;
        } else if (!quoted && c == QLatin1Char('t')) {
            while (i + 1 < format.size() && format.at(i + 1) == QLatin1Char('t'))
                ++i;
            while (!result.isEmpty() && result.back().isSpace())
                result.chop(1);
        } else {
            result += c;
        }
    }
    return result.trimmed();
}

} // namespace

void SetDocumentClock(TDocumentClock clock)
{
    DocumentClock() = std::move(clock);
}

QString DocumentDateTimeText(const QDateTime &moment)
{
    const QLocale locale;
    QString text = locale.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() != QTime(0, 0))
        text += QLatin1Char(' ') + locale.toString(moment.time(), LongTimeFormatWithoutZone(locale));
    return text;
}

TCalcDocScript::TCalcDocScript()
{
    FMarginBottom = 20;
    FMarginRight = 20;
    FMarginTop = 20;
    FMarginLeft = 20;
    FFontName = "Arial";
    FBaseFontSize = 12;
    FStyles.append(QByteArrayLiteral("<class name=\"h1\" fontsize=\"15pt\" fontbold=\"on\" margin-bottom=\"1ln\" />"));
    FStyles.append(QByteArrayLiteral(
        "<class name=\"table\" margin-bottom=\"1ln\" cellpadding=\"2mm\" border-top=\"0.1mm\" border-right=\"0.1mm\" "
        "cellborder-left=\"0.1mm\" cellborder-bottom=\"0.1mm\" />"));
    FStyles.append(QByteArrayLiteral("<class name=\"subtext\" fontsize=\"10pt\" margin-top=\"1ln\" />"));
}

void TCalcDocScript::GenerateInfoFooter()
{
    const TMyApplication *app = MyApp();
    const QString version = app->ProductName() + QStringLiteral(" wersja ") + app->FileVersion();
    // The second run follows the version on the same line, so it opens with its own separator.
    QStringList owner;
    if (!app->Copyright().isEmpty())
        owner << app->Copyright();
    const QString host = QUrl(app->PublisherWebsite()).host();
    if (!host.isEmpty())
        owner << host;
    const QString copyright = owner.isEmpty() ? QString() : QStringLiteral(", ") + owner.join(QStringLiteral(", "));
    const QString date = QStringLiteral("Data i czas wygenerowania dokumentu: ") + DocumentDateTimeText(Now());

    FOutput->append(QByteArrayLiteral("<p class=\"subtext\"><text>") + StrForRender(version)
                    + QByteArrayLiteral("</text><text>") + StrForRender(copyright) + QByteArrayLiteral("</text></p>"));
    FOutput->append(QByteArrayLiteral("<p class=\"subtext\">") + StrForRender(date) + QByteArrayLiteral("</p>"));
}

TUnitsConversionScript::TUnitsConversionScript() = default;

void TUnitsConversionScript::GenerateBody()
{
    // A report without its conversion would read through null pointers.
    if (!FConversion || !FConversion->SrcUnit || !FConversion->DstUnit)
        throw Exception(QStringLiteral("Brak przeliczenia, którego dotyczy dokument."));
    const Unitsconverter::TUnit &src = *FConversion->SrcUnit;
    const Unitsconverter::TUnit &dst = *FConversion->DstUnit;
    const QString times = QStringLiteral(u" \u00D7 ");
    const QString srcText = QStringLiteral("Wartość i jednostka źródłowa: ")
                            + FormatNumber(static_cast<double>(FConversion->SrcValue), -1) + times + src.GetDisplayName();
    const QString dstText = QStringLiteral("Wartość i jednostka docelowa: ")
                            + FormatNumber(static_cast<double>(FConversion->DstValue), -1) + times + dst.GetDisplayName();
    const QString factorText = QStringLiteral("Przelicznik: ") + Unitsconverter::UnitsRelationText(src, dst);

    FOutput->append(QByteArrayLiteral("<p class=\"h1\">") + StrForRender(FTitle) + QByteArrayLiteral("</p>"));
    FOutput->append(QByteArrayLiteral("<p>") + StrForRender(srcText) + QByteArrayLiteral("</p>"));
    FOutput->append(QByteArrayLiteral("<p>") + StrForRender(dstText) + QByteArrayLiteral("</p>"));
    FOutput->append(QByteArrayLiteral("<p>") + StrForRender(factorText) + QByteArrayLiteral("</p>"));
    GenerateInfoFooter();
}

void MakeConversionDocument(const Unitsconverter::TUnitsConversion &conversion, const QString &title,
                            QList<QByteArray> &output)
{
    TUnitsConversionScript script;
    script.FConversion = &conversion;
    script.SetTitle(title);
    script.Make(output);
}
