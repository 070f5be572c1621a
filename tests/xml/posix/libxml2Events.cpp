#include "libxml2Events.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace {

std::string chars(const xmlChar* s)
{
    return s ? reinterpret_cast<const char*>(s) : "";
}

std::string qualified(const xmlNs* ns, const xmlChar* name)
{
    return ns && ns->prefix ? chars(ns->prefix) + ":" + chars(name) : chars(name);
}

void walk(const xmlNode* node, xmlEvents& events)
{
    for (const xmlNode* c = node->children; c != nullptr; c = c->next) {
        switch (c->type) {
        case XML_ELEMENT_NODE:
            events.add("E " + qualified(c->ns, c->name));
            for (const xmlAttr* a = c->properties; a != nullptr; a = a->next) {
                xmlChar* value = xmlNodeListGetString(c->doc, a->children, 1);
                events.add("A " + qualified(a->ns, a->name) + "=" + chars(value));
                xmlFree(value);
            }
            walk(c, events);
            events.add("/E");
            break;
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
            events.text(chars(c->content));
            break;
        case XML_COMMENT_NODE:
            events.add("C " + chars(c->content));
            break;
        case XML_PI_NODE:
            events.add("P " + chars(c->name) + " " + chars(c->content));
            break;
        default:
            break;
        }
    }
}

} // namespace

bool libxml2_events(const std::string& text, std::vector<std::string>& events)
{
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_HUGE);
    if (doc == nullptr)
        return false;
    xmlEvents collected;
    walk(reinterpret_cast<const xmlNode*>(doc), collected);
    xmlFreeDoc(doc);
    events = collected.done();
    return true;
}
