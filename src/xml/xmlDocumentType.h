// xmlDocumentType: the document type declaration with its entities. It is
// read-only from creation; the parser opens it only to add entities.
#ifndef QEL_XML_XMLDOCUMENTTYPE_H
#define QEL_XML_XMLDOCUMENTTYPE_H

#include "xml/xmlNamedNodeMap.h"
#include "xml/xmlNode.h"

class xmlDocumentType : public xmlNode {
public:
    xmlDocumentType(const apString& name, const apString& public_id, const apString& system_id,
                    xmlDocument* document);
    ~xmlDocumentType() override;

    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;
    bool can_have_child(unsigned int type) const override;

    apString public_id() const { return public_id_; }
    apString system_id() const { return system_id_; }
    xmlNamedNodeMap* entities() const { return entities_; }
    // Never filled by the library.
    xmlNamedNodeMap* notations() const { return notations_; }

private:
    apString public_id_;
    apString system_id_;
    xmlNamedNodeMap* entities_;
    xmlNamedNodeMap* notations_;
};

#endif
