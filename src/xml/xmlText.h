// xmlText: character data of an element or attribute.
#ifndef QEL_XML_XMLTEXT_H
#define QEL_XML_XMLTEXT_H

#include "xml/xmlCharacterData.h"

class xmlText : public xmlCharacterData {
public:
    xmlText(apString text, xmlDocument* document);

    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;

protected:
    xmlText(unsigned int type, const apString& name, const apString& text, xmlDocument* document);
};

#endif
