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
    : xmlNode(ELEMENT_NODE, name, xml_empty_text(), document)
{
}

xmlElement::~xmlElement() = default;

const apString& xmlElement::indent_unit() const
{
    return eight_blanks();
}

xmlNamedNodeMap* xmlElement::attributes() const
{
    if (!attribute_map_)
        attribute_map_.reset(new xmlNamedNodeMap(const_cast<xmlElement*>(this)));
    return attribute_map_.get();
}

xmlNode* xmlElement::clone_node(bool deep) const
{
    xmlElement* copy = owner_->create_element(name_);
    // An attribute's value is its children, so attributes are always
    // cloned whole.
    if (const xmlNamedNodeMap* map = attributes_if_any())
        for (int i = 0; i < map->length(); ++i)
            copy->set_attribute_node(static_cast<xmlAttr*>(map->item(i)->clone_node(true)));
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
    attributes()->set_named_item(attribute);
}

void xmlElement::set_attribute_node(xmlAttr* attribute)
{
    if (attribute != nullptr)
        attributes()->set_named_item(attribute);
}

void xmlElement::set_text(const apString& text)
{
    if (text.is_null() || read_only_)
        return;
    remove_all_children();
    append_child(owner_->create_text_node(text));
}
