/*
 * strconv: the calculator family's text conversion library.
 * UTF-8 <-> UTF-16, markup entities, a few 8-bit charsets, CSV values, Base64 and form encoding.
 *
 * Rules shared by every entry point:
 * - UTF-16 text is char16_t; every text input is NUL-terminated and read only up to its NUL.
 * - An output buffer is passed by reference: lpOutput points to the caller's variable that holds
 *   the start of the caller's buffer; nOutputSize is the buffer's capacity in its own units with
 *   the terminating NUL included. The library writes at most nOutputSize units there, NUL-terminates
 *   them whenever nOutputSize > 0, and never changes the caller's variable. The caller owns it.
 * - A uint8_t result is a Boolean: 1 when the whole result was written; 0 when the result had to be
 *   cut to fit (always on a character boundary, and what was written stays NUL-terminated) or the
 *   arguments were unusable (a NULL pointer, capacity 0, an unknown charset or flag, malformed input
 *   where an entry point says so).
 * - Malformed UTF-8 and unpaired UTF-16 surrogates are read as U+FFFD; that is not a failure.
 * - Memory the library returns is freed with StrConv_FreeMemory, and only with it.
 */
#ifndef KALK_STRCONV_H
#define KALK_STRCONV_H

#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

/* Calling convention of every entry point: the standard one of 32-bit Windows, the default elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define STRCONV_CALL __stdcall
#else
#define STRCONV_CALL
#endif

/* Exported from the library itself; empty for the program, which only loads it. */
#if defined(STRCONV_LIBRARY)
#if defined(_WIN32)
#define STRCONV_API __declspec(dllexport)
#else
#define STRCONV_API __attribute__((visibility("default")))
#endif
#else
#define STRCONV_API
#endif

/* Codes of the charsets the library knows (Windows code page numbers). */
#define STRCONV_CP_UTF8 65001
#define STRCONV_CP_ASCII 20127
#define STRCONV_CP_LATIN1 28591
#define STRCONV_CP_LATIN2 28592
#define STRCONV_CP_WINDOWS1250 1250
#define STRCONV_CP_WINDOWS1252 1252

/* EntTypes of StrConv_FilterEntitiesIn: 0 escapes & < > " ' only; this bit also writes every
   character above U+007E as a decimal reference (&#261;). Other bits are refused. */
#define STRCONV_ENT_NUMERIC_NON_ASCII 0x01

