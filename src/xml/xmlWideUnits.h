// Text as 16- and 32-bit code units in a chosen byte order, both ways: the
// unit forms a document can be saved in and loaded from. None of them writes
// or expects a byte order mark.
#ifndef QEL_XML_XMLWIDEUNITS_H
#define QEL_XML_XMLWIDEUNITS_H

#include <cstddef>
#include <iosfwd>

#include "core/apString.h"

namespace xmlunits {

// UTF-16, high byte first.
void write_utf16be(std::ostream& out, const apString& text);
// Code points as 32-bit units, high byte first or low byte first.
void write_utf32be(std::ostream& out, const apString& text);
void write_utf32le(std::ostream& out, const apString& text);

// `byte_count / 2` big-endian UTF-16 units; an odd last byte is ignored.
// *ok becomes false when a surrogate is unpaired. The text ends at a 0 unit.
apString read_utf16be(const unsigned char* bytes, size_t byte_count, bool* ok);
// `byte_count / 4` big-endian 32-bit units taken as code points unchecked.
// The text ends at a 0 unit.
apString read_utf32be(const unsigned char* bytes, size_t byte_count);

} // namespace xmlunits

#endif
