#include "xml/xmlDocument.h"

#include <cstddef>
#include <new>
#include <utility>

#include "xml/xmlAttr.h"
#include "xml/xmlCDATASection.h"
#include "xml/xmlComment.h"
#include "xml/xmlDocumentFragment.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlElement.h"
#include "xml/xmlEntity.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlSharedText.h"
#include "xml/xmlText.h"

xmlDocument::xmlDocument(const apEncodingDescriptor& encoding)
    : xmlNode(DOCUMENT_NODE, apString("#document"), xml_empty_text(), this),
      expand_references_(1), encoding_(encoding), element_children_(0), doctype_children_(0)
{
}

xmlDocument::~xmlDocument()
{
    // Newest first; no node touches another while it dies.
    owned_.destroy_all();
}

template <class T, class... Args>
T* xmlDocument::make(Args&&... args)
{
    static_assert(alignof(T) <= alignof(std::max_align_t), "owned_ aligns no further");
    // A constructor that throws leaves only unused memory in owned_.
    T* node = new (owned_.allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    owned_.take(node);
    return node;
}

xmlNode* xmlDocument::clone_node(bool) const
{
    return nullptr;
}

apString xmlDocument::text() const
{
    return children_text();
}

bool xmlDocument::can_have_child(unsigned int type) const
{
    switch (type) {
    case PROCESSING_INSTRUCTION_NODE:
    case COMMENT_NODE:
        return true;
    case DOCUMENT_TYPE_NODE:
        return doctype_children_ == 0;
    case ELEMENT_NODE:
        return element_children_ == 0;
    default:
        return false;
    }
}

void xmlDocument::child_linked(unsigned int type, int delta)
{
    if (type == ELEMENT_NODE)
        element_children_ += delta;
    else if (type == DOCUMENT_TYPE_NODE)
        doctype_children_ += delta;
}

xmlElement* xmlDocument::create_element(const apString& name)
{
    return make<xmlElement>(name, this);
}

xmlAttr* xmlDocument::create_attribute(const apString& name)
{
    return make<xmlAttr>(name, this);
}

xmlText* xmlDocument::create_text_node(apString text)
{
    return make<xmlText>(std::move(text), this);
}

xmlCDATASection* xmlDocument::create_cdata_section(const apString& text)
{
    return make<xmlCDATASection>(text, this);
}

xmlComment* xmlDocument::create_comment(const apString& text)
{
    return make<xmlComment>(text, this);
}

xmlProcessingInstruction* xmlDocument::create_processing_instruction(const apString& target, const apString& data)
{
    return make<xmlProcessingInstruction>(target, data, this);
}

xmlEntityReference* xmlDocument::create_entity_reference(const apString& name)
{
    return make<xmlEntityReference>(name, this);
}

xmlDocumentFragment* xmlDocument::create_document_fragment()
{
    return make<xmlDocumentFragment>(this);
}

xmlEntity* xmlDocument::create_entity(unsigned int kind, const apString& name, const apString& value)
{
    if (kind != InternalEntity && kind != ParameterEntity)
        return nullptr;
    return make<xmlEntity>(kind, name, value, this);
}

xmlEntity* xmlDocument::create_entity(unsigned int kind, const apString& name, const apString& public_id,
                                      const apString& system_id, const apString& notation_name)
{
    if (kind != ExternalEntity && kind != UnparsedEntity)
        return nullptr;
    return make<xmlEntity>(kind, name, public_id, system_id, notation_name, this);
}

xmlDocumentType* xmlDocument::create_document_type(const apString& name, const apString& public_id,
                                                   const apString& system_id)
{
    xmlDocumentType* doctype = make<xmlDocumentType>(name, public_id, system_id, this);
    xmlNodeList& children = children_to_change();
    if (xmlNodecoDLink* first = children.first_link())
        children.insert_before(first, &doctype->link_);
    else
        children.append(&doctype->link_);
    linked(doctype);
    return doctype;
}

xmlDocumentType* xmlDocument::doctype() const
{
    if (doctype_children_ == 0)
        return nullptr;
    for (xmlNode* child = first_child(); child != nullptr; child = child->next_sibling())
        if (child->node_type() == DOCUMENT_TYPE_NODE)
            return static_cast<xmlDocumentType*>(child);
    return nullptr;
}

xmlElement* xmlDocument::document_element() const
{
    if (element_children_ == 0)
        return nullptr;
    for (xmlNode* child = first_child(); child != nullptr; child = child->next_sibling())
        if (child->node_type() == ELEMENT_NODE)
            return static_cast<xmlElement*>(child);
    return nullptr;
}
