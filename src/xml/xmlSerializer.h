// Writing nodes as XML text: the escaping of character data and attribute
// values, and the one walk behind every node kind's serialize().
#ifndef QEL_XML_XMLSERIALIZER_H
#define QEL_XML_XMLSERIALIZER_H

#include <iosfwd>

#include "core/apString.h"

class xmlNode;

// "&" becomes "&amp;" unless it starts a reference the library understands,
// which stays as written; "<" and ">" become "&lt;" and "&gt;".
apString escape_text(const apString& text);
// escape_text, and the two quotes become "&apos;" and "&quot;".
apString escape_attribute(const apString& text);

// The node's text as its serialize() gives it. The subtree is walked with a
// stack of its own into one growing array, so depth costs no call stack and
// the time is linear in the size of the result.
apString xml_serialize(const xmlNode* node);
// Writes xml_serialize(node) to the stream as UTF-8, without making it.
void xml_serialize_utf8(const xmlNode* node, std::ostream& out);
// Whether xml_serialize(node) would hold a character above U+007F; walks the
// same way without building the text.
bool xml_serializes_non_ascii(const xmlNode* node);

// Twice the number of elements whose children are being written: the
// process-wide indentation of the next child line.
int xml_indentation_depth();

#endif
