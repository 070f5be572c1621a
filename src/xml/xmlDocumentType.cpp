#include "xml/xmlDocumentType.h"

#include <memory>

#include "xml/xmlSharedText.h"

xmlDocumentType::xmlDocumentType(const apString& name, const apString& public_id, const apString& system_id,
                                 xmlDocument* document)
    : xmlNode(DOCUMENT_TYPE_NODE, name, xml_empty_text(), document), public_id_(public_id),
      system_id_(system_id), entities_(nullptr), notations_(nullptr)
{
    // Held until both exist: when the second cannot be made, the first is
    // freed (a constructor that throws runs no destructor of its own).
    std::unique_ptr<xmlNamedNodeMap> entities(new xmlNamedNodeMap(this));
    notations_ = new xmlNamedNodeMap(this);
    entities_ = entities.release();
    set_read_only(true);
}

xmlDocumentType::~xmlDocumentType()
{
    delete notations_;
    delete entities_;
}

xmlNode* xmlDocumentType::clone_node(bool) const
{
    return nullptr;
}

apString xmlDocumentType::text() const
{
    return xml_empty_text();
}

bool xmlDocumentType::can_have_child(unsigned int) const
{
    return false;
}
