// POSIX has no Windows code pages. The ones Windows converts come from
// tables generated on Windows, so they convert exactly as there (best fit
// and the default-character report included); the others are refused in
// both directions, as Windows refuses them.
#include "core/codePage.h"

#include "core/posix/codePageTables.h"

namespace codepage {

namespace {

unsigned int resolve(unsigned int cp)
{
    return cp == 0 ? ansi_code_page() : cp;
}

} // namespace

int to_utf16(unsigned int cp, const char* bytes, apWchar* out, int capacity)
{
    const codePageTable* table = code_page_table(resolve(cp));
    return table && capacity >= 0 ? table_to_utf16(*table, bytes, out, capacity) : 0;
}

int from_utf16(unsigned int cp, const apWchar* text, char* out, int capacity, int* used_default)
{
    if (used_default)
        *used_default = 0;
    const codePageTable* table = code_page_table(resolve(cp));
    return table && capacity >= 0 ? table_from_utf16(*table, text, out, capacity, used_default) : 0;
}

unsigned int ansi_code_page()
{
    return 1252;
}

} // namespace codepage
