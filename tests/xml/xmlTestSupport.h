// Small helpers shared by the XML test files: documents owned by a smart
// pointer, texts as UTF-8, loading from bytes, and a compact picture of a
// tree, so that a structure is checked in one comparison:
//
//   element     name[attr=value,...]{child,child}
//   text        "text"            CDATA section   CDATA"text"
//   comment     !"text"           reference       &name
//   PI          ?target"data"     document type   DOCTYPE name
#ifndef QEL_TEST_XMLTESTSUPPORT_H
#define QEL_TEST_XMLTESTSUPPORT_H

#include <memory>
#include <sstream>
#include <string>

#include "core/apEncodingDescriptor.h"
#include "core/apString.h"
#include "xml/xmlDocument.h"
#include "xml/xmlElement.h"
#include "xml/xmlNamedNodeMap.h"
#include "xml/xmlParser.h"

namespace xmltest {

using DocumentPtr = std::unique_ptr<xmlDocument>;

const apEncodingDescriptor kUtf8 = apEncodingDescriptor::from_kind(apEncodingDescriptor::kind_utf8);

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

inline std::string picture(const xmlNode* node)
{
    auto children = [node](const char* open, const char* close) {
        std::string out;
        for (const xmlNode* c = node->first_child(); c != nullptr; c = c->next_sibling())
            out += (out.empty() ? "" : ",") + picture(c);
        return out.empty() ? out : open + out + close;
    };
    switch (node->node_type()) {
    case ELEMENT_NODE: {
        std::string attrs;
        const xmlNamedNodeMap* map = node->attributes();
        for (int i = 0; i < map->length(); ++i)
            attrs += (i ? "," : "") + utf8(map->item(i)->node_name()) + "=" + utf8(map->item(i)->node_value());
        return utf8(node->node_name()) + (attrs.empty() ? "" : "[" + attrs + "]") + children("{", "}");
    }
    case TEXT_NODE:
        return "\"" + utf8(node->node_value()) + "\"";
    case CDATA_SECTION_NODE:
        return "CDATA\"" + utf8(node->node_value()) + "\"";
    case COMMENT_NODE:
        return "!\"" + utf8(node->node_value()) + "\"";
    case PROCESSING_INSTRUCTION_NODE:
        return "?" + utf8(node->node_name()) + "\"" + utf8(node->node_value()) + "\"";
    case ENTITY_REFERENCE_NODE:
        return "&" + utf8(node->node_name());
    case DOCUMENT_TYPE_NODE:
        return "DOCTYPE " + utf8(node->node_name());
    default:
        return children("", "");
    }
}

// The document parsed from UTF-8 text; null when the text does not parse.
inline DocumentPtr parse(const std::string& text)
{
    DocumentPtr document = new_document(kUtf8);
    xmlParser parser;
    if (!parser.parse(document.get(), apString(text.c_str())))
        return nullptr;
    return document;
}

} // namespace xmltest

#endif
