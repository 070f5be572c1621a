// The XML declaration as the holder of a document's encoding name: the
// processing instruction with target "xml" that stands first in the document.
#ifndef QEL_XML_XMLDECLARATION_H
#define QEL_XML_XMLDECLARATION_H

#include "core/apEncodingDescriptor.h"

class xmlDocument;

// The encoding the declaration names; kind 0 without a declaration, without
// an encoding="..." in it, or for a name that is not known.
apEncodingDescriptor declared_encoding(const xmlDocument* document);

// Makes the declaration name the descriptor's encoding: the name in an
// existing declaration is replaced (or added when it has none); without a
// declaration a new one becomes the first child.
void set_declared_encoding(xmlDocument* document, const apEncodingDescriptor& encoding);

#endif
