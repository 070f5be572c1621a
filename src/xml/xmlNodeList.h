// The children of a node: a list of non-owning node pointers held through a
// small wrapper, created with the node.
//
// Each node carries the link that holds it in its parent's list (a node has
// at most one parent), so linking a child allocates nothing. The list itself
// is made in the document's memory when the first child arrives: most nodes
// (texts, references, empty elements) never have one. Neither the list nor
// its links are freed here; both go with the document.
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
    xmlNodeList() noexcept : list_(nullptr) {}
    ~xmlNodeList() = default;
    xmlNodeList(const xmlNodeList&) = delete;
    xmlNodeList& operator=(const xmlNodeList&) = delete;

    int length() const { return list_ ? list_->count() : 0; }
    // Null for an index below 0 or at or past length().
    xmlNode* item(int index) const;

    xmlNodecoDLink* first_link() const { return list_ ? list_->header().first_link() : nullptr; }
    xmlNodecoDLink* last_link() const { return list_ ? list_->header().last_link() : nullptr; }
    xmlNodecoDLink* next_link(const xmlNodecoDLink* link) const { return list_->header().next_link(link); }
    xmlNodecoDLink* prev_link(const xmlNodecoDLink* link) const { return list_->header().prev_link(link); }

    // Whether the list has been made; structural changes need it.
    bool has_storage() const { return list_ != nullptr; }
    // Takes an empty list made in memory that outlives this wrapper.
    void attach(xmlNodecoDList* storage) { list_ = storage; }

    // Structural changes link and unlink the nodes' own links; each leaves
    // the cursor reset, since its index may be stale.
    void append(xmlNodecoDLink* link);
    void insert_before(xmlNodecoDLink* position, xmlNodecoDLink* link);
    void unlink(xmlNodecoDLink* link);

private:
    // The one field: every node has a wrapper, and the list itself lives in
    // the document's memory, so nothing here owns or frees it.
    xmlNodecoDList* list_;
};

#endif
