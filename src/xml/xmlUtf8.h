// The parser reads UTF-8 and makes code points only for the names and
// values it keeps. Its text is valid UTF-8 from a file, or encoded here from
// code points; the latter may be any 32-bit value (32-bit input is taken
// unchecked), so the longer lead bytes 0xF8, 0xFC and 0xFE carry up to 26,
// 31 and 36 bits. Every function here takes such text as already sound.
#ifndef QEL_XML_XMLUTF8_H
#define QEL_XML_XMLUTF8_H

#include <cstddef>
#include <cstdint>

#include "core/apString.h"

namespace xmlutf8 {

using codepoint = apString::codepoint;

inline bool is_continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The bytes of the character whose lead byte is `lead`.
inline size_t sequence_length(unsigned char lead)
{
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : lead < 0xFC ? 5 : lead < 0xFE ? 6 : 7;
}

// The character at `p`, of `length` bytes (sequence_length of its lead).
inline codepoint decode(const unsigned char* p, size_t length)
{
    if (length == 1)
        return *p;
    // The lead keeps 7 - length bits (none for the 7-byte form).
    codepoint c = length < 7 ? (*p & (0x7Fu >> length)) : 0;
    for (size_t k = 1; k < length; ++k)
        c = (c << 6) | (p[k] & 0x3F);
    return c;
}

// Bytes `c` takes, and writes them at `out`; answers the end.
size_t width(codepoint c);
unsigned char* encode(codepoint c, unsigned char* out);

// Characters in `count` bytes.
size_t count_characters(const unsigned char* p, size_t count);

// The `count` bytes at `p` as a string; the empty string for none.
apString to_string(const unsigned char* p, size_t count);

// Whether the `count` bytes at `p` spell `text`.
bool spells(const apString& text, const unsigned char* p, size_t count);

// Line and column (from 1, in characters) of byte `offset` of `p`.
void position(const unsigned char* p, size_t offset, int* line, int* column);

} // namespace xmlutf8

#endif
