#include "xml/xmlEntityReference.h"

#include "xml/xmlDocument.h"
#include "xml/xmlDocumentFragment.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlEntity.h"
#include "xml/xmlReference.h"
#include "xml/xmlSharedText.h"

xmlEntityReference::xmlEntityReference(const apString& name, xmlDocument* document)
    : xmlNode(ENTITY_REFERENCE_NODE, name, xml_empty_text(), document), entity_(nullptr)
{
    xml_predefined_entities();
    if (xmlDocumentType* doctype = document->doctype()) {
        xmlNode* declared = doctype->entities()->named_item(name);
        if (declared != nullptr && declared->node_type() == ENTITY_NODE)
            entity_ = static_cast<xmlEntity*>(declared);
    }
}

xmlNodeList* xmlEntityReference::child_nodes() const
{
    return entity_ ? entity_->child_nodes() : xmlNode::child_nodes();
}

xmlNode* xmlEntityReference::first_child() const
{
    return entity_ ? entity_->first_child() : nullptr;
}

xmlNode* xmlEntityReference::last_child() const
{
    return entity_ ? entity_->last_child() : nullptr;
}

xmlNode* xmlEntityReference::clone_node(bool deep) const
{
    if (!deep || entity_ == nullptr)
        return owner_->create_entity_reference(name_);
    xmlDocumentFragment* copy = owner_->create_document_fragment();
    append_child_clones(copy); // this reference's children are its entity's
    return copy;
}

apString xmlEntityReference::text() const
{
    if (entity_ != nullptr)
        return children_text();
    apString resolved = resolve_reference(name_);
    return resolved.is_null() ? serialize() : resolved;
}

bool xmlEntityReference::can_have_child(unsigned int) const
{
    return false;
}
