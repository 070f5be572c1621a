#include "xml/xmlNode.h"

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

#include "core/apIStringEncoding.h"
#include "core/utString.h"
#include "xml/xmlDocument.h"
#include "xml/xmlElement.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlNamedNodeMap.h"

xmlNode::xmlNode(unsigned int type, const apString& name, apString value, xmlDocument* owner)
    : name_(name), value_(std::move(value)), type_(type), read_only_(0), parent_(nullptr), owner_(owner), link_(this)
{
}

xmlNode::~xmlNode() = default;

// Every link in a child list is the link_ of the node it holds, at the same
// place in every node. xmlNode is not standard-layout (it is polymorphic), for
// which offsetof is conditionally supported; GCC and Clang support it for any
// class without virtual bases.
xmlNode* xmlNode::carrier(const xmlNodecoDLink* link)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
    constexpr size_t link_offset = offsetof(xmlNode, link_);
#pragma GCC diagnostic pop
    return reinterpret_cast<xmlNode*>(const_cast<char*>(reinterpret_cast<const char*>(link)) - link_offset);
}

apString xmlNode::node_value() const
{
    return value_;
}

void xmlNode::set_node_value(const utString& text, const apIStringEncoding* encoding)
{
    apString value;
    if (!text.is_null()) {
        int error = 0;
        value = (encoding ? encoding : default_string_encoding())->decode(text.c_str(), &error);
    }
    set_node_value(value);
}

void xmlNode::set_node_value(const apString& value)
{
    if (!read_only_)
        value_ = value;
}

xmlDocument* xmlNode::owner_document() const
{
    return owner_;
}

xmlNodeList* xmlNode::child_nodes() const
{
    return const_cast<xmlNodeList*>(&children_);
}

xmlNode* xmlNode::first_child() const
{
    xmlNodecoDLink* link = children_.first_link();
    return link ? carrier(link) : nullptr;
}

xmlNode* xmlNode::last_child() const
{
    xmlNodecoDLink* link = children_.last_link();
    return link ? carrier(link) : nullptr;
}

xmlNamedNodeMap* xmlNode::attributes() const
{
    return nullptr;
}

bool xmlNode::has_child_nodes() const
{
    return children_.length() > 0;
}

xmlNode* xmlNode::previous_sibling() const
{
    if (parent_ == nullptr || !in_list())
        return nullptr;
    xmlNodecoDLink* link = parent_->children_.prev_link(&link_);
    return link ? carrier(link) : nullptr;
}

xmlNode* xmlNode::next_sibling() const
{
    if (parent_ == nullptr || !in_list())
        return nullptr;
    xmlNodecoDLink* link = parent_->children_.next_link(&link_);
    return link ? carrier(link) : nullptr;
}

bool xmlNode::is_ancestor_or_self(const xmlNode* node) const
{
    for (const xmlNode* n = this; n != nullptr; n = n->parent_)
        if (n == node)
            return true;
    return false;
}

namespace {

// The nodes that inserting `node` really inserts: a fragment stands for its
// children. A single node needs no allocation.
class NodesToInsert {
public:
    explicit NodesToInsert(xmlNode* node) : one_(node)
    {
        if (node->node_type() == DOCUMENT_FRAGMENT_NODE) {
            for (xmlNode* child = node->first_child(); child != nullptr; child = child->next_sibling())
                many_.push_back(child);
            data_ = many_.data();
            size_ = many_.size();
        } else {
            data_ = &one_;
            size_ = 1;
        }
    }
    NodesToInsert(const NodesToInsert&) = delete;
    NodesToInsert& operator=(const NodesToInsert&) = delete;

    xmlNode* const* data() const { return data_; }
    int size() const { return static_cast<int>(size_); }
    xmlNode* const* begin() const { return data_; }
    xmlNode* const* end() const { return data_ + size_; }

private:
    xmlNode* one_;
    std::vector<xmlNode*> many_;
    xmlNode* const* data_;
    size_t size_;
};

} // namespace

bool xmlNode::accepts_all(xmlNode* const* nodes, int count) const
{
    for (int i = 0; i < count; ++i) {
        xmlNode* n = nodes[i];
        if (!can_have_child(n->type_) || is_ancestor_or_self(n))
            return false;
        // A node that cannot leave its present parent cannot come here.
        if (n->parent_ != nullptr && (n->parent_->read_only_ || !n->in_list()))
            return false;
    }
    return true;
}

xmlNodeList& xmlNode::children_to_change()
{
    if (!children_.has_storage())
        children_.attach(new (owner_->owned_.allocate(sizeof(xmlNodecoDList), alignof(xmlNodecoDList)))
                             xmlNodecoDList);
    return children_;
}

void xmlNode::linked(xmlNode* child)
{
    child->parent_ = this;
    if (type_ == DOCUMENT_NODE)
        static_cast<xmlDocument*>(this)->child_linked(child->type_, 1);
}

void xmlNode::detach_from_parent()
{
    if (parent_ != nullptr && in_list()) {
        parent_->children_.unlink(&link_);
        if (parent_->type_ == DOCUMENT_NODE)
            static_cast<xmlDocument*>(parent_)->child_linked(type_, -1);
    }
    parent_ = nullptr;
}

void xmlNode::append_new_child(xmlNode* child)
{
    children_to_change().append(&child->link_);
    linked(child);
}

xmlNode* xmlNode::append_child(xmlNode* node)
{
    if (node == nullptr || node->owner_ != owner_ || read_only_ || is_ancestor_or_self(node))
        return nullptr;
    const NodesToInsert nodes(node);
    if (!accepts_all(nodes.data(), nodes.size()))
        return nullptr;
    // Made before anything moves: if it cannot be, nothing has.
    xmlNodeList& children = children_to_change();
    for (xmlNode* n : nodes)
        n->detach_from_parent();
    for (xmlNode* n : nodes) {
        children.append(&n->link_);
        linked(n);
    }
    return node;
}

