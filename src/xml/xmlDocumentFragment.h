// xmlDocumentFragment: a detached group of nodes; inserting it inserts its
// children instead and leaves it empty.
#ifndef QEL_XML_XMLDOCUMENTFRAGMENT_H
#define QEL_XML_XMLDOCUMENTFRAGMENT_H

#include "xml/xmlNode.h"

class xmlDocumentFragment : public xmlNode {
public:
    explicit xmlDocumentFragment(xmlDocument* document);

    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;
    bool can_have_child(unsigned int type) const override;
};

#endif
