// xmlCharacterData: the nodes whose content is their value.
#ifndef QEL_XML_XMLCHARACTERDATA_H
#define QEL_XML_XMLCHARACTERDATA_H

#include "xml/xmlNode.h"

class xmlCharacterData : public xmlNode {
public:
    bool can_have_child(unsigned int type) const override;

protected:
    xmlCharacterData(unsigned int type, const apString& name, apString text, xmlDocument* document);
};

#endif
