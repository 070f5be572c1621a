// A single-byte Windows code page as a table taken from Windows itself
// (tools/cpgen), so that the POSIX build converts it byte for byte alike.
#ifndef QEL_CORE_POSIX_SINGLEBYTETABLE_H
#define QEL_CORE_POSIX_SINGLEBYTETABLE_H

#include <cstddef>
#include <cstdint>

#include "core/codePage.h" // apWchar of the platform built for: the Windows tests compile these too

namespace codepage {

struct singleByteEntry {
    std::uint16_t unit;
    std::uint8_t byte;
};

struct singleByteTable {
    unsigned int code_page;
    unsigned char default_char;
    // The unit of each byte; 0 for a byte the code page leaves undefined.
    const std::uint16_t* decode;
    // Units that convert without the default character, sorted by unit.
    const singleByteEntry* encode;
    std::size_t encode_count;
};

// codepage::to_utf16 and codepage::from_utf16 over a table.
int single_byte_to_utf16(const singleByteTable& table, const char* bytes, apWchar* out, int capacity);
int single_byte_from_utf16(const singleByteTable& table, const apWchar* text, char* out, int capacity,
                           int* used_default);

} // namespace codepage

#endif
