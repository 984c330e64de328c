#pragma once

#include "reportwriter.h"

// The entry points of the window library (kalk_app), which the program loads only when it needs a
// window or a page, so that a conversion on the command line loads no GUI toolkit.
extern "C" {
typedef int (*KalkRunApplication_t)(int argc, char **argv);
typedef void (*KalkWriteConversionReport_t)(const Unitsconverter::TUnitsConversion *conversion,
                                            TReportOutput output, const QString *pdfFile);

int KalkRunApplication(int argc, char **argv);
void KalkWriteConversionReport(const Unitsconverter::TUnitsConversion *conversion, TReportOutput output,
                               const QString *pdfFile);
}

// In the program: loads the window library from the program's folder and resolves one entry point.
// Raises Exception when it cannot.
void *WindowLibraryEntry(const char *name);
