#include "core/posix/codePageTables.h"

namespace codepage {

namespace {
#include "core/posix/codePageTables.inc"
} // namespace

const codePageTable* code_page_table(unsigned int cp)
{
    for (const codePageTable& table : kTables)
        if (table.code_page == cp)
            return &table;
    return nullptr;
}

int table_to_utf16(const codePageTable& table, const char* bytes, apWchar* out, int capacity)
{
    return table.single_byte ? single_byte_to_utf16(*table.single_byte, bytes, out, capacity)
                             : double_byte_to_utf16(*table.double_byte, bytes, out, capacity);
}

int table_from_utf16(const codePageTable& table, const apWchar* text, char* out, int capacity,
                     int* used_default)
{
    return table.single_byte ? single_byte_from_utf16(*table.single_byte, text, out, capacity, used_default)
                             : double_byte_from_utf16(*table.double_byte, text, out, capacity, used_default);
}

} // namespace codepage
