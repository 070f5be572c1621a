// The generated tables of the code pages that core/codePageList.h marks as
// converted, through which the POSIX build converts them as Windows does.
#ifndef QEL_CORE_POSIX_CODEPAGETABLES_H
#define QEL_CORE_POSIX_CODEPAGETABLES_H

#include "core/posix/doubleByteTable.h"
#include "core/posix/singleByteTable.h"

namespace codepage {

// A page's table: exactly one of the two is set.
struct codePageTable {
    unsigned int code_page;
    const singleByteTable* single_byte;
    const doubleByteTable* double_byte;
};

// The generated table of a code page, or null when it has none.
const codePageTable* code_page_table(unsigned int cp);

// codepage::to_utf16 and codepage::from_utf16 over a table.
int table_to_utf16(const codePageTable& table, const char* bytes, apWchar* out, int capacity);
int table_from_utf16(const codePageTable& table, const apWchar* text, char* out, int capacity,
                     int* used_default);

} // namespace codepage

#endif
