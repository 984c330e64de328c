// The strconv family library; its entry points and their contracts are in strconv.h.

#include "strconv.h"

#include "charsets.h"
#include "textio.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

using namespace strconv;

// Every entry point must match the pointer type the program's loader uses.
static_assert(std::is_same_v<decltype(&StrConv_UTF8ToUnicode), StrConv_UTF8ToUnicode_t>);
static_assert(std::is_same_v<decltype(&StrConv_UnicodeToUTF8), StrConv_UnicodeToUTF8_t>);
static_assert(std::is_same_v<decltype(&StrConv_FilterEntitiesIn), StrConv_FilterEntitiesIn_t>);
static_assert(std::is_same_v<decltype(&StrConv_CharsetToCode), StrConv_CharsetToCode_t>);
static_assert(std::is_same_v<decltype(&StrConv_CodeToCharset), StrConv_CodeToCharset_t>);
static_assert(std::is_same_v<decltype(&StrConv_FindCharset), StrConv_FindCharset_t>);
static_assert(std::is_same_v<decltype(&StrConv_AsciiToUnicode), StrConv_AsciiToUnicode_t>);
static_assert(std::is_same_v<decltype(&StrConv_UnicodeToAscii), StrConv_UnicodeToAscii_t>);
static_assert(std::is_same_v<decltype(&StrConv_ConvertToUnicode), StrConv_ConvertToUnicode_t>);
static_assert(std::is_same_v<decltype(&StrConv_ConvertFromUnicode), StrConv_ConvertFromUnicode_t>);
static_assert(std::is_same_v<decltype(&StrConv_CSVEncodeValues), StrConv_CSVEncodeValues_t>);
static_assert(std::is_same_v<decltype(&StrConv_CSVDecodeValues), StrConv_CSVDecodeValues_t>);
static_assert(std::is_same_v<decltype(&StrConv_FilterEntitiesOut), StrConv_FilterEntitiesOut_t>);
static_assert(std::is_same_v<decltype(&StrConv_EncodeHttpPost), StrConv_EncodeHttpPost_t>);
static_assert(std::is_same_v<decltype(&StrConv_Base64Encode), StrConv_Base64Encode_t>);
static_assert(std::is_same_v<decltype(&StrConv_Base64Decode), StrConv_Base64Decode_t>);
static_assert(std::is_same_v<decltype(&StrConv_GetBase64EncodeOutputSize),
                             StrConv_GetBase64EncodeOutputSize_t>);
static_assert(std::is_same_v<decltype(&StrConv_FreeMemory), StrConv_FreeMemory_t>);

