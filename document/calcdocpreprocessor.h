#pragma once

#include "docpreprocessorbase.h"
#include "unitsconverter.h"

#include <QDateTime>

#include <functional>

// The moment a document reports as its generation time.
using TDocumentClock = std::function<QDateTime()>;
// Replaces the clock of the documents made from now on (tests fix it); an empty one restores the system clock.
void SetDocumentClock(TDocumentClock clock);

// The calculators' common document layout: margins 20 mm, Arial 12, the h1, table and subtext
// classes, and the closing paragraphs with the version, the copyright and the generation time.
class TCalcDocScript : public TStandardDocumentScript
{
public:
    TCalcDocScript();

protected:
    virtual void GenerateInfoFooter();
};

// The report of one conversion: title, source value, destination value, factor, then the info footer.
class TUnitsConversionScript : public TCalcDocScript
{
public:
    TUnitsConversionScript();

    // Borrowed; must stay valid until Make returns.
    const Unitsconverter::TUnitsConversion *FConversion = nullptr;

protected:
    void GenerateBody() override;
};

// "Data i czas wygenerowania dokumentu: " text of a moment: short date and long time without
// the time zone in the user's regional format; the time is left out at exactly midnight.
QString DocumentDateTimeText(const QDateTime &moment);

// Writes the conversion report with that title into output (replacing its contents).
// May raise EPrinter (no usable printer; output then stays empty).
void MakeConversionDocument(const Unitsconverter::TUnitsConversion &conversion, const QString &title,
                            QList<QByteArray> &output);
