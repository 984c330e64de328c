#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// Paginates the markup lines for the screen and shows them modally in the preview window.
// Returns 1 when the user asked to print from the preview, 2 otherwise (also when the
// document could not be prepared).
int PreviewDocument(const QList<QByteArray> &Script);

// Prints the markup lines on the current printer as one job named after the document's title.
// Returns true when the pages were handed to the printer; raises EPrinter when the printer fails.
bool PrintDocument(const QList<QByteArray> &Script);

// Asked for the output file when a job starts on the PDF printer; an empty answer cancels the job.
using TPdfFileNameProvider = std::function<QString(const QString &title)>;
// Replaces the provider; an empty function restores the default save dialog.
void SetPdfFileNameProvider(TPdfFileNameProvider provider);
