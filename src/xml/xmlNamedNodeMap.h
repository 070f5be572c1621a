// xmlNamedNodeMap: nodes by name, kept in the order of first insertion
// (an element's attributes, a document type's entities and notations).
//
// Most maps hold a handful of attributes: those are found by comparing the
// names in order, and the name table is only filled once a map outgrows
// that, after which it answers every lookup.
#ifndef QEL_XML_XMLNAMEDNODEMAP_H
#define QEL_XML_XMLNAMEDNODEMAP_H

#include <memory>
#include <vector>

#include "core/coTable.h"

class xmlNode;

class xmlNamedNodeMap {
public:
    explicit xmlNamedNodeMap(xmlNode* owner);
    xmlNamedNodeMap(const xmlNamedNodeMap&) = delete;
    xmlNamedNodeMap& operator=(const xmlNamedNodeMap&) = delete;

    int length() const;
    // In insertion order; null outside 0 to length() - 1.
    xmlNode* item(int index) const;
    xmlNode* named_item(const apString& name) const;
    // Stores the node under its name and answers the node it replaced, or
    // null (also on refusal). A replaced name keeps its place.
    xmlNode* set_named_item(xmlNode* node);

private:
    // The place of the node stored under `name`, or -1.
    int index_of(const apString& name) const;

    xmlNode* owner_;
    // Name to place in nodes_, made once the map outgrows a linear search
    // (few maps ever do, and an element carries its map inline).
    std::unique_ptr<coTable<int>> table_;
    std::vector<xmlNode*> nodes_;
};

#endif
