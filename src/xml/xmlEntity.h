// xmlEntity: a declared entity. Its replacement content is its children,
// which it parses itself (it is a parser too); after construction it and
// its whole subtree are read-only. A parse error stays in its parser state
// for the caller to read.
#ifndef QEL_XML_XMLENTITY_H
#define QEL_XML_XMLENTITY_H

#include "xml/xmlNode.h"
#include "xml/xmlParser.h"

enum xmlEntityKind : unsigned int {
    InternalEntity = 0,
    ParameterEntity = 1,
    ExternalEntity = 2,
    UnparsedEntity = 3
};

class xmlEntity : public xmlNode, public xmlParser {
public:
    // Internal and parameter entities: the value is parsed as content.
    xmlEntity(unsigned int kind, const apString& name, const apString& value, xmlDocument* document);
    // External entities read and parse the file named by the system id;
    // unparsed ones parse nothing.
    xmlEntity(unsigned int kind, const apString& name, const apString& public_id, const apString& system_id,
              const apString& notation_name, xmlDocument* document);

    xmlNode* clone_node(bool deep) const override;
    apString text() const override;
    apString serialize() const override;
    bool can_have_child(unsigned int type) const override;

    unsigned int kind() const { return kind_; }
    apString public_id() const { return public_id_; }
    apString system_id() const { return system_id_; }
    apString notation_name() const { return notation_name_; }

private:
    unsigned int kind_;
    apString public_id_;
    apString system_id_;
    apString notation_name_;
};

#endif
