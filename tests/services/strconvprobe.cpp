// A stand-in for strconv.so: records what its caller hands over and answers in a chosen way.
// Built once as the probe and once per entry point with PROBE_OMIT_<name>, lacking that name.

#include "strconv.h"

#include <cstdint>
#include <string>

namespace {

// How the three text entry points answer.
enum TProbeMode { EchoMode = 0, FillWithoutNulMode = 1, MovePointerMode = 2 };

int Mode = EchoMode;
int Calls = 0;
uint32_t LastCapacity = 0;
std::u16string LastInput;

template <typename In, typename Out>
uint8_t Answer(const In *lpInput, Out **lpOutput, uint32_t nOutputSize)
{
    ++Calls;
    LastCapacity = nOutputSize;
    LastInput.clear();
    for (const In *p = lpInput; *p; ++p)
        LastInput.push_back(char16_t(static_cast<std::make_unsigned_t<In>>(*p)));
    Out *buffer = *lpOutput;
    if (Mode == FillWithoutNulMode) {
        for (uint32_t i = 0; i < nOutputSize; ++i)
            buffer[i] = Out('x');
        return 1;
    }
    uint32_t n = 0;
    for (; n + 1 < nOutputSize && n < LastInput.size(); ++n)
        buffer[n] = Out(LastInput[n]);
    buffer[n] = Out(0);
    if (Mode == MovePointerMode)
        *lpOutput = nullptr;
    return 1;
}

} // namespace

extern "C" {

STRCONV_API void Probe_SetMode(int mode)
{
    Mode = mode;
    Calls = 0;
    LastCapacity = 0;
    LastInput.clear();
}

STRCONV_API int Probe_Calls()
{
    return Calls;
}

STRCONV_API uint32_t Probe_LastCapacity()
{
    return LastCapacity;
}

// The last text input, each byte or unit widened to one UTF-16 unit; owned by the probe.
STRCONV_API const char16_t *Probe_LastInput()
{
    return LastInput.c_str();
}

#ifndef PROBE_OMIT_StrConv_UTF8ToUnicode
uint8_t STRCONV_CALL StrConv_UTF8ToUnicode(const char *lpInput, char16_t **lpOutput, uint32_t nOutputSize)
{
    return Answer(lpInput, lpOutput, nOutputSize);
}
#endif
#ifndef PROBE_OMIT_StrConv_UnicodeToUTF8
uint8_t STRCONV_CALL StrConv_UnicodeToUTF8(const char16_t *lpInput, char **lpOutput, uint32_t nOutputSize)
{
    return Answer(lpInput, lpOutput, nOutputSize);
}
#endif
#ifndef PROBE_OMIT_StrConv_FilterEntitiesIn
uint8_t STRCONV_CALL StrConv_FilterEntitiesIn(const char16_t *lpInput, char16_t **lpOutput,
                                              uint32_t nOutputSize, uint8_t)
{
    return Answer(lpInput, lpOutput, nOutputSize);
}
#endif
#ifndef PROBE_OMIT_StrConv_CharsetToCode
int32_t STRCONV_CALL StrConv_CharsetToCode(const char *)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_CodeToCharset
const char *STRCONV_CALL StrConv_CodeToCharset(int32_t)
{
    return nullptr;
}
#endif
#ifndef PROBE_OMIT_StrConv_FindCharset
int32_t STRCONV_CALL StrConv_FindCharset(const char *)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_AsciiToUnicode
uint8_t STRCONV_CALL StrConv_AsciiToUnicode(const char *, char16_t **, uint32_t)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_UnicodeToAscii
uint8_t STRCONV_CALL StrConv_UnicodeToAscii(const char16_t *, char **, uint32_t)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_ConvertToUnicode
uint8_t STRCONV_CALL StrConv_ConvertToUnicode(const char *, int32_t, char16_t **, uint32_t)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_ConvertFromUnicode
uint8_t STRCONV_CALL StrConv_ConvertFromUnicode(const char16_t *, int32_t, char **, uint32_t)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_CSVEncodeValues
uint8_t STRCONV_CALL StrConv_CSVEncodeValues(const char16_t *const *, uint32_t, char16_t, char16_t **,
                                             uint32_t)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_CSVDecodeValues
char16_t **STRCONV_CALL StrConv_CSVDecodeValues(const char16_t *, char16_t, uint32_t *)
{
    return nullptr;
}
#endif
#ifndef PROBE_OMIT_StrConv_FilterEntitiesOut
uint8_t STRCONV_CALL StrConv_FilterEntitiesOut(const char16_t *, char16_t **, uint32_t)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_EncodeHttpPost
uint8_t STRCONV_CALL StrConv_EncodeHttpPost(const char16_t *const *, const char16_t *const *, uint32_t,
                                            char **, uint32_t)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_Base64Encode
uint8_t STRCONV_CALL StrConv_Base64Encode(const uint8_t *, uint32_t, char **, uint32_t)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_Base64Decode
uint8_t STRCONV_CALL StrConv_Base64Decode(const char *, uint8_t **, uint32_t, uint32_t *)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_GetBase64EncodeOutputSize
uint32_t STRCONV_CALL StrConv_GetBase64EncodeOutputSize(uint32_t)
{
    return 0;
}
#endif
#ifndef PROBE_OMIT_StrConv_FreeMemory
void STRCONV_CALL StrConv_FreeMemory(void *) {}
#endif

} // extern "C"
