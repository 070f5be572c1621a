#include "xml/xmlNamedNodeMap.h"

#include "xml/xmlNode.h"

namespace {

// Up to this many names a linear search beats hashing every name.
const size_t kLinearNames = 8;

} // namespace

xmlNamedNodeMap::xmlNamedNodeMap(xmlNode* owner) : owner_(owner) {}

int xmlNamedNodeMap::length() const
{
    return static_cast<int>(nodes_.size());
}

xmlNode* xmlNamedNodeMap::item(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= nodes_.size())
        return nullptr;
    return nodes_[static_cast<size_t>(index)];
}

int xmlNamedNodeMap::index_of(const apString& name) const
{
    // Without the table (its making failed) the names are still all here.
    if (table_ && nodes_.size() > kLinearNames) {
        const coTableP<int>* entry = table_->find(name);
        return entry ? entry->value : -1;
    }
    for (size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i]->node_name() == name)
            return static_cast<int>(i);
    return -1;
}

xmlNode* xmlNamedNodeMap::named_item(const apString& name) const
{
    if (name.is_null())
        return nullptr;
    const int index = index_of(name);
    return index < 0 ? nullptr : nodes_[static_cast<size_t>(index)];
}

xmlNode* xmlNamedNodeMap::set_named_item(xmlNode* node)
{
    if (node == nullptr || owner_->is_read_only())
        return nullptr;
    if (node->owner_document() != owner_->owner_document())
        return nullptr;
    if (node->node_type() == ATTRIBUTE_NODE && node->parent_node() != nullptr)
        return nullptr;
    const apString& name = node->node_name();
    if (name.is_null())
        return nullptr; // a table cannot hold it
    xmlNode* previous = nullptr;
    const int index = index_of(name);
    if (index >= 0) {
        previous = nodes_[static_cast<size_t>(index)];
        nodes_[static_cast<size_t>(index)] = node;
    } else {
        if (nodes_.empty())
            nodes_.reserve(4);
        nodes_.push_back(node);
        if (nodes_.size() == kLinearNames + 1) {
            std::unique_ptr<coTable<int>> table(new coTable<int>(4, 50));
            for (size_t i = 0; i < nodes_.size(); ++i)
                (*table)[nodes_[i]->node_name()] = static_cast<int>(i);
            table_ = std::move(table);
        } else if (table_) {
            (*table_)[name] = static_cast<int>(nodes_.size() - 1);
        }
    }
    if (node->node_type() == ATTRIBUTE_NODE)
        node->parent_ = owner_;
    return previous;
}
