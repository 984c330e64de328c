#pragma once

// Reading NUL-terminated UTF-8/UTF-16 by code point and writing into a caller's bounded buffer.

#include <cstddef>
#include <cstdint>

namespace strconv {

inline constexpr char32_t ReplacementChar = 0xFFFD;

// Next code point of NUL-terminated UTF-8 at p (which must not be at the NUL); advances p.
// A malformed sequence yields U+FFFD and consumes only its maximal valid prefix, so the NUL is never passed.
inline char32_t ReadUtf8(const unsigned char *&p)
{
    const unsigned char lead = *p++;
    if (lead < 0x80)
        return lead;
    int need;
    char32_t cp;
    unsigned char lo = 0x80, hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            lo = 0xA0; // overlong below U+0800
        else if (lead == 0xED)
            hi = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            lo = 0x90; // overlong below U+10000
        else if (lead == 0xF4)
            hi = 0x8F; // above U+10FFFF
    } else {
        return ReplacementChar;
    }
    for (int i = 0; i < need; ++i) {
        const unsigned char b = *p;
        if (b < lo || b > hi)
            return ReplacementChar;
        cp = (cp << 6) | (b & 0x3F);
        ++p;
        lo = 0x80;
        hi = 0xBF;
    }
    return cp;
}

// Next code point of NUL-terminated UTF-16 at p (which must not be at the NUL); advances p.
// An unpaired surrogate yields U+FFFD.
inline char32_t ReadUtf16(const char16_t *&p)
{
    const char16_t u = *p++;
    if (u < 0xD800 || u > 0xDFFF)
        return u;
    if (u <= 0xDBFF && *p >= 0xDC00 && *p <= 0xDFFF) {
        const char16_t low = *p++;
        return 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
    }
    return ReplacementChar;
}

// UTF-16 units of a code point; returns their number (1 or 2).
inline int EncodeUtf16(char32_t cp, char16_t out[2])
{
    if (cp < 0x10000) {
        out[0] = char16_t(cp);
        return 1;
    }
    cp -= 0x10000;
    out[0] = char16_t(0xD800 + (cp >> 10));
    out[1] = char16_t(0xDC00 + (cp & 0x3FF));
    return 2;
}

// UTF-8 bytes of a code point; returns their number (1 to 4).
inline int EncodeUtf8(char32_t cp, char out[4])
{
    if (cp < 0x80) {
        out[0] = char(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = char(0xC0 | (cp >> 6));
        out[1] = char(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = char(0xE0 | (cp >> 12));
        out[1] = char(0x80 | ((cp >> 6) & 0x3F));
        out[2] = char(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | (cp >> 18));
    out[1] = char(0x80 | ((cp >> 12) & 0x3F));
    out[2] = char(0x80 | ((cp >> 6) & 0x3F));
    out[3] = char(0x80 | (cp & 0x3F));
    return 4;
}

// A caller's buffer of capacity units (NUL included). Pieces are written whole or not at all;
// after the first piece that does not fit nothing more is written, so a cut result is a clean prefix.
template <typename T>
class TOutput
{
public:
    TOutput(T **lpOutput, uint32_t capacity)
        : FBuffer(lpOutput ? *lpOutput : nullptr), FCapacity(FBuffer ? capacity : 0)
    {
        if (FCapacity > 0)
            FBuffer[0] = T(0);
    }

    bool Usable() const { return FCapacity > 0; }
    bool Cut() const { return FCut; }

    bool Put(const T *units, std::size_t count)
    {
        if (FCut || FCapacity == 0 || count > std::size_t(FCapacity) - 1 - FLength) {
            FCut = true;
            return false;
        }
        for (std::size_t i = 0; i < count; ++i)
            FBuffer[FLength + i] = units[i];
        FLength += count;
        FBuffer[FLength] = T(0);
        return true;
    }

    bool Put(T unit) { return Put(&unit, 1); }

    bool PutCodePoint(char32_t cp)
        requires(sizeof(T) == 2)
    {
        char16_t units[2];
        const int n = EncodeUtf16(cp, units);
        return Put(reinterpret_cast<const T *>(units), std::size_t(n));
    }

    bool PutCodePoint(char32_t cp)
        requires(sizeof(T) == 1)
    {
        char bytes[4];
        const int n = EncodeUtf8(cp, bytes);
        return Put(reinterpret_cast<const T *>(bytes), std::size_t(n));
    }

    // The Boolean result of an entry point: 1 when everything fitted in a usable buffer.
    uint8_t Result() const { return (FCapacity > 0 && !FCut) ? 1 : 0; }

private:
    T *FBuffer;
    uint32_t FCapacity;
    std::size_t FLength = 0;
    bool FCut = false;
};

} // namespace strconv
