// The quickpdf family library; its entry points are declared in quickpdf.h.
#include "quickpdf.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Helvetica's ascender, in thousandths of the font size: the baseline's distance below a line's top.
constexpr double HelveticaAscent = 0.718;
constexpr double MaxPageSide = 14400.0;

struct TTextLine
{
    double Left = 0;
    double Top = 0;
    double Size = 0;
    std::string Text; // printable ASCII only
};

struct TDocument
{
    double Width = 595.0;
    double Height = 842.0;
    std::vector<TTextLine> Lines;
};

std::mutex Lock;
std::map<uint32_t, std::unique_ptr<TDocument>> Documents;
uint32_t LastIndex = 0;

template<typename Result, typename Body>
Result Guarded(Result failure, Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

TDocument *Find(uint32_t index)
{
    const auto found = Documents.find(index);
    return found == Documents.end() ? nullptr : found->second.get();
}

// A PDF real: fixed notation with a dot whatever the process locale says.
std::string Number(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

// Each UTF-8 sequence outside printable ASCII becomes one "?"; the string delimiters are escaped.
std::string PdfString(const std::string &utf8)
{
    std::string escaped;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte >= 0x80) {
            while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80)
                ++i;
            escaped += '?';
        } else if (byte < 0x20 || byte == 0x7F) {
            escaped += '?';
        } else {
            if (byte == '(' || byte == ')' || byte == '\\')
                escaped += '\\';
            escaped += char(byte);
        }
    }
    return escaped;
}

std::string PageContent(const TDocument &document)
{
    std::string content;
    for (const TTextLine &line : document.Lines) {
        const double baseline = document.Height - line.Top - line.Size * HelveticaAscent;
        content += "BT /F1 " + Number(line.Size) + " Tf " + Number(line.Left) + " " + Number(baseline) + " Td (" +
                   PdfString(line.Text) + ") Tj ET\n";
    }
    return content;
}

std::string PdfFile(const TDocument &document)
{
    const std::string content = PageContent(document);
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Number(document.Width) + " " + Number(document.Height) +
            "] /Resources << /Font << /F1 5 0 R >> >> /Contents 4 0 R >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
    };
    // The binary comment line tells file transfer tools that the file is not plain text.
    std::string file = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(file.size());
        file += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = file.size();
    file += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        file += entry;
    }
    file += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
            std::to_string(xref) + "\n%%EOF\n";
    return file;
}

} // namespace

extern "C" {

QUICKPDF_API const char *QUICKPDF_CALL QuickPDFLibraryVersion(void)
{
    return "1.0";
}

QUICKPDF_API uint32_t QUICKPDF_CALL QuickPDFCreateDocument(void)
{
    return Guarded<uint32_t>(0, [] {
        std::lock_guard guard(Lock);
        do {
            ++LastIndex;
        } while (LastIndex == 0 || Documents.count(LastIndex));
        Documents.emplace(LastIndex, std::make_unique<TDocument>());
        return LastIndex;
    });
}

QUICKPDF_API int32_t QUICKPDF_CALL QuickPDFSetPageSize(uint32_t uDocument, double dWidth, double dHeight)
{
    if (!(dWidth >= 1.0 && dWidth <= MaxPageSide && dHeight >= 1.0 && dHeight <= MaxPageSide))
        return 0;
    std::lock_guard guard(Lock);
    TDocument *document = Find(uDocument);
    if (!document)
        return 0;
    document->Width = dWidth;
    document->Height = dHeight;
    return 1;
}

QUICKPDF_API int32_t QUICKPDF_CALL QuickPDFDrawText(uint32_t uDocument, double dLeft, double dTop, double dSize,
                                                    const char *lpText)
{
    if (!lpText || !std::isfinite(dLeft) || !std::isfinite(dTop) || !(dSize >= 1.0 && dSize <= 1000.0) ||
        std::fabs(dLeft) > 1e6 || std::fabs(dTop) > 1e6)
        return 0;
    return Guarded<int32_t>(0, [&] {
        std::lock_guard guard(Lock);
        TDocument *document = Find(uDocument);
        if (!document)
            return 0;
        document->Lines.push_back({dLeft, dTop, dSize, lpText});
        return 1;
    });
}

QUICKPDF_API int32_t QUICKPDF_CALL QuickPDFSaveToFile(uint32_t uDocument, const char *lpFileName)
{
    if (!lpFileName || !*lpFileName)
        return 0;
    return Guarded<int32_t>(0, [&] {
        std::string file;
        {
            std::lock_guard guard(Lock);
            const TDocument *document = Find(uDocument);
            if (!document)
                return 0;
            file = PdfFile(*document);
        }
        const std::u8string name(reinterpret_cast<const char8_t *>(lpFileName));
        std::ofstream out(std::filesystem::path(name), std::ios::binary | std::ios::trunc);
        out.write(file.data(), std::streamsize(file.size()));
        out.close();
        return out.good() ? 1 : 0;
    });
}

QUICKPDF_API int32_t QUICKPDF_CALL QuickPDFRemoveDocument(uint32_t uDocument)
{
    std::lock_guard guard(Lock);
    return Documents.erase(uDocument) ? 1 : 0;
}

QUICKPDF_API void QUICKPDF_CALL QuickPDFReleaseLibrary(void)
{
    std::lock_guard guard(Lock);
    Documents.clear();
}

} // extern "C"
