#include "xml/xmlDocumentWriter.h"

#include <cstring>
#include <ostream>

#include "core/apStringCPEncoding.h"
#include "xml/xmlDeclaration.h"
#include "xml/xmlDocument.h"
#include "xml/xmlSerializer.h"
#include "xml/xmlWideUnits.h"

namespace {

using kinds = apEncodingDescriptor;

// A code-page line longer than this fails the save.
const size_t kLongestCodePageLine = 1024;

// Clears the document's flag to expand entity references for as long as it
// lives, and sets it back even when an allocation failure cuts the save short.
class Unexpanded {
public:
    explicit Unexpanded(xmlDocument* document) : document_(document), flag_(document->expand_entity_references())
    {
        document_->set_expand_entity_references(0);
    }
    ~Unexpanded() { document_->set_expand_entity_references(flag_); }
    Unexpanded(const Unexpanded&) = delete;
    Unexpanded& operator=(const Unexpanded&) = delete;

private:
    xmlDocument* document_;
    unsigned int flag_;
};

} // namespace

xmlDocumentWriter::xmlDocumentWriter(xmlDocument* document)
    : document_(document), encoding_(declared_encoding(document))
{
    if (document_->encoding().kind() != kinds::kind_none && has_non_ascii())
        set_encoding(document_->encoding());
}

apString xmlDocumentWriter::unexpanded_text() const
{
    const Unexpanded unexpanded(document_);
    return document_->serialize();
}

bool xmlDocumentWriter::has_non_ascii() const
{
    // A code point above U+007F is exactly what gives UTF-8 bytes from 0x80.
    const Unexpanded unexpanded(document_);
    return xml_serializes_non_ascii(document_);
}

void xmlDocumentWriter::set_encoding(const apEncodingDescriptor& encoding)
{
    encoding_ = encoding;
    set_declared_encoding(document_, encoding);
}

void xmlDocumentWriter::set_encoding_by_name(const utString& name)
{
    apEncodingDescriptor named = apEncodingDescriptor::from_name(name);
    if (named.kind() != kinds::kind_none)
        set_encoding(named);
}

bool xmlDocumentWriter::write(std::ostream& out)
{
    if (encoding_.kind() == kinds::kind_none) {
        if (has_non_ascii())
            set_encoding_by_name(ut_lit("utf-8"));
    } else if (encoding_ != declared_encoding(document_)) {
        set_encoding(encoding_);
    }
    const bool utf8 = encoding_.kind() == kinds::kind_none || encoding_.kind() == kinds::kind_utf8;
    // Straight to the stream, unless a field width asks << to pad the text.
    if (utf8 && out.width() == 0) {
        {
            const Unexpanded unexpanded(document_);
            xml_serialize_utf8(document_, out);
        }
        out << std::endl;
        return true;
    }
    apString text = unexpanded_text();

    switch (encoding_.kind()) {
    case kinds::kind_none:
    case kinds::kind_utf8: {
        const char* utf8_text = text.utf8_str();
        out << (utf8_text ? utf8_text : "") << std::endl;
        return true;
    }
    case kinds::kind_code_page:
        return write_code_page(out, text);
    case kinds::kind_utf16:
        xmlunits::write_utf16be(out, text);
        return true;
    case kinds::kind_utf16le:
        text.write_utf16le(out);
        return true;
    case kinds::kind_utf32:
        xmlunits::write_utf32be(out, text);
        return true;
    case kinds::kind_utf32le:
        xmlunits::write_utf32le(out, text);
        return true;
    default:
        return false;
    }
}

// Line by line, each line followed by a line end. Splitting follows
// utString::next_token on "\n" (runs of line feeds count as one separator,
// leading and trailing ones as none), done in one walk because next_token
// copies the whole remainder on every call.
bool xmlDocumentWriter::write_code_page(std::ostream& out, const apString& text) const
{
    if (encoding_.code_page() < 1)
        return false;
    int ignored = 0;
    utString bytes = apStringCPEncoding(encoding_.code_page()).encode(text, &ignored);
    const char* p = bytes.c_str();
    if (p == nullptr)
        return true;
    const char* end = p + bytes.length();
    for (;;) {
        while (p < end && *p == '\n')
            ++p;
        if (p == end)
            return true;
        const char* line_end = static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (line_end == nullptr)
            line_end = end;
        size_t length = static_cast<size_t>(line_end - p);
        if (length > kLongestCodePageLine)
            return false;
        out.write(p, static_cast<std::streamsize>(length));
        out << std::endl;
        p = line_end;
    }
}
