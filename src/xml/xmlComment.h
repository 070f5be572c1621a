// xmlComment: a comment; it contributes nothing to text().
#ifndef QEL_XML_XMLCOMMENT_H
#define QEL_XML_XMLCOMMENT_H

#include "xml/xmlCharacterData.h"

class xmlComment : public xmlCharacterData {
public:
    xmlComment(const apString& text, xmlDocument* document);

    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;
};

#endif
