#pragma once

// The charsets the library knows: their names and the 8-bit ones' byte tables.

#include "strconv.h"
#include "textio.h"

#include <cstddef>
#include <cstdint>

namespace strconv {

// The code of a charset name or alias of length bytes, letter case ignored; 0 when unknown.
int32_t CharsetCode(const char *name, std::size_t length);
// The canonical name of a code; nullptr when unknown.
const char *CharsetName(int32_t code);
// The code point of a byte in an 8-bit charset (ASCII, Latin-1, Latin-2, Windows-1250/1252);
// U+FFFD for a byte the charset leaves undefined.
char32_t DecodeByte(int32_t code, unsigned char byte);
// The byte of a code point in an 8-bit charset; -1 when the charset lacks it.
int EncodeByte(int32_t code, char32_t cp);

} // namespace strconv
