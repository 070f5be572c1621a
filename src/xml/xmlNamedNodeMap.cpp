#include "xml/xmlNamedNodeMap.h"

#include "xml/xmlNode.h"

xmlNamedNodeMap::xmlNamedNodeMap(xmlNode* owner) : owner_(owner), table_(4, 50) {}

int xmlNamedNodeMap::length() const
{
    return names_.count();
}

xmlNode* xmlNamedNodeMap::item(int index) const
{
    if (index < 0 || index >= names_.count())
        return nullptr;
    // Names are only ever appended, so the cursor's index stays right and
    // ascending reads cost one step each.
    if (names_.undefined() || names_.index() > index)
        names_.reset();
    names_.seek(index);
    return named_item(names_());
}

xmlNode* xmlNamedNodeMap::named_item(const apString& name) const
{
    const apStringxmlNodecoTablePtrcoPtrcoTableP* entry = table_.find(name);
    return entry ? entry->value : nullptr;
}

xmlNode* xmlNamedNodeMap::set_named_item(xmlNode* node)
{
    if (node == nullptr || owner_->is_read_only())
        return nullptr;
    if (node->owner_document() != owner_->owner_document())
        return nullptr;
    if (node->node_type() == ATTRIBUTE_NODE && node->parent_node() != nullptr)
        return nullptr;
    const apString name = node->node_name();
    if (name.is_null())
        return nullptr; // a table cannot hold it
    xmlNode* previous = named_item(name);
    if (previous == nullptr && !table_.member(name))
        names_.append(name);
    table_[name] = node;
    if (node->node_type() == ATTRIBUTE_NODE)
        node->parent_ = owner_;
    return previous;
}
