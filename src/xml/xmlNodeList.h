// The children of a node: a list of non-owning node pointers held through a
// small owning wrapper, created with the node. The list lives inside the
// wrapper, so a node and its list are one allocation.
//
// Library code walks children link by link (xmlNode::first_child and
// next_sibling); item() is for callers that want DOM-style indexing. It moves
// the list's own cursor from where it last stood, so reading items in
// ascending order costs one step each.
#ifndef QEL_XML_XMLNODELIST_H
#define QEL_XML_XMLNODELIST_H

#include "core/coDList.h"

class xmlNode;

using xmlNodecoDList = coDList<xmlNode*>;
using xmlNodecoDLink = coDLink<xmlNode*>;

class xmlNodeList {
public:
    xmlNodeList();
    ~xmlNodeList();
    xmlNodeList(const xmlNodeList&) = delete;
    xmlNodeList& operator=(const xmlNodeList&) = delete;

    int length() const;
    // Null for an index below 0 or at or past length().
    xmlNode* item(int index) const;

    xmlNodecoDLink* first_link() const;
    xmlNodecoDLink* last_link() const;
    xmlNodecoDLink* next_link(const xmlNodecoDLink* link) const;
    xmlNodecoDLink* prev_link(const xmlNodecoDLink* link) const;

    // Structural changes answer the new link, or null when none could be
    // made; each leaves the cursor reset, since its index may be stale.
    xmlNodecoDLink* append(xmlNode* node);
    xmlNodecoDLink* insert_before(xmlNodecoDLink* position, xmlNode* node);
    void unlink(xmlNodecoDLink* link);

private:
    xmlNodecoDList* list_;
    unsigned int owns_;
    xmlNodecoDList storage_;
};

#endif
