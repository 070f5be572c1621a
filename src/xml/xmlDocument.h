// xmlDocument: the root of a tree, and the factory and sole owner of every
// node in it. Nodes live exactly as long as their document.
#ifndef QEL_XML_XMLDOCUMENT_H
#define QEL_XML_XMLDOCUMENT_H

#include "core/apEncodingDescriptor.h"
#include "files/apPath.h"
#include "xml/xmlNode.h"
#include "xml/xmlOwnedNodes.h"
#include "xml/xmlParseLimits.h"

class xmlAttr;
class xmlCDATASection;
class xmlComment;
class xmlDocumentFragment;
class xmlDocumentType;
class xmlElement;
class xmlEntity;
class xmlEntityReference;
class xmlProcessingInstruction;
class xmlText;

class xmlDocument : public xmlNode {
public:
    explicit xmlDocument(const apEncodingDescriptor& encoding);
    ~xmlDocument() override;

    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;
    bool can_have_child(unsigned int type) const override;

    xmlElement* create_element(const apString& name);
    xmlAttr* create_attribute(const apString& name);
    xmlText* create_text_node(apString text);
    xmlCDATASection* create_cdata_section(const apString& text);
    xmlComment* create_comment(const apString& text);
    xmlProcessingInstruction* create_processing_instruction(const apString& target, const apString& data);
    xmlEntityReference* create_entity_reference(const apString& name);
    xmlDocumentFragment* create_document_fragment();
    // Internal and parameter entities (kinds 0 and 1); null for other kinds.
    xmlEntity* create_entity(unsigned int kind, const apString& name, const apString& value);
    // External and unparsed entities (kinds 2 and 3); null for other kinds.
    xmlEntity* create_entity(unsigned int kind, const apString& name, const apString& public_id,
                             const apString& system_id, const apString& notation_name);
    // Also placed in the tree, before the current first child.
    xmlDocumentType* create_document_type(const apString& name, const apString& public_id,
                                          const apString& system_id);

    // The first child of that kind, or null.
    xmlDocumentType* doctype() const;
    xmlElement* document_element() const;

    apEncodingDescriptor encoding() const { return encoding_; }
    void set_encoding(const apEncodingDescriptor& encoding) { encoding_ = encoding; }
    unsigned int expand_entity_references() const { return expand_references_; }
    void set_expand_entity_references(unsigned int flag) { expand_references_ = flag; }
    const apPath& path() const { return path_; }
    // Shared by every parser at work on this tree.
    xmlParseLimits& parse_limits() { return limits_; }

private:
    friend class xmlNode; // keeps the child counts below

    // A new node of type T, owned by this document.
    template <class T, class... Args>
    T* make(Args&&... args);
    void child_linked(unsigned int type, int delta);

    xmlOwnedNodes owned_;
    apPath path_;
    unsigned int expand_references_;
    apEncodingDescriptor encoding_;

    // So that can_have_child and the lookups above need not walk the list.
    int element_children_;
    int doctype_children_;
    xmlParseLimits limits_;
};

#endif
