#pragma once

#include "unitsconverter.h"

#include <QString>

enum class TReportOutput { Markup, Pdf, Print };

// Writes the report of one conversion without a window: its markup to standard output, a PDF file,
// or one job on the current printer. Starts the toolkit it needs (a page needs fonts and a printer).
// Raises Exception with a message for the user.
void WriteConversionReport(const Unitsconverter::TUnitsConversion &conversion, TReportOutput output,
                           const QString &pdfFile);
