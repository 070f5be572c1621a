// The C runtime's wide-character classes that decide XML names and digits:
// iswalpha, iswalnum and iswdigit on one character, which Windows takes as
// a 16-bit unit. The POSIX side answers from tables taken from Windows, so
// that a document reads the same on both.
#ifndef QEL_XML_XMLCHARCLASS_H
#define QEL_XML_XMLCHARCLASS_H

#include "core/apString.h"

bool xml_is_letter(apString::codepoint c);
bool xml_is_alnum(apString::codepoint c);
bool xml_is_digit(apString::codepoint c);

#endif
