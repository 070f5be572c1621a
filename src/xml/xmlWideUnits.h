// Text as 16- and 32-bit code units in a chosen byte order: the unit forms
// a document can be saved in. None of them writes a byte order mark.
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

} // namespace xmlunits

#endif
