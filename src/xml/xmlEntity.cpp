#include "xml/xmlEntity.h"

#include "files/apPath.h"
#include "xml/xmlSharedText.h"

xmlEntity::xmlEntity(unsigned int kind, const apString& name, const apString& value, xmlDocument* document)
    : xmlNode(ENTITY_NODE, name, xml_empty_text(), document), kind_(kind),
      public_id_(xml_empty_text()), system_id_(xml_empty_text()),
      notation_name_(xml_empty_text())
{
    parse(this, value);
    make_subtree_read_only();
}

xmlEntity::xmlEntity(unsigned int kind, const apString& name, const apString& public_id, const apString& system_id,
                     const apString& notation_name, xmlDocument* document)
    : xmlNode(ENTITY_NODE, name, xml_empty_text(), document), kind_(kind), public_id_(public_id),
      system_id_(system_id), notation_name_(notation_name)
{
    if (kind == ExternalEntity)
        parse_file(this, apPath(system_id));
    make_subtree_read_only();
}

xmlNode* xmlEntity::clone_node(bool) const
{
    return nullptr;
}

apString xmlEntity::text() const
{
    return xml_empty_text();
}

bool xmlEntity::can_have_child(unsigned int type) const
{
    return xml_is_content_type(type);
}