namespace {

const char Base64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

struct TNamedEntity
{
    const char16_t *Name;
    char32_t Value;
};

// The references FilterEntitiesOut decodes by name: the markup's five and common Latin-1 signs.
const TNamedEntity NamedEntities[] = {
    {u"amp", U'&'},     {u"lt", U'<'},      {u"gt", U'>'},       {u"quot", U'"'},
    {u"apos", U'\''},   {u"nbsp", 0x00A0},  {u"copy", 0x00A9},   {u"reg", 0x00AE},
    {u"deg", 0x00B0},   {u"plusmn", 0x00B1}, {u"sup2", 0x00B2},  {u"sup3", 0x00B3},
    {u"micro", 0x00B5}, {u"middot", 0x00B7}, {u"times", 0x00D7}, {u"divide", 0x00F7},
    {u"ndash", 0x2013}, {u"mdash", 0x2014}, {u"hellip", 0x2026}, {u"euro", 0x20AC},
};

const char16_t *MarkupEntity(char32_t cp)
{
    switch (cp) {
    case U'&': return u"&amp;";
    case U'<': return u"&lt;";
    case U'>': return u"&gt;";
    case U'"': return u"&quot;";
    case U'\'': return u"&apos;";
    default: return nullptr;
    }
}

std::size_t Length16(const char16_t *text)
{
    std::size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char ToLowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(const char *text, const char *word)
{
    for (; *word; ++text, ++word) {
        if (ToLowerAscii(*text) != *word)
            return false;
    }
    return true;
}

// The code of the charset named right after "key" at p ("charset = 'utf-8'"); -1 when no '=' follows.
int32_t DeclaredCharset(const char *p)
{
    while (IsBlank(*p))
        ++p;
    if (*p != '=')
        return -1;
    ++p;
    while (IsBlank(*p))
        ++p;
    if (*p == '"' || *p == '\'')
        ++p;
    const char *start = p;
    while ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') || *p == '-'
           || *p == '_' || *p == '.' || *p == ':')
        ++p;
    return CharsetCode(start, std::size_t(p - start));
}

int DigitValue(char16_t c, int base)
{
    int v = -1;
    if (c >= u'0' && c <= u'9')
        v = c - u'0';
    else if (c >= u'a' && c <= u'f')
        v = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        v = c - u'A' + 10;
    return v < base ? v : -1;
}

// Decodes the reference whose '&' is at p; on success returns its code point and sets end past ';'.
bool ReadReference(const char16_t *p, const char16_t *&end, char32_t &cp)
{
    const char16_t *q = p + 1;
    if (*q == u'#') {
        ++q;
        int base = 10;
        if (*q == u'x' || *q == u'X') {
            base = 16;
            ++q;
        }
        char32_t value = 0;
        bool any = false;
        bool tooBig = false;
        int d;
        while ((d = DigitValue(*q, base)) >= 0) {
            any = true;
            if (!tooBig)
                value = value * char32_t(base) + char32_t(d);
            tooBig = tooBig || value > 0x10FFFF;
            ++q;
        }
        if (!any || *q != u';')
            return false;
        const bool valid = !tooBig && value != 0 && (value < 0xD800 || value > 0xDFFF);
        cp = valid ? value : ReplacementChar;
        end = q + 1;
        return true;
    }
    for (const TNamedEntity &entity : NamedEntities) {
        const std::size_t n = Length16(entity.Name);
        std::size_t i = 0;
        while (i < n && q[i] == entity.Name[i]) // stops at the text's NUL, which no name holds
            ++i;
        if (i == n && q[n] == u';') {
            cp = entity.Value;
            end = q + n + 1;
            return true;
        }
    }
    return false;
}

bool CsvNeedsQuotes(const char16_t *value, char16_t separator)
{
    for (; *value; ++value) {
        if (*value == separator || *value == u'"' || *value == u'\r' || *value == u'\n')
            return true;
    }
    return false;
}

bool UsableCsvSeparator(char16_t separator)
{
    return separator != 0 && separator != u'"' && separator != u'\r' && separator != u'\n';
}

// Splits one CSV record; false for malformed input.
bool SplitCsv(const char16_t *p, char16_t separator, std::vector<std::u16string> &values)
{
    std::u16string field;
    for (;;) {
        field.clear();
        if (*p == u'"') {
            ++p;
            for (;;) {
                if (*p == 0)
                    return false;
                if (*p == u'"') {
                    if (p[1] != u'"')
                        break;
                    ++p;
                }
                field.push_back(*p++);
            }
            ++p;
        } else {
            while (*p && *p != separator && *p != u'\r' && *p != u'\n')
                field.push_back(*p++);
        }
        values.push_back(field);
        if (*p == separator) {
            ++p;
            continue;
        }
        // Only the end of the text or one final line end may follow a value.
        if (*p == u'\r' && p[1] == u'\n')
            p += 2;
        else if (*p == u'\n')
            ++p;
        return *p == 0;
    }
}

void PercentEncode(char32_t cp, std::string &out)
{
    static const char hex[] = "0123456789ABCDEF";
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z') || (cp >= '0' && cp <= '9') || cp == '-'
        || cp == '.' || cp == '_' || cp == '*') {
        out.push_back(char(cp));
        return;
    }
    if (cp == ' ') {
        out.push_back('+');
        return;
    }
    char bytes[4];
    const int n = EncodeUtf8(cp, bytes);
    for (int i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out.push_back('%');
        out.push_back(hex[b >> 4]);
        out.push_back(hex[b & 0x0F]);
    }
}

int Base64Value(char c)
{
    const char *hit = c ? std::strchr(Base64Alphabet, c) : nullptr;
    return hit ? int(hit - Base64Alphabet) : -1;
}

