// Saves a document: picks the output encoding, keeps the XML declaration in
// step with it, and writes the serialized text as bytes of that encoding.
// Made for one save: construct it on the document, call write() once. Both
// may insert or rewrite the declaration as the document's first child.
#ifndef QEL_XML_XMLDOCUMENTWRITER_H
#define QEL_XML_XMLDOCUMENTWRITER_H

#include <iosfwd>

#include "core/apEncodingDescriptor.h"
#include "core/apString.h"
#include "core/utString.h"

class xmlDocument;

class xmlDocumentWriter {
public:
    // The encoding the declaration names; the document's own encoding instead
    // when that is set and the text needs more than ASCII.
    explicit xmlDocumentWriter(xmlDocument* document);

    // Whether the serialized document has any character above U+007F.
    bool has_non_ascii() const;
    void set_encoding(const apEncodingDescriptor& encoding);
    // Ignores a name that names no known encoding.
    void set_encoding_by_name(const utString& name);

    // False for a code page below 1 and for a code-page line longer than
    // 1024 bytes; stream errors are the caller's to check.
    bool write(std::ostream& out);

    const apEncodingDescriptor& encoding() const { return encoding_; }

private:
    // The document's text with entity references written as references.
    apString unexpanded_text() const;
    bool write_code_page(std::ostream& out, const apString& text) const;

    xmlDocument* document_;
    apEncodingDescriptor encoding_;
};

#endif