#ifdef __cplusplus
extern "C" {
#endif

/* UTF-8 to UTF-16 into the caller's buffer; the caller owns both. bytes + 1 units always suffice. */
typedef uint8_t(STRCONV_CALL *StrConv_UTF8ToUnicode_t)(const char *lpInput, char16_t **lpOutput,
                                                       uint32_t nOutputSize);
/* UTF-16 to UTF-8 into the caller's buffer; the caller owns both. 3 x units + 1 bytes always suffice. */
typedef uint8_t(STRCONV_CALL *StrConv_UnicodeToUTF8_t)(const char16_t *lpInput, char **lpOutput,
                                                       uint32_t nOutputSize);
/* UTF-16 to UTF-16 with markup characters as entity references (see STRCONV_ENT_*) into the caller's
   buffer; the caller owns both. 8 x units + 1 units always suffice. */
typedef uint8_t(STRCONV_CALL *StrConv_FilterEntitiesIn_t)(const char16_t *lpInput, char16_t **lpOutput,
                                                          uint32_t nOutputSize, uint8_t EntTypes);
/* The code (STRCONV_CP_*) of a charset name or alias, letter case and outer blanks ignored; 0 when
   unknown. The caller owns the name. */
typedef int32_t(STRCONV_CALL *StrConv_CharsetToCode_t)(const char *lpCharset);
/* The canonical name of a charset code, or NULL when unknown; the library owns the name, which
   stays valid while it is loaded. */
typedef const char *(STRCONV_CALL *StrConv_CodeToCharset_t)(int32_t nCode);
/* The code of the charset a text declares (the first charset=... or encoding=..., as in HTTP
   headers, HTML and XML); 0 when it declares none or an unknown one. The caller owns the text. */
typedef int32_t(STRCONV_CALL *StrConv_FindCharset_t)(const char *lpText);
/* 7-bit ASCII to UTF-16 into the caller's buffer, bytes above 0x7F as U+FFFD; the caller owns both. */
typedef uint8_t(STRCONV_CALL *StrConv_AsciiToUnicode_t)(const char *lpInput, char16_t **lpOutput,
                                                        uint32_t nOutputSize);
/* UTF-16 to 7-bit ASCII into the caller's buffer, each other character as '?'; the caller owns both. */
typedef uint8_t(STRCONV_CALL *StrConv_UnicodeToAscii_t)(const char16_t *lpInput, char **lpOutput,
                                                        uint32_t nOutputSize);
/* Text in charset nCode to UTF-16 into the caller's buffer, undefined bytes as U+FFFD; 0 for an
   unknown code. The caller owns both; bytes + 1 units always suffice. */
typedef uint8_t(STRCONV_CALL *StrConv_ConvertToUnicode_t)(const char *lpInput, int32_t nCode,
                                                          char16_t **lpOutput, uint32_t nOutputSize);
/* UTF-16 to text in charset nCode into the caller's buffer, characters it lacks as '?'; 0 for an
   unknown code. The caller owns both; 3 x units + 1 bytes always suffice. */
typedef uint8_t(STRCONV_CALL *StrConv_ConvertFromUnicode_t)(const char16_t *lpInput, int32_t nCode,
                                                            char **lpOutput, uint32_t nOutputSize);
/* nCount values (NULL reads as empty) as one CSV record without line end into the caller's buffer,
   quoting a value that holds the separator, '"', CR or LF; cut only between whole values. The
   separator may not be NUL, '"', CR or LF. The caller owns everything; 2 x units + 3 x nCount + 1
   units always suffice. */
typedef uint8_t(STRCONV_CALL *StrConv_CSVEncodeValues_t)(const char16_t *const *lpValues, uint32_t nCount,
                                                         char16_t cSeparator, char16_t **lpOutput,
                                                         uint32_t nOutputSize);
/* The values of one CSV record (a single final line end allowed) as a library-owned array of
   *lpCount NUL-terminated strings followed by NULL, in one block freed with StrConv_FreeMemory;
   NULL and *lpCount 0 for malformed input (an open quote, text after a closing quote, a second record)
   or a bad separator. The caller owns the input. */
typedef char16_t **(STRCONV_CALL *StrConv_CSVDecodeValues_t)(const char16_t *lpInput, char16_t cSeparator,
                                                             uint32_t *lpCount);
/* UTF-16 to UTF-16 with named (&amp; &lt; &gt; &quot; &apos; &nbsp; ...) and numeric (&#261; &#x105;)
   references decoded into the caller's buffer; unknown or unterminated ones stay as written, numeric
   ones outside Unicode become U+FFFD. The caller owns both; units + 1 units always suffice. */
typedef uint8_t(STRCONV_CALL *StrConv_FilterEntitiesOut_t)(const char16_t *lpInput, char16_t **lpOutput,
                                                           uint32_t nOutputSize);
/* nCount name/value pairs (a NULL value reads as empty) as an application/x-www-form-urlencoded
   body of UTF-8 (a=1&b=x+y) into the caller's buffer. The caller owns everything; 9 x units +
   2 x nCount + 1 bytes always suffice. */
typedef uint8_t(STRCONV_CALL *StrConv_EncodeHttpPost_t)(const char16_t *const *lpNames,
                                                        const char16_t *const *lpValues, uint32_t nCount,
                                                        char **lpOutput, uint32_t nOutputSize);
/* nInputSize bytes as padded standard Base64 text without line breaks into the caller's buffer,
   cut only between whole 4-character groups. The caller owns both; see
   StrConv_GetBase64EncodeOutputSize for the capacity. */
typedef uint8_t(STRCONV_CALL *StrConv_Base64Encode_t)(const uint8_t *lpInput, uint32_t nInputSize,
                                                      char **lpOutput, uint32_t nOutputSize);
/* Standard Base64 text (blanks and line breaks skipped, padding optional) as bytes, not terminated,
   into the caller's buffer. 1 with *lpOutputLength = bytes written; 0 with *lpOutputLength = bytes
   needed when the buffer is too small (nothing written), 0 with 0 for text that is not Base64.
   The caller owns everything. */
typedef uint8_t(STRCONV_CALL *StrConv_Base64Decode_t)(const char *lpInput, uint8_t **lpOutput,
                                                      uint32_t nOutputSize, uint32_t *lpOutputLength);
/* The capacity StrConv_Base64Encode needs for nInputSize bytes, NUL included; 0 when it does not
   fit in 32 bits. Owns nothing. */
typedef uint32_t(STRCONV_CALL *StrConv_GetBase64EncodeOutputSize_t)(uint32_t nInputSize);
/* Frees memory the library returned (StrConv_CSVDecodeValues); NULL is allowed. The library owned it. */
typedef void(STRCONV_CALL *StrConv_FreeMemory_t)(void *lpMemory);

/* The entry points themselves, seen only when the library is built (the program holds pointers of
   the same names). Each has the contract of its typedef above. */
#if defined(STRCONV_LIBRARY)
STRCONV_API uint8_t STRCONV_CALL StrConv_UTF8ToUnicode(const char *lpInput, char16_t **lpOutput,
                                                       uint32_t nOutputSize);
STRCONV_API uint8_t STRCONV_CALL StrConv_UnicodeToUTF8(const char16_t *lpInput, char **lpOutput,
                                                       uint32_t nOutputSize);
STRCONV_API uint8_t STRCONV_CALL StrConv_FilterEntitiesIn(const char16_t *lpInput, char16_t **lpOutput,
                                                          uint32_t nOutputSize, uint8_t EntTypes);
STRCONV_API int32_t STRCONV_CALL StrConv_CharsetToCode(const char *lpCharset);
STRCONV_API const char *STRCONV_CALL StrConv_CodeToCharset(int32_t nCode);
STRCONV_API int32_t STRCONV_CALL StrConv_FindCharset(const char *lpText);
STRCONV_API uint8_t STRCONV_CALL StrConv_AsciiToUnicode(const char *lpInput, char16_t **lpOutput,
                                                        uint32_t nOutputSize);
STRCONV_API uint8_t STRCONV_CALL StrConv_UnicodeToAscii(const char16_t *lpInput, char **lpOutput,
                                                        uint32_t nOutputSize);
STRCONV_API uint8_t STRCONV_CALL StrConv_ConvertToUnicode(const char *lpInput, int32_t nCode,
                                                          char16_t **lpOutput, uint32_t nOutputSize);
STRCONV_API uint8_t STRCONV_CALL StrConv_ConvertFromUnicode(const char16_t *lpInput, int32_t nCode,
                                                            char **lpOutput, uint32_t nOutputSize);
STRCONV_API uint8_t STRCONV_CALL StrConv_CSVEncodeValues(const char16_t *const *lpValues, uint32_t nCount,
                                                         char16_t cSeparator, char16_t **lpOutput,
                                                         uint32_t nOutputSize);
STRCONV_API char16_t **STRCONV_CALL StrConv_CSVDecodeValues(const char16_t *lpInput, char16_t cSeparator,
                                                            uint32_t *lpCount);
STRCONV_API uint8_t STRCONV_CALL StrConv_FilterEntitiesOut(const char16_t *lpInput, char16_t **lpOutput,
                                                           uint32_t nOutputSize);
STRCONV_API uint8_t STRCONV_CALL StrConv_EncodeHttpPost(const char16_t *const *lpNames,
                                                        const char16_t *const *lpValues, uint32_t nCount,
                                                        char **lpOutput, uint32_t nOutputSize);
STRCONV_API uint8_t STRCONV_CALL StrConv_Base64Encode(const uint8_t *lpInput, uint32_t nInputSize,
                                                      char **lpOutput, uint32_t nOutputSize);
STRCONV_API uint8_t STRCONV_CALL StrConv_Base64Decode(const char *lpInput, uint8_t **lpOutput,
                                                      uint32_t nOutputSize, uint32_t *lpOutputLength);
STRCONV_API uint32_t STRCONV_CALL StrConv_GetBase64EncodeOutputSize(uint32_t nInputSize);
STRCONV_API void STRCONV_CALL StrConv_FreeMemory(void *lpMemory);
#endif

#ifdef __cplusplus
}
#endif

#endif
