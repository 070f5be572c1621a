// xmlElement: a tag with its attributes and content.
#ifndef QEL_XML_XMLELEMENT_H
#define QEL_XML_XMLELEMENT_H

#include <memory>

#include "xml/xmlNamedNodeMap.h"
#include "xml/xmlNode.h"

class xmlAttr;

class xmlElement : public xmlNode {
public:
    xmlElement(const apString& name, xmlDocument* document);
    ~xmlElement() override;

    // Never null; made on first use, since most elements have no
    // attributes.
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

    // Eight blanks; indentation is cut from it. Every element has the
    // same, so it is held once for all.
    const apString& indent_unit() const;

    // The map if the element has one, without making it: for readers that
    // only look.
    const xmlNamedNodeMap* attributes_if_any() const { return attribute_map_.get(); }

private:
    mutable std::unique_ptr<xmlNamedNodeMap> attribute_map_;
};

#endif
