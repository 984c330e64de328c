#include "strconv.h"

// Both headers are called strconv.h, so the module's one is named by its folder.
#include "../libs/strconv/strconv.h"

#include "exception.h"
#include "familylibraries.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <limits>

namespace {

// The library's entry points, named as it exports them; null until InitStrConv succeeds.
StrConv_UTF8ToUnicode_t StrConv_UTF8ToUnicode = nullptr;
StrConv_UnicodeToUTF8_t StrConv_UnicodeToUTF8 = nullptr;
StrConv_FilterEntitiesIn_t StrConv_FilterEntitiesIn = nullptr;

// Every name the library must export, the unused ones included.
constexpr const char *EntryPointNames[] = {
    "StrConv_UTF8ToUnicode",      "StrConv_UnicodeToUTF8",     "StrConv_FilterEntitiesIn",
    "StrConv_CharsetToCode",      "StrConv_CodeToCharset",     "StrConv_FindCharset",
    "StrConv_AsciiToUnicode",     "StrConv_UnicodeToAscii",    "StrConv_ConvertToUnicode",
    "StrConv_ConvertFromUnicode", "StrConv_CSVEncodeValues",   "StrConv_CSVDecodeValues",
    "StrConv_FilterEntitiesOut",  "StrConv_EncodeHttpPost",    "StrConv_Base64Encode",
    "StrConv_Base64Decode",       "StrConv_GetBase64EncodeOutputSize", "StrConv_FreeMemory",
};

void RequireLoaded()
{
    if (!StrConv_UTF8ToUnicode)
        throw Exception(FamilyLibraryFileName(TFamilyLibrary::StrConv) + QStringLiteral(" is not loaded"));
}

// The buffer capacity handed to the library; the library takes it as 32 bits.
uint32_t Capacity(qsizetype length, qsizetype unitsPerUnit)
{
    const qsizetype limit = std::numeric_limits<uint32_t>::max();
    if (length > (limit - 1) / unitsPerUnit)
        throw Exception(QStringLiteral("The text is too long to convert"));
    return uint32_t(length * unitsPerUnit + 1);
}

// The result buffer up to its first NUL; all of it when the library left none.
void CutAtNul(QString &Result)
{
    const qsizetype nul = Result.indexOf(QChar(u'\0'));
    if (nul >= 0)
        Result.truncate(nul);
}

void CutAtNul(QByteArray &Result)
{
    const qsizetype nul = Result.indexOf('\0');
    if (nul >= 0)
        Result.truncate(nul);
}

} // namespace

void InitStrConv(const QByteArray &Path)
{
    const std::vector<void *> pointers =
        LoadFamilyLibrary(TFamilyLibrary::StrConv, Path, EntryPointNames, QString());
    StrConv_UTF8ToUnicode = reinterpret_cast<StrConv_UTF8ToUnicode_t>(pointers[0]);
    StrConv_UnicodeToUTF8 = reinterpret_cast<StrConv_UnicodeToUTF8_t>(pointers[1]);
    StrConv_FilterEntitiesIn = reinterpret_cast<StrConv_FilterEntitiesIn_t>(pointers[2]);
}

bool StrConvLoaded()
{
    return StrConv_UTF8ToUnicode != nullptr;
}

void UTF8ToUnicode(const QByteArray &Source, QString &Result)
{
    if (Source.isEmpty()) {
        Result.clear();
        return;
    }
    RequireLoaded();
    QString buffer(Capacity(Source.size(), 1), QChar(u'\0'));
    char16_t *start = reinterpret_cast<char16_t *>(buffer.data());
    // Source.constData() is NUL-terminated; an embedded NUL ends the text early.
    StrConv_UTF8ToUnicode(Source.constData(), &start, uint32_t(buffer.size()));
    CutAtNul(buffer);
    Result = buffer;
}

QString UTF8ToUnicode_2(const QByteArray &Source)
{
    QString Result;
    UTF8ToUnicode(Source, Result);
    return Result;
}

void UnicodeToUTF8(const QString &Source, QByteArray &Result)
{
    if (Source.isEmpty()) {
        Result.clear();
        return;
    }
    RequireLoaded();
    QByteArray buffer(Capacity(Source.size(), 6), '\0');
    char *start = buffer.data();
    StrConv_UnicodeToUTF8(reinterpret_cast<const char16_t *>(Source.utf16()), &start, uint32_t(buffer.size()));
    CutAtNul(buffer);
    Result = buffer;
}

QByteArray UnicodeToUTF8_2(const QString &Source)
{
    QByteArray Result;
    UnicodeToUTF8(Source, Result);
    return Result;
}

void FilterEntitiesIn(const QString &Source, QString &Result, quint8 EntTypes)
{
    if (Source.isEmpty()) {
        Result.clear();
        return;
    }
    RequireLoaded();
    QString buffer(Capacity(Source.size(), 8), QChar(u'\0'));
    char16_t *start = reinterpret_cast<char16_t *>(buffer.data());
    StrConv_FilterEntitiesIn(reinterpret_cast<const char16_t *>(Source.utf16()), &start,
                             uint32_t(buffer.size()), EntTypes);
    CutAtNul(buffer);
    Result = buffer;
}

QString FilterEntitiesIn_2(const QString &Source, quint8 EntTypes)
{
    QString Result;
    FilterEntitiesIn(Source, Result, EntTypes);
    return Result;
}
