// xmlElement: a tag with its attributes and content.
#ifndef QEL_XML_XMLELEMENT_H
#define QEL_XML_XMLELEMENT_H

#include "xml/xmlNamedNodeMap.h"
#include "xml/xmlNode.h"

class xmlAttr;

class xmlElement : public xmlNode {
public:
    xmlElement(const apString& name, xmlDocument* document);
    ~xmlElement() override;

    xmlNamedNodeMap* attributes() const override;
    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;
    bool can_have_child(unsigned int type) const override;

    // Ignored for a null name or value and on a read-only element; an empty
    // value is stored.
    void set_attribute(const apString& name, const apString& value);
    // Ignored for null.
    void set_attribute_node(xmlAttr* attribute);
    // Replaces all children by one text node (empty text included); ignored
    // for a null text and on a read-only element.
    void set_text(const apString& text);

    // Eight blanks; indentation is cut from it.
    const apString& indent_unit() const { return indent_unit_; }

private:
    apString indent_unit_;
    // Created with the element, as part of it.
    mutable xmlNamedNodeMap attribute_map_;
};

#endif
