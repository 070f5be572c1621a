// xmlNamedNodeMap: nodes by name, kept in the order of first insertion
// (an element's attributes, a document type's entities and notations).
#ifndef QEL_XML_XMLNAMEDNODEMAP_H
#define QEL_XML_XMLNAMEDNODEMAP_H

#include "core/coDList.h"
#include "core/coTable.h"

class xmlNode;

class xmlNamedNodeMap {
public:
    explicit xmlNamedNodeMap(xmlNode* owner);
    xmlNamedNodeMap(const xmlNamedNodeMap&) = delete;
    xmlNamedNodeMap& operator=(const xmlNamedNodeMap&) = delete;

    int length() const;
    // In insertion order; null outside 0 to length() - 1. Reading items in
    // ascending order costs one step each.
    xmlNode* item(int index) const;
    xmlNode* named_item(const apString& name) const;
    // Stores the node under its name and answers the node it replaced, or
    // null (also on refusal). A replaced name keeps its place.
    xmlNode* set_named_item(xmlNode* node);

private:
    xmlNode* owner_;
    apStringxmlNodecoTablePtrcoPtrcoTablePcoSet table_;
    mutable apStringcoDList names_;
};

#endif
