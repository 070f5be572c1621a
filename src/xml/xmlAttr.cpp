#include "xml/xmlAttr.h"

#include "xml/xmlDocument.h"
#include "xml/xmlSharedText.h"
#include "xml/xmlText.h"

xmlAttr::xmlAttr(const apString& name, xmlDocument* document)
    : xmlNode(ATTRIBUTE_NODE, name, xml_empty_text(), document)
{
}

apString xmlAttr::node_value() const
{
    return text();
}

void xmlAttr::set_node_value(const apString& value)
{
    if (value.is_null() || read_only_)
        return;
    remove_all_children();
    append_child(owner_->create_text_node(value));
}

xmlNode* xmlAttr::clone_node(bool deep) const
{
    xmlAttr* copy = owner_->create_attribute(name_);
    if (deep)
        append_child_clones(copy);
    return copy;
}

apString xmlAttr::text() const
{
    return children_text();
}

bool xmlAttr::can_have_child(unsigned int type) const
{
    return type == TEXT_NODE || type == ENTITY_REFERENCE_NODE;
}
