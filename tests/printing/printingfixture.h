#pragma once

#include "currentprinter.h"
#include "docrenderer.h"
#include "familylibraries.h"
#include "geometricslib.h"
#include "imagelib.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <cstdint>

// The three family modules the preview and the printing service call, from the program folder.
inline void LoadPrintingModules()
{
    const QString folder = QCoreApplication::applicationDirPath() + u'/';
    InitDocRenderer((folder + FamilyLibraryFileName(TFamilyLibrary::DocRender)).toUtf8());
    InitGeometricsLib((folder + FamilyLibraryFileName(TFamilyLibrary::Geometrics)).toUtf8());
    InitImageLib((folder + FamilyLibraryFileName(TFamilyLibrary::ImageLib)).toUtf8());
}

// The print-to-PDF printer on A4, whatever printers the machine has.
inline void UsePdfPrinter()
{
    Printer().setOutputFormat(QPrinter::PdfFormat);
    Printer().setPageSize(QPageSize(QPageSize::A4));
    Printer().setOutputFileName(QString());
    Printer().setOutputFormat(QPrinter::PdfFormat);
}

// A markup fixture of tests/printing/data, one script line per file line.
inline QList<QByteArray> FixtureScript(const char *name)
{
    QFile file(QStringLiteral(KALK_PRINTING_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

inline QByteArray JoinedMarkup(const QList<QByteArray> &script)
{
    QByteArray bytes;
    for (const QByteArray &line : script)
        bytes += line + "\r\n";
    return bytes;
}

// A renderer object holding the script paginated for a page of the given size and resolution.
class TPaginatedDocument
{
public:
    TPaginatedDocument(const QList<QByteArray> &script, int width, int height, int resolution = 96)
        : FMarkup(JoinedMarkup(script)), FCanvas(1, 1, QImage::Format_RGB32), Index(DocRend_CreateObject())
    {
        QPainter painter(&FCanvas);
        DOCRENDER record{};
        record.lpXMLBuffer = FMarkup.constData();
        record.nXMLBufferSize = static_cast<std::uint32_t>(FMarkup.size());
        record.hCanvas = reinterpret_cast<DR_HDC>(&painter);
        record.uResolution = static_cast<std::uint32_t>(resolution);
        record.uPhysicalWidth = static_cast<std::uint32_t>(width);
        record.uPhysicalHeight = static_cast<std::uint32_t>(height);
        record.bCountPages = 1;
        Paginated = DocRend_LoadXML(Index, &record) && DocRend_BuildTree(Index, &record)
                    && DocRend_Paginate(Index, &record);
    }
    ~TPaginatedDocument() { DocRend_FreeObject(Index); }
    TPaginatedDocument(const TPaginatedDocument &) = delete;
    TPaginatedDocument &operator=(const TPaginatedDocument &) = delete;

    int PageCount() const { return static_cast<int>(DocRend_GetPageCount(Index)); }

private:
    QByteArray FMarkup;
    QImage FCanvas;

public:
    const std::uint32_t Index;
    bool Paginated = false;
};

// A4 at 96 pixels per inch, as the preview gets it from an A4 printer.
inline constexpr int A4ScreenWidth = 793;
inline constexpr int A4ScreenHeight = 1122;

// One field of pdfinfo's report ("Title", "Pages").
inline QString PdfInfo(const QString &file, const QString &field)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file});
    process.waitForFinished(30000);
    const QString report = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(report);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

inline QString PdfText(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
