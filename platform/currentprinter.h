#pragma once

#include "printerdevice.h"

class QPrinter;

// The process-wide current printer: high resolution, full-page (its device width and height are the
// whole sheet), set to the system's default printer, or to the print-to-PDF printer (A4) where the
// system has none. Created on first use, never destroyed.
QPrinter &Printer();

// True when the current printer writes a PDF file (the program then asks for the file name).
bool PrinterIsPdf();

// The whole sheet in device pixels and the resolution of printer;
// raises EPrinter when the printer cannot answer (invalid, zero resolution or size).
TDeviceCaps PrinterDeviceCaps(const QPrinter &printer);

// Creates the current printer and installs it as the document code's PrinterDevice().
void InstallCurrentPrinter();