// Decoded bytes of Base64 text; false when it is not Base64.
bool DecodeBase64(const char *p, std::vector<uint8_t> &bytes)
{
    uint32_t group = 0;
    int inGroup = 0;
    int padding = 0;
    for (; *p; ++p) {
        if (IsBlank(*p))
            continue;
        if (*p == '=') {
            ++padding;
            continue;
        }
        const int v = Base64Value(*p);
        if (v < 0 || padding > 0)
            return false;
        group = (group << 6) | uint32_t(v);
        if (++inGroup == 4) {
            bytes.push_back(uint8_t(group >> 16));
            bytes.push_back(uint8_t(group >> 8));
            bytes.push_back(uint8_t(group));
            group = 0;
            inGroup = 0;
        }
    }
    if (inGroup == 1)
        return false;
    // Padding, when present, must complete the last group exactly.
    if (padding > 0 && (inGroup == 0 || inGroup + padding != 4))
        return false;
    if (inGroup == 2) {
        bytes.push_back(uint8_t(group >> 4));
    } else if (inGroup == 3) {
        bytes.push_back(uint8_t(group >> 10));
        bytes.push_back(uint8_t(group >> 2));
    }
    return true;
}

} // namespace

extern "C" {

uint8_t STRCONV_CALL StrConv_UTF8ToUnicode(const char *lpInput, char16_t **lpOutput, uint32_t nOutputSize)
{
    TOutput<char16_t> out(lpOutput, nOutputSize);
    if (!lpInput || !out.Usable())
        return 0;
    for (auto p = reinterpret_cast<const unsigned char *>(lpInput); *p;) {
        if (!out.PutCodePoint(ReadUtf8(p)))
            break;
    }
    return out.Result();
}

uint8_t STRCONV_CALL StrConv_UnicodeToUTF8(const char16_t *lpInput, char **lpOutput, uint32_t nOutputSize)
{
    TOutput<char> out(lpOutput, nOutputSize);
    if (!lpInput || !out.Usable())
        return 0;
    for (const char16_t *p = lpInput; *p;) {
        if (!out.PutCodePoint(ReadUtf16(p)))
            break;
    }
    return out.Result();
}

uint8_t STRCONV_CALL StrConv_FilterEntitiesIn(const char16_t *lpInput, char16_t **lpOutput,
                                              uint32_t nOutputSize, uint8_t EntTypes)
{
    TOutput<char16_t> out(lpOutput, nOutputSize);
    if (!lpInput || !out.Usable() || (EntTypes & ~STRCONV_ENT_NUMERIC_NON_ASCII) != 0)
        return 0;
    for (const char16_t *p = lpInput; *p;) {
        const char32_t cp = ReadUtf16(p);
        bool written;
        if (const char16_t *entity = MarkupEntity(cp)) {
            written = out.Put(entity, Length16(entity));
        } else if ((EntTypes & STRCONV_ENT_NUMERIC_NON_ASCII) && cp > 0x7E) {
            char16_t reference[12]; // "&#1114111;" at most
            std::size_t length = 0;
            reference[length++] = u'&';
            reference[length++] = u'#';
            char digits[8];
            int count = 0;
            for (char32_t v = cp; v > 0 || count == 0; v /= 10)
                digits[count++] = char('0' + v % 10);
            while (count > 0)
                reference[length++] = char16_t(digits[--count]);
            reference[length++] = u';';
            written = out.Put(reference, length);
        } else {
            written = out.PutCodePoint(cp);
        }
        if (!written)
            break;
    }
    return out.Result();
}

int32_t STRCONV_CALL StrConv_CharsetToCode(const char *lpCharset)
{
    if (!lpCharset)
        return 0;
    const char *start = lpCharset;
    while (IsBlank(*start))
        ++start;
    std::size_t length = std::strlen(start);
    while (length > 0 && IsBlank(start[length - 1]))
        --length;
    return CharsetCode(start, length);
}

const char *STRCONV_CALL StrConv_CodeToCharset(int32_t nCode)
{
    return CharsetName(nCode);
}

int32_t STRCONV_CALL StrConv_FindCharset(const char *lpText)
{
    if (!lpText)
        return 0;
    for (const char *p = lpText; *p; ++p) {
        int32_t code = -1;
        if (StartsWithIgnoringCase(p, "charset"))
            code = DeclaredCharset(p + 7);
        else if (StartsWithIgnoringCase(p, "encoding"))
            code = DeclaredCharset(p + 8);
        if (code >= 0)
            return code;
    }
    return 0;
}

uint8_t STRCONV_CALL StrConv_AsciiToUnicode(const char *lpInput, char16_t **lpOutput, uint32_t nOutputSize)
{
    return StrConv_ConvertToUnicode(lpInput, STRCONV_CP_ASCII, lpOutput, nOutputSize);
}

uint8_t STRCONV_CALL StrConv_UnicodeToAscii(const char16_t *lpInput, char **lpOutput, uint32_t nOutputSize)
{
    return StrConv_ConvertFromUnicode(lpInput, STRCONV_CP_ASCII, lpOutput, nOutputSize);
}

uint8_t STRCONV_CALL StrConv_ConvertToUnicode(const char *lpInput, int32_t nCode, char16_t **lpOutput,
                                              uint32_t nOutputSize)
{
    if (nCode == STRCONV_CP_UTF8)
        return StrConv_UTF8ToUnicode(lpInput, lpOutput, nOutputSize);
    TOutput<char16_t> out(lpOutput, nOutputSize);
    if (!lpInput || !out.Usable() || !CharsetName(nCode))
        return 0;
    for (auto p = reinterpret_cast<const unsigned char *>(lpInput); *p; ++p) {
        if (!out.PutCodePoint(DecodeByte(nCode, *p)))
            break;
    }
    return out.Result();
}

uint8_t STRCONV_CALL StrConv_ConvertFromUnicode(const char16_t *lpInput, int32_t nCode, char **lpOutput,
                                                uint32_t nOutputSize)
{
    if (nCode == STRCONV_CP_UTF8)
        return StrConv_UnicodeToUTF8(lpInput, lpOutput, nOutputSize);
    TOutput<char> out(lpOutput, nOutputSize);
    if (!lpInput || !out.Usable() || !CharsetName(nCode))
        return 0;
    for (const char16_t *p = lpInput; *p;) {
        const int byte = EncodeByte(nCode, ReadUtf16(p));
        if (!out.Put(byte >= 0 ? char(byte) : '?'))
            break;
    }
    return out.Result();
}

uint8_t STRCONV_CALL StrConv_CSVEncodeValues(const char16_t *const *lpValues, uint32_t nCount,
                                             char16_t cSeparator, char16_t **lpOutput, uint32_t nOutputSize)
{
    TOutput<char16_t> out(lpOutput, nOutputSize);
    if ((!lpValues && nCount > 0) || !out.Usable() || !UsableCsvSeparator(cSeparator))
        return 0;
    try {
        std::u16string piece;
        for (uint32_t i = 0; i < nCount; ++i) {
            const char16_t *value = lpValues[i] ? lpValues[i] : u"";
            piece.clear();
            if (i > 0)
                piece.push_back(cSeparator);
            if (CsvNeedsQuotes(value, cSeparator)) {
                piece.push_back(u'"');
                for (const char16_t *p = value; *p; ++p) {
                    if (*p == u'"')
                        piece.push_back(u'"');
                    piece.push_back(*p);
                }
                piece.push_back(u'"');
            } else {
                piece.append(value);
            }
            if (!out.Put(piece.data(), piece.size()))
                break;
        }
    } catch (...) {
        return 0;
    }
    return out.Result();
}

char16_t **STRCONV_CALL StrConv_CSVDecodeValues(const char16_t *lpInput, char16_t cSeparator,
                                                uint32_t *lpCount)
{
    if (lpCount)
        *lpCount = 0;
    if (!lpInput || !lpCount || !UsableCsvSeparator(cSeparator))
        return nullptr;
    try {
        std::vector<std::u16string> values;
        if (!SplitCsv(lpInput, cSeparator, values))
            return nullptr;
        // One block: the pointer array (NULL-terminated), then the strings it points to.
        std::size_t units = 0;
        for (const std::u16string &value : values)
            units += value.size() + 1;
        const std::size_t head = (values.size() + 1) * sizeof(char16_t *);
        void *block = std::malloc(head + units * sizeof(char16_t));
        if (!block)
            return nullptr;
        auto **array = static_cast<char16_t **>(block);
        auto *text = reinterpret_cast<char16_t *>(static_cast<char *>(block) + head);
        for (std::size_t i = 0; i < values.size(); ++i) {
            array[i] = text;
            std::memcpy(text, values[i].c_str(), (values[i].size() + 1) * sizeof(char16_t));
            text += values[i].size() + 1;
        }
        array[values.size()] = nullptr;
        *lpCount = uint32_t(values.size());
        return array;
    } catch (...) {
        return nullptr;
    }
}

uint8_t STRCONV_CALL StrConv_FilterEntitiesOut(const char16_t *lpInput, char16_t **lpOutput,
                                               uint32_t nOutputSize)
{
    TOutput<char16_t> out(lpOutput, nOutputSize);
    if (!lpInput || !out.Usable())
        return 0;
    for (const char16_t *p = lpInput; *p;) {
        const char16_t *end = nullptr;
        char32_t cp;
        if (*p == u'&' && ReadReference(p, end, cp)) {
            p = end;
        } else {
            cp = ReadUtf16(p);
        }
        if (!out.PutCodePoint(cp))
            break;
    }
    return out.Result();
}

uint8_t STRCONV_CALL StrConv_EncodeHttpPost(const char16_t *const *lpNames, const char16_t *const *lpValues,
                                            uint32_t nCount, char **lpOutput, uint32_t nOutputSize)
{
    TOutput<char> out(lpOutput, nOutputSize);
    if ((nCount > 0 && (!lpNames || !lpValues)) || !out.Usable())
        return 0;
    try {
        std::string piece;
        for (uint32_t i = 0; i < nCount; ++i) {
            if (!lpNames[i])
                return 0;
            const char16_t *parts[2] = {lpNames[i], lpValues[i] ? lpValues[i] : u""};
            piece.clear();
            if (i > 0)
                piece.push_back('&');
            for (int part = 0; part < 2; ++part) {
                if (part == 1)
                    piece.push_back('=');
                for (const char16_t *p = parts[part]; *p;) {
                    PercentEncode(ReadUtf16(p), piece);
                    if (!out.Put(piece.data(), piece.size()))
                        return 0;
                    piece.clear();
                }
            }
            if (!out.Put(piece.data(), piece.size()))
                return 0;
        }
    } catch (...) {
        return 0;
    }
    return out.Result();
}

uint8_t STRCONV_CALL StrConv_Base64Encode(const uint8_t *lpInput, uint32_t nInputSize, char **lpOutput,
                                          uint32_t nOutputSize)
{
    TOutput<char> out(lpOutput, nOutputSize);
    if ((!lpInput && nInputSize > 0) || !out.Usable())
        return 0;
    for (uint32_t i = 0; i < nInputSize; i += 3) {
        const uint32_t left = nInputSize - i;
        const uint32_t group = (uint32_t(lpInput[i]) << 16) | (left > 1 ? uint32_t(lpInput[i + 1]) << 8 : 0)
                               | (left > 2 ? uint32_t(lpInput[i + 2]) : 0);
        const char quad[4] = {Base64Alphabet[(group >> 18) & 0x3F], Base64Alphabet[(group >> 12) & 0x3F],
                              left > 1 ? Base64Alphabet[(group >> 6) & 0x3F] : '=',
                              left > 2 ? Base64Alphabet[group & 0x3F] : '='};
        if (!out.Put(quad, 4))
            break;
    }
    return out.Result();
}

uint8_t STRCONV_CALL StrConv_Base64Decode(const char *lpInput, uint8_t **lpOutput, uint32_t nOutputSize,
                                          uint32_t *lpOutputLength)
{
    if (lpOutputLength)
        *lpOutputLength = 0;
    if (!lpInput || !lpOutputLength || !lpOutput || (!*lpOutput && nOutputSize > 0))
        return 0;
    try {
        std::vector<uint8_t> bytes;
        if (!DecodeBase64(lpInput, bytes))
            return 0;
        if (bytes.size() > nOutputSize) {
            *lpOutputLength = uint32_t(bytes.size());
            return 0;
        }
        if (!bytes.empty())
            std::memcpy(*lpOutput, bytes.data(), bytes.size());
        *lpOutputLength = uint32_t(bytes.size());
        return 1;
    } catch (...) {
        return 0;
    }
}

uint32_t STRCONV_CALL StrConv_GetBase64EncodeOutputSize(uint32_t nInputSize)
{
    const uint64_t size = (uint64_t(nInputSize) + 2) / 3 * 4 + 1;
    return size > UINT32_MAX ? 0 : uint32_t(size);
}

void STRCONV_CALL StrConv_FreeMemory(void *lpMemory)
{
    std::free(lpMemory);
}

} // extern "C"
