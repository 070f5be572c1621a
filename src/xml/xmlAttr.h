// xmlAttr: an attribute, whose value lives in its children (text and entity
// references); its parent is the element it belongs to, although it is not
// among that element's children.
#ifndef QEL_XML_XMLATTR_H
#define QEL_XML_XMLATTR_H

#include "xml/xmlNode.h"

class xmlAttr : public xmlNode {
public:
    xmlAttr(const apString& name, xmlDocument* document);

    apString node_value() const override;
    using xmlNode::set_node_value;
    // Replaces the children by one text node holding the value.
    void set_node_value(const apString& value) override;
    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;
    bool can_have_child(unsigned int type) const override;
};

#endif
