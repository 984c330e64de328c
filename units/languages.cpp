#include "languages.h"

namespace {

struct TLanguageTag
{
    char Tag[3];
    qint32 Code;
};

// Checked in this order; the codes are fixed by the unit tables, not alphabetical.
constexpr TLanguageTag LanguageTags[] = {
    {"PL", 0}, {"EN", 1}, {"DE", 2}, {"IT", 3}, {"SE", 4},
    {"ES", 6}, {"NL", 5}, {"FI", 7}, {"FR", 8},
};

char UpperAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}

} // namespace

// Works on the UTF-8 bytes: trimming stops at any byte above 32 (every byte of a multi-byte
// character is one), and only a-z change case, so decoding first could not change the result.
qint32 StringToLanguageCode(const QByteArray &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && static_cast<unsigned char>(text.at(first)) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text.at(last - 1)) <= 32)
        --last;
    if (last - first != 2)
        return -1;
    const char a = UpperAsciiLetter(text.at(first));
    const char b = UpperAsciiLetter(text.at(first + 1));
    for (const TLanguageTag &entry : LanguageTags) {
        if (a == entry.Tag[0] && b == entry.Tag[1])
            return entry.Code;
    }
    return -1;
}
