// A double-byte Windows code page as tables taken from Windows itself
// (tools/cpgen), so that the POSIX build converts it as Windows does: best
// fit, user-defined areas and the bytes Windows refuses included.
#ifndef QEL_CORE_POSIX_DOUBLEBYTETABLE_H
#define QEL_CORE_POSIX_DOUBLEBYTETABLE_H

#include <cstddef>
#include <cstdint>

#include "core/codePage.h" // apWchar of the platform built for: the Windows tests compile these too

namespace codepage {

// Codes first..last map to consecutive values from `value`, or, when
// `pooled`, to pool[value + code - first], where 0 stands for no value.
struct codeRun {
    std::uint16_t first;
    std::uint16_t last;
    std::uint16_t value;
    std::uint16_t pooled;
};

// Sorted, disjoint runs over 16-bit codes.
struct codeRuns {
    const codeRun* runs;
    std::size_t count;
    // For each high byte h, the first run that ends at or after h * 256, so
    // that a lookup searches only the few runs of its high byte.
    const std::uint16_t* index;
    const std::uint16_t* pool;
};

struct doubleByteTable {
    unsigned int code_page;
    unsigned char default_char;
    // Inclusive ranges of lead bytes, in pairs, ended by a 0.
    unsigned char lead_bytes[12];
    // Byte codes (a byte, or lead byte * 256 + trail byte) -> UTF-16 units;
    // a code without a unit is refused.
    codeRuns decode;
    // UTF-16 units -> byte codes; a unit without a code becomes the default
    // character.
    codeRuns encode;
};

// codepage::to_utf16 and codepage::from_utf16 over a table.
int double_byte_to_utf16(const doubleByteTable& table, const char* bytes, apWchar* out, int capacity);
int double_byte_from_utf16(const doubleByteTable& table, const apWchar* text, char* out, int capacity,
                           int* used_default);

} // namespace codepage

#endif
