// xmlCDATASection: text kept verbatim, markup characters included.
#ifndef QEL_XML_XMLCDATASECTION_H
#define QEL_XML_XMLCDATASECTION_H

#include "xml/xmlText.h"

class xmlCDATASection : public xmlText {
public:
    xmlCDATASection(const apString& text, xmlDocument* document);

    xmlNode* clone_node(bool deep) const override;
    apString serialize() const override;
};

#endif
