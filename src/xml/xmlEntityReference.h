// xmlEntityReference: "&name;" in content. It is bound, once and for good,
// to the entity of that name that the document type declares when the
// reference is made; an unbound one stands for a predefined or character
// reference, or for nothing the library knows.
#ifndef QEL_XML_XMLENTITYREFERENCE_H
#define QEL_XML_XMLENTITYREFERENCE_H

#include "xml/xmlNode.h"

class xmlEntity;

class xmlEntityReference : public xmlNode {
public:
    xmlEntityReference(const apString& name, xmlDocument* document);

    // A bound reference shows its entity's children.
    xmlNodeList* child_nodes() const override;
    xmlNode* first_child() const override;
    xmlNode* last_child() const override;
    // Deep and bound: a fragment of clones of the entity's children.
    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;
    bool can_have_child(unsigned int type) const override;

    xmlEntity* entity() const { return entity_; }

private:
    xmlEntity* entity_;
};

#endif
