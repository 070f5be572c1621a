// The rules for "&...;" references shared by the parser and the
// serializer, and the process-wide table of the five predefined entities.
#ifndef QEL_XML_XMLREFERENCE_H
#define QEL_XML_XMLREFERENCE_H

#include "core/apString.h"
#include "core/coTable.h"

// "lt", "gt", "amp", "quot" and "apos" with their characters; filled on
// first use whenever it is empty.
apStringapStringcoTablePcoSet& xml_predefined_entities();

// Whether the text, from "&" to ";", is a reference the library resolves:
// a predefined name, or "#" with two or three decimal digits.
bool is_valid_reference(const apString& text);

// The replacement text of a reference name (what stands between "&" and
// ";"): a predefined entity's value, or for "#" and two or three
// characters the one 16-bit character of that decimal number; otherwise
// the null string.
apString resolve_reference(const apString& name);
// The same for the whole text from "&" to ";"; null when either is missing.
apString resolve_reference_text(const apString& text);

// The one character the `length` code points of a name stand for, when
// the name is one the library resolves (the two rules above, without a
// string made on the way); false otherwise. Character 0 resolves to the
// empty text, as a string holding it is cut there.
bool xml_reference_character(const apString::codepoint* name, size_t length, apString::codepoint* character);

#endif
