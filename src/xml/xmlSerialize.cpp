// The XML text of each node kind: a plain first version (no escaping, no
// indentation) that the serializer replaces. The entity reference's form is
// final: an unbound reference's text() falls back on it.
#include "xml/xmlAttr.h"
#include "xml/xmlCDATASection.h"
#include "xml/xmlComment.h"
#include "xml/xmlDocument.h"
#include "xml/xmlDocumentFragment.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlElement.h"
#include "xml/xmlEntity.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlText.h"

namespace {

apString joined(const xmlNode* first, const apString& between)
{
    apString out = apString::empty_string();
    for (const xmlNode* n = first; n != nullptr; n = n->next_sibling()) {
        if (n != first)
            out += between;
        out += n->serialize();
    }
    return out;
}

} // namespace

apString xmlDocument::serialize() const
{
    return joined(first_child(), apString("\n"));
}

apString xmlElement::serialize() const
{
    apString out = apString("<") + name_;
    for (int i = 0; i < attribute_map_->length(); ++i)
        out += apString(" ") + attribute_map_->item(i)->serialize();
    if (!has_child_nodes())
        return out + apString("/>");
    return out + apString(">") + joined(first_child(), apString::empty_string()) + apString("</") + name_ +
           apString(">");
}

apString xmlAttr::serialize() const
{
    return name_ + apString("=\"") + text() + apString("\"");
}

apString xmlText::serialize() const
{
    return value_;
}

apString xmlCDATASection::serialize() const
{
    return apString("<![CDATA[") + value_ + apString("]]>");
}

apString xmlComment::serialize() const
{
    return apString("<!--") + value_ + apString("-->");
}

apString xmlProcessingInstruction::serialize() const
{
    return apString("<?") + name_ + apString(" ") + value_ + apString("?>");
}

apString xmlDocumentFragment::serialize() const
{
    return joined(first_child(), apString::empty_string());
}

apString xmlDocumentType::serialize() const
{
    return apString("<!DOCTYPE ") + name_ + apString(">");
}

apString xmlEntity::serialize() const
{
    return apString("<!ENTITY ") + name_ + apString(">");
}

apString xmlEntityReference::serialize() const
{
    if (entity_ != nullptr && owner_->expand_entity_references())
        return joined(entity_->first_child(), apString::empty_string());
    return apString("&") + name_ + apString(";");
}
