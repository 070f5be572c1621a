// The code pages the POSIX build converts from generated tables.
#include "core/posix/singleByteTable.h"

namespace codepage {

namespace {
#include "core/posix/cp1252_table.inc"
} // namespace

const singleByteTable* single_byte_table(unsigned int cp)
{
    static const singleByteTable* const tables[] = {&kCodePage1252};
    for (const singleByteTable* table : tables)
        if (table->code_page == cp)
            return table;
    return nullptr;
}

} // namespace codepage
