// POSIX has no Windows code pages. The single-byte ones this library names
// come from tables generated on Windows, so they convert exactly as there
// (best fit and the default-character report included); the multi-byte ones
// come from iconv, without Windows' best-fit mappings.
#include "core/codePage.h"

#include "core/posix/iconvCodePage.h"
#include "core/posix/singleByteTable.h"

namespace codepage {

namespace {

// Windows refuses MB_ERR_INVALID_CHARS for its ISO-2022 code pages.
bool refuses_strict_decoding(unsigned int cp)
{
    return cp == 50225;
}

unsigned int resolve(unsigned int cp)
{
    return cp == 0 ? ansi_code_page() : cp;
}

} // namespace

int to_utf16(unsigned int cp, const char* bytes, apWchar* out, int capacity)
{
    cp = resolve(cp);
    if (capacity < 0 || refuses_strict_decoding(cp))
        return 0;
    if (const singleByteTable* table = single_byte_table(cp))
        return single_byte_to_utf16(*table, bytes, out, capacity);
    if (const char* charset = iconv_charset(cp))
        return iconv_to_utf16(charset, bytes, out, capacity);
    return 0;
}

int from_utf16(unsigned int cp, const apWchar* text, char* out, int capacity, int* used_default)
{
    cp = resolve(cp);
    if (used_default)
        *used_default = 0;
    if (capacity < 0)
        return 0;
    if (const singleByteTable* table = single_byte_table(cp))
        return single_byte_from_utf16(*table, text, out, capacity, used_default);
    if (const char* charset = iconv_charset(cp))
        return iconv_from_utf16(charset, text, out, capacity, used_default);
    return 0;
}

unsigned int ansi_code_page()
{
    return 1252;
}

} // namespace codepage
