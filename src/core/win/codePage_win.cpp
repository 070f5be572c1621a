// Windows converts code pages itself.
#include "core/codePage.h"

#include <windows.h>

namespace codepage {

int to_utf16(unsigned int cp, const char* bytes, apWchar* out, int capacity)
{
    return MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, bytes, -1, out, capacity);
}

int from_utf16(unsigned int cp, const apWchar* text, char* out, int capacity, int* used_default)
{
    BOOL used = FALSE;
    int n = WideCharToMultiByte(cp, 0, text, -1, out, capacity, nullptr,
                                used_default ? &used : nullptr);
    if (used_default)
        *used_default = used ? 1 : 0;
    return n;
}

unsigned int ansi_code_page()
{
    return GetACP();
}

} // namespace codepage