xmlNode* xmlNode::insert_before(xmlNode* node, xmlNode* reference)
{
    if (node == nullptr || node->owner_ != owner_ || read_only_ || is_ancestor_or_self(node))
        return nullptr;
    if (reference == nullptr || reference->parent_ != this || !reference->in_list())
        return nullptr;
    const NodesToInsert nodes(node);
    if (!accepts_all(nodes.data(), nodes.size()))
        return nullptr;
    for (xmlNode* n : nodes)
        n->detach_from_parent();
    // Inserting a node before itself has just taken it out.
    if (reference->parent_ != this)
        return node;
    for (xmlNode* n : nodes) {
        children_.insert_before(&reference->link_, &n->link_);
        linked(n);
    }
    return node;
}

xmlNode* xmlNode::remove_child(xmlNode* node)
{
    if (node == nullptr || read_only_ || node->parent_ != this || !node->in_list())
        return nullptr;
    node->detach_from_parent();
    return node;
}

void xmlNode::remove_all_children()
{
    while (xmlNodecoDLink* link = children_.first_link())
        carrier(link)->detach_from_parent();
}

void xmlNode::append_child_clones(xmlNode* copy) const
{
    // With a stack of its own: a tree built by hand may nest deeper than
    // the host's stack would allow a recursive copy. Each copy joins its
    // parent once it is complete, while the parent is still detached, so
    // that the ancestor check of append_child costs nothing at any depth.
    struct Pending {
        const xmlNode* next; // the next source child to copy
        xmlNode* into;       // the copy being filled
        bool joins;          // whether `into` is appended below when complete
    };
    std::vector<Pending> pending{{first_child(), copy, false}};
    while (!pending.empty()) {
        const xmlNode* child = pending.back().next;
        if (child == nullptr) {
            const Pending done = pending.back();
            pending.pop_back();
            if (done.joins)
                pending.back().into->append_child(done.into);
            continue;
        }
        pending.back().next = child->next_sibling();
        xmlNode* into = pending.back().into;
        if (child->node_type() == ENTITY_REFERENCE_NODE &&
            static_cast<const xmlEntityReference*>(child)->entity() != nullptr) {
            // A bound reference copies as its entity's content, in its place.
            pending.push_back({child->first_child(), into, false});
            continue;
        }
        if (xmlNode* clone = child->clone_node(false))
            pending.push_back({child->first_child(), clone, true});
    }
}

namespace {

xmlNode* first_own_child(const xmlNodeList& children)
{
    xmlNodecoDLink* link = children.first_link();
    return link ? xmlNode::carrier(link) : nullptr;
}

} // namespace

void xmlNode::make_subtree_read_only()
{
    // Depth first over own children (a reference's entity is not part of
    // this subtree), climbing back through parent pointers.
    xmlNode* n = this;
    while (n != nullptr) {
        n->read_only_ = 1;
        // Only an element has attributes; one without a map has none.
        const xmlNamedNodeMap* map =
            n->type_ == ELEMENT_NODE ? static_cast<xmlElement*>(n)->attributes_if_any() : nullptr;
        if (map != nullptr) {
            for (int i = 0; i < map->length(); ++i) {
                xmlNode* attribute = map->item(i);
                attribute->read_only_ = 1;
                for (xmlNode* v = first_own_child(attribute->children_); v; v = v->next_sibling())
                    v->read_only_ = 1;
            }
        }
        xmlNode* next = first_own_child(n->children_);
        while (next == nullptr && n != this) {
            next = n->next_sibling();
            if (next == nullptr)
                n = n->parent_;
        }
        n = next;
    }
}

apString xmlNode::children_text() const
{
    // Containers are walked with an explicit stack of list positions, so
    // neither depth nor nested references cost stack, and every piece is
    // copied once.
    struct Position {
        const xmlNodeList* list;
        xmlNodecoDLink* link;
    };
    auto contents = [](const xmlNode* n) -> const xmlNodeList* {
        switch (n->type_) {
        case ELEMENT_NODE:
        case ATTRIBUTE_NODE:
        case DOCUMENT_NODE:
        case DOCUMENT_FRAGMENT_NODE:
            return &n->children_;
        case ENTITY_REFERENCE_NODE:
            return static_cast<const xmlEntityReference*>(n)->entity() ? n->child_nodes() : nullptr;
        default:
            return nullptr;
        }
    };

    const xmlNodeList* start = child_nodes(); // a bound reference's are its entity's
    // Most often there is one text child, whose text is the answer as it is.
    if (xmlNodecoDLink* only = start->first_link()) {
        const xmlNode* n = carrier(only);
        if (start->next_link(only) == nullptr && contents(n) == nullptr) {
            apString piece = n->text();
            return piece.is_empty() ? apString::empty_string() : piece;
        }
    }
    std::vector<apString::codepoint> text;
    std::vector<Position> stack;
    stack.push_back({start, start->first_link()});
    while (!stack.empty()) {
        Position& top = stack.back();
        if (top.link == nullptr) {
            stack.pop_back();
            continue;
        }
        const xmlNode* n = carrier(top.link);
        top.link = top.list->next_link(top.link);
        if (const xmlNodeList* inner = contents(n)) {
            stack.push_back({inner, inner->first_link()});
        } else {
            apString piece = n->text();
            text.insert(text.end(), piece.data(), piece.data() + piece.length());
        }
    }
    if (text.empty())
        return apString::empty_string();
    return apString(text.data(), text.size(), nullptr);
}
