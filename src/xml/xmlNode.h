// xmlNode: the abstract node of a document tree.
//
// Every node is created by, owned by and destroyed with its xmlDocument;
// trees, lists and maps only point at nodes. Tree operations refuse (answer
// null, change nothing) instead of failing.
//
// Each node carries the link that holds it in its parent's child list, so
// siblings, removal and insertion next to it cost O(1) and allocate nothing.
#ifndef QEL_XML_XMLNODE_H
#define QEL_XML_XMLNODE_H

#include "core/apString.h"
#include "xml/xmlNodeList.h"
#include "xml/xmlNodeType.h"

class apIStringEncoding;
class utString;
class xmlDocument;
class xmlNamedNodeMap;

class xmlNode {
public:
    xmlNode(const xmlNode&) = delete;
    xmlNode& operator=(const xmlNode&) = delete;

    virtual apString node_value() const;
    // Narrow text through `encoding`, or the default encoding when null; a
    // null text gives a null value.
    virtual void set_node_value(const utString& text, const apIStringEncoding* encoding);
    // Ignored on a read-only node.
    virtual void set_node_value(const apString& value);
    virtual xmlDocument* owner_document() const;
    virtual xmlNodeList* child_nodes() const;
    virtual xmlNode* first_child() const;
    virtual xmlNode* last_child() const;
    virtual xmlNamedNodeMap* attributes() const;
    // A new node made by the same owner document, or null for kinds that
    // cannot be cloned.
    virtual xmlNode* clone_node(bool deep) const = 0;
    virtual apString text() const = 0;
    virtual apString serialize() const = 0;
    virtual bool can_have_child(unsigned int type) const = 0;
    virtual ~xmlNode();

    // Names never change, so the node's own is handed out.
    const apString& node_name() const { return name_; }
    // The value as held, without the copy node_value() makes, for readers
    // that only look (an attribute holds its value in its children).
    const apString& stored_value() const { return value_; }
    unsigned int node_type() const { return type_; }
    xmlNode* parent_node() const { return parent_; }
    bool is_read_only() const { return read_only_ != 0; }

    bool has_child_nodes() const;
    // Null when there is no parent or this is the first child.
    xmlNode* previous_sibling() const;
    // Null when there is no parent or this is the last child.
    xmlNode* next_sibling() const;
    // Whether `node` is this node or one of its ancestors.
    bool is_ancestor_or_self(const xmlNode* node) const;

    // Each answers the node on success and null on refusal. A fragment is
    // replaced by its children, which move in order.
    xmlNode* append_child(xmlNode* node);
    xmlNode* insert_before(xmlNode* node, xmlNode* reference);
    // The node stays owned by its document.
    xmlNode* remove_child(xmlNode* node);

    // The node a child-list link holds, found from the link's address alone
    // (each node carries its own link): a walk from node to node then
    // touches only the nodes it visits, never the next one early.
    static xmlNode* carrier(const xmlNodecoDLink* link);

protected:
    // The value is taken by value, so that a new one moves in without a
    // share-count operation.
    xmlNode(unsigned int type, const apString& name, apString value, xmlDocument* owner);

    void set_read_only(bool read_only) { read_only_ = read_only ? 1 : 0; }
    // This node and everything below it; iterative, so depth costs no stack.
    void make_subtree_read_only();
    // The text of this node's children joined, without recursion.
    apString children_text() const;
    // Appends deep clones of this node's children to `copy`.
    void append_child_clones(xmlNode* copy) const;
    void remove_all_children();

    apString name_;
    apString value_;
    // The two 32-bit fields side by side, so that no padding follows either.
    unsigned int type_;
    unsigned int read_only_;
    xmlNode* parent_;
    xmlDocument* owner_;
    xmlNodeList children_;

private:
    friend class xmlNamedNodeMap; // places attributes under their element
    friend class xmlParser;       // opens a document type to add entities, makes child lists early,
                                  // appends the nodes it has just made
    friend class xmlDocument;     // places a new document type first

    // Whether the nodes may all become children here (types, read-only
    // source parents); nothing is changed.
    bool accepts_all(xmlNode* const* nodes, int count) const;
    void detach_from_parent();
    // Whether this node stands in its parent's child list (an attribute has
    // a parent but stands in none).
    bool in_list() const { return link_.next != nullptr; }
    // The child list, made in the document's memory on first use.
    xmlNodeList& children_to_change();
    void linked(xmlNode* child);
    // Appends a node just made, which has no parent yet, to this node, which
    // is not read-only: append_child's checks, among them a walk up through
    // the ancestors, cannot fail for it.
    void append_new_child(xmlNode* child);

    xmlNodecoDLink link_; // holds this node in parent_'s children
};

#endif
