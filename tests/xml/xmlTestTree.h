// Helpers for the XML tests: a fresh document and a compact picture of a
// tree, so that a structure is checked in one comparison.
//
//   element     name[attr=value,...]{child,child}
//   text        "text"            CDATA section   CDATA"text"
//   comment     !"text"           reference       &name
//   PI          ?target"data"     document type   DOCTYPE name
#ifndef QEL_TESTS_XML_XMLTESTTREE_H
#define QEL_TESTS_XML_XMLTESTTREE_H

#include <memory>
#include <string>

#include "core/apEncodingDescriptor.h"
#include "xml/xmlDocument.h"
#include "xml/xmlElement.h"
#include "xml/xmlNamedNodeMap.h"

inline std::unique_ptr<xmlDocument> new_document()
{
    return std::unique_ptr<xmlDocument>(new xmlDocument(apEncodingDescriptor::from_kind(3)));
}

inline std::string u8(const apString& s)
{
    return s.is_null() ? std::string("<null>") : std::string(s.utf8_str());
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
            attrs += (i ? "," : "") + u8(map->item(i)->node_name()) + "=" + u8(map->item(i)->node_value());
        return u8(node->node_name()) + (attrs.empty() ? "" : "[" + attrs + "]") + children("{", "}");
    }
    case TEXT_NODE:
        return "\"" + u8(node->node_value()) + "\"";
    case CDATA_SECTION_NODE:
        return "CDATA\"" + u8(node->node_value()) + "\"";
    case COMMENT_NODE:
        return "!\"" + u8(node->node_value()) + "\"";
    case PROCESSING_INSTRUCTION_NODE:
        return "?" + u8(node->node_name()) + "\"" + u8(node->node_value()) + "\"";
    case ENTITY_REFERENCE_NODE:
        return "&" + u8(node->node_name());
    case DOCUMENT_TYPE_NODE:
        return "DOCTYPE " + u8(node->node_name());
    default:
        return children("", "");
    }
}

#endif
