// A tree as one string, for comparing two trees in one step: every node's
// type, name and value in document order, with the nesting spelled out.
// Text is compared without white space at its two ends, and white-space-only
// text not at all: the serializer puts line breaks and indentation between
// an element's children and before its end tag, which a reader then finds
// at the edges of the text beside them.
#ifndef QEL_FUZZ_XMLTREETEXT_H
#define QEL_FUZZ_XMLTREETEXT_H

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/apString.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlEntity.h"
#include "xml/xmlNamedNodeMap.h"
#include "xml/xmlNode.h"
#include "xml/xmlSerializer.h"
#include "fuzzTarget.h"

namespace fuzztree {

// Text cannot tell a null value from an empty one: both are written as
// nothing.
inline void append(std::string& out, const apString& s)
{
    out += '"';
    if (!s.is_null())
        out += s.utf8_str();
    out += '"';
}

inline bool is_space(apString::codepoint c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

inline apString trimmed(const apString& s)
{
    size_t from = 0, to = s.length();
    while (from < to && is_space(s[from]))
        ++from;
    while (to > from && is_space(s[to - 1]))
        --to;
    int error = 0;
    return apString(s.data() + from, to - from, &error);
}

inline void node_text(const xmlNode* node, std::string& out)
{
    // Values are compared as written. The writer leaves a reference that
    // text already holds as it is ("&amp;" as text reads back as "&"), and
    // a processing instruction's data is written escaped but read back as
    // written.
    const apString value = node->node_type() == 3   ? escape_attribute(trimmed(node->stored_value()))
                           : node->node_type() == 2 ? escape_attribute(node->node_value())
                           : node->node_type() == 7 ? escape_text(node->stored_value())
                                                    : node->stored_value();
    if (node->node_type() == 3 && value.is_empty())
        return;
    out += std::to_string(node->node_type());
    append(out, node->node_name());
    append(out, value);
    if (const xmlNamedNodeMap* attributes = node->attributes())
        for (int i = 0; i < attributes->length(); ++i)
            node_text(attributes->item(i), out);
    // A reference's children are its entity's: the entity is written once.
    if (node->node_type() == 5)
        return;
    out += '{';
    // A document type is always read in as the document's first child,
    // wherever it stood when the document was written; of several, each
    // goes before the ones read earlier. So they come first, in an order
    // of their own.
    if (node->node_type() == 9) {
        std::vector<std::string> types;
        for (const xmlNode* child = node->first_child(); child; child = child->next_sibling())
            if (child->node_type() == 10) {
                types.emplace_back();
                node_text(child, types.back());
            }
        std::sort(types.begin(), types.end());
        for (const std::string& type : types)
            out += type;
    }
    for (const xmlNode* child = node->first_child(); child; child = child->next_sibling())
        if (node->node_type() != 9 || child->node_type() != 10)
            node_text(child, out);
    out += '}';
}

inline std::string tree_text(const xmlNode* node)
{
    std::string out;
    node_text(node, out);
    return out;
}

inline bool has_any(const apString& s, const char* set)
{
    for (size_t i = 0; i < s.length(); ++i)
        for (const char* c = set; *c; ++c)
            if (s[i] == static_cast<unsigned char>(*c))
                return true;
    return false;
}

// Whether the document type can be written so that it reads back: the
// writer puts identifiers and entity values between double quotes as they
// are, so a double quote inside one (read from single quotes) ends it early,
// and the reader takes the internal subset to end at its first "]", so one
// inside an entity ends the subset early.
inline bool quotable_document_type(const xmlNode* document)
{
    for (const xmlNode* child = document->first_child(); child; child = child->next_sibling()) {
        if (child->node_type() != 10)
            continue;
        const xmlDocumentType* type = static_cast<const xmlDocumentType*>(child);
        if (has_any(type->public_id(), "\"") || has_any(type->system_id(), "\""))
            return false;
        const xmlNamedNodeMap* entities = type->entities();
        for (int i = 0; entities && i < entities->length(); ++i) {
            const xmlEntity* entity = static_cast<const xmlEntity*>(entities->item(i));
            if (has_any(entity->public_id(), "\"]") || has_any(entity->system_id(), "\"]") ||
                has_any(entity->notation_name(), "]"))
                return false;
            for (const xmlNode* part = entity->first_child(); part; part = part->next_sibling())
                if (has_any(part->serialize(), "\"]"))
                    return false;
        }
    }
    return true;
}

// Both trees, when they differ, go to the error output before the check
// stops the run: the difference is what a finding needs.
inline void check_same(const xmlNode* expected, const xmlNode* found, const char* what)
{
    const std::string a = tree_text(expected), b = tree_text(found);
    if (a != b)
        std::fprintf(stderr, "expected: %s\nfound:    %s\n", a.c_str(), b.c_str());
    fuzz_check(a == b, what);
}

} // namespace fuzztree

#endif
