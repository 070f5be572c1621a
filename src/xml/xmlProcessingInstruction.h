// xmlProcessingInstruction: a target (the node name) and its data (the
// value). The XML declaration is one of these, with target "xml".
#ifndef QEL_XML_XMLPROCESSINGINSTRUCTION_H
#define QEL_XML_XMLPROCESSINGINSTRUCTION_H

#include "xml/xmlNode.h"

class xmlProcessingInstruction : public xmlNode {
public:
    xmlProcessingInstruction(const apString& target, const apString& data, xmlDocument* document);

    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;
    bool can_have_child(unsigned int type) const override;
};

#endif
