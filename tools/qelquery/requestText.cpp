// What a request file carries, judged with the library's own code page
// conversion and loader (see libraryRules.h).
#include <cstdio>
#include <fstream>
#include <memory>

#include "core/apStringCPEncoding.h"
#include "core/coDList.h"
#include "files/apPath.h"
#include "libraryRules.h"
#include "xml/xmlDocument.h"
#include "xml/xmlElement.h"
#include "xml/xmlParser.h"

namespace {

// Equal texts; an element without text and one with empty text both hold "".
bool same_text(const apString& a, const apString& b)
{
    if (a.length() != b.length())
        return false;
    for (size_t i = 0; i < a.length(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

} // namespace

extern "C" unsigned long qq_unsendable_character(const char* text)
{
    int error = 0;
    const apString value(text, &error);
    if (error)
        return 0; // not UTF-8: the library refuses it with status 2 itself
    // A request with any character beyond ASCII is written in code page
    // 1252; what does not come back from there unchanged was replaced.
    const apStringCPEncoding code_page(1252);
    int lost = 0;
    const utString bytes = code_page.encode(value, &lost);
    int undecodable = 0;
    const apString back = code_page.decode(bytes.c_str(), &undecodable);
    for (size_t i = 0; i < value.length(); ++i)
        if (i >= back.length() || back[i] != value[i])
            return value[i];
    return 0;
}

extern "C" int qq_request_matches(const char* path, const char* root, int count, const char* const* pairs,
                                  char* why, size_t why_size)
{
    const apPath file{apString(path)};
    std::ifstream in(file.narrow().c_str(), std::ios::in | std::ios::binary);
    if (!in.good()) {
        std::snprintf(why, why_size, "the request file is gone: the program removed it; leave it in place");
        return 0;
    }
    xmlParser parser;
    std::unique_ptr<xmlDocument> document(parser.load_document(in));
    if (!document) {
        std::snprintf(why, why_size, "the request file no longer loads (error %u at line %d, column %d)",
                      parser.error_code(), parser.error_line(), parser.error_column());
        return 0;
    }
    xmlElement* element = document->document_element();
    if (element == nullptr || element->node_name() != apString(root)) {
        std::snprintf(why, why_size, "the request file's root element is no longer <%s>", root);
        return 0;
    }
    int elements = 0;
    const xmlNodeList* children = element->child_nodes();
    for (xmlNodecoDLink* link = children->first_link(); link; link = children->next_link(link))
        elements += link->read()->node_type() == ELEMENT_NODE;
    if (elements != count) {
        std::snprintf(why, why_size, "the request file holds %d parameters instead of %d", elements, count);
        return 0;
    }
    for (const char* const* pair = pairs; pair[0] != nullptr; pair += 2) {
        apString text;
        bool found = false;
        for (xmlNodecoDLink* link = children->first_link(); link && !found; link = children->next_link(link)) {
            xmlNode* child = link->read();
            found = child->node_type() == ELEMENT_NODE && child->node_name() == apString(pair[0]);
            if (found)
                text = child->text();
        }
        if (!found || !same_text(text, apString(pair[1]))) {
            std::snprintf(why, why_size, "the request file's %s is no longer \"%s\"", pair[0], pair[1]);
            return 0;
        }
    }
    return 1;
}
