// Small helpers shared by the XML test files: documents owned by a smart
// pointer, texts as UTF-8, and loading from bytes.
#ifndef QEL_TEST_XMLTESTSUPPORT_H
#define QEL_TEST_XMLTESTSUPPORT_H

#include <memory>
#include <sstream>
#include <string>

#include "core/apEncodingDescriptor.h"
#include "core/apString.h"
#include "xml/xmlDocument.h"
#include "xml/xmlParser.h"

namespace xmltest {

using DocumentPtr = std::unique_ptr<xmlDocument>;

inline DocumentPtr new_document(apEncodingDescriptor encoding = apEncodingDescriptor())
{
    return DocumentPtr(new xmlDocument(encoding));
}

// Each character of `ascii` as one unit of `width` bytes whose byte `at`
// holds it, the others 0: the shapes of the 16- and 32-bit encodings.
inline std::string spread(const std::string& ascii, size_t width, size_t at)
{
    std::string out;
    for (char c : ascii) {
        std::string unit(width, '\0');
        unit[at] = c;
        out += unit;
    }
    return out;
}

inline std::string utf16le(const std::u16string& text)
{
    std::string out;
    for (char16_t u : text) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
    return out;
}

inline std::string utf8(const apString& s)
{
    return s.is_null() ? std::string("<null>") : std::string(s.utf8_str());
}

struct Loaded {
    DocumentPtr document;
    unsigned int error;
};

inline Loaded load(const std::string& bytes)
{
    std::istringstream in(bytes);
    xmlParser parser;
    DocumentPtr document(parser.load_document(in));
    return Loaded{std::move(document), parser.error_code()};
}

// The document parsed from UTF-8 text; null when the text does not parse.
inline DocumentPtr parse(const std::string& text)
{
    DocumentPtr document = new_document(apEncodingDescriptor::from_kind(apEncodingDescriptor::kind_utf8));
    xmlParser parser;
    if (!parser.parse(document.get(), apString(text.c_str())))
        return nullptr;
    return document;
}

} // namespace xmltest

#endif
