#include "xml/xmlElement.h"

#include "xml/xmlAttr.h"
#include "xml/xmlDocument.h"
#include "xml/xmlSharedText.h"
#include "xml/xmlText.h"

namespace {

const apString& eight_blanks()
{
    static const apPermanentString text("        ");
    return text;
}

} // namespace

xmlElement::xmlElement(const apString& name, xmlDocument* document)
    : xmlNode(ELEMENT_NODE, name, xml_empty_text(), document), indent_unit_(eight_blanks()),
      attribute_map_(this)
{
}

xmlElement::~xmlElement() = default;

xmlNamedNodeMap* xmlElement::attributes() const
{
    return &attribute_map_;
}

xmlNode* xmlElement::clone_node(bool deep) const
{
    xmlElement* copy = owner_->create_element(name_);
    // An attribute's value is its children, so attributes are always
    // cloned whole.
    for (int i = 0; i < attribute_map_.length(); ++i)
        copy->set_attribute_node(static_cast<xmlAttr*>(attribute_map_.item(i)->clone_node(true)));
    if (deep)
        append_child_clones(copy);
    return copy;
}

apString xmlElement::text() const
{
    return children_text();
}

bool xmlElement::can_have_child(unsigned int type) const
{
    return xml_is_content_type(type);
}

void xmlElement::set_attribute(const apString& name, const apString& value)
{
    if (name.is_null() || value.is_null() || read_only_)
        return;
    xmlAttr* attribute = owner_->create_attribute(name);
    attribute->set_node_value(value);
    attribute_map_.set_named_item(attribute);
}

void xmlElement::set_attribute_node(xmlAttr* attribute)
{
    if (attribute != nullptr)
        attribute_map_.set_named_item(attribute);
}

void xmlElement::set_text(const apString& text)
{
    if (text.is_null() || read_only_)
        return;
    remove_all_children();
    append_child(owner_->create_text_node(text));
}
