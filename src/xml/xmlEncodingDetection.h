// Deciding the encoding of a document's bytes before they are decoded: a
// byte order mark, the shape a leading "<" takes, and the encoding named on
// the first line.
#ifndef QEL_XML_XMLENCODINGDETECTION_H
#define QEL_XML_XMLENCODINGDETECTION_H

#include <cstddef>

#include "core/apEncodingDescriptor.h"

// Kinds that only detection produces: 32-bit units whose bytes arrive in the
// order 2 1 4 3 and 3 4 1 2. Nothing can decode them.
constexpr unsigned int xml_kind_ucs4_2143 = 8;
constexpr unsigned int xml_kind_ucs4_3412 = 9;

// `bytes` holds `count` bytes; it need not be terminated. Kind 0 means the
// bytes cannot be decided.
void detect_xml_encoding(const unsigned char* bytes, size_t count, apEncodingDescriptor* encoding,
                         int* bom_length);

#endif
