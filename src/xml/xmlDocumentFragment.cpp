#include "xml/xmlDocumentFragment.h"

#include "xml/xmlDocument.h"
#include "xml/xmlSharedText.h"

namespace {

const apString& fragment_name()
{
    static const apPermanentString text("#document-fragment");
    return text;
}

} // namespace

xmlDocumentFragment::xmlDocumentFragment(xmlDocument* document)
    : xmlNode(DOCUMENT_FRAGMENT_NODE, fragment_name(), xml_empty_text(), document)
{
}

xmlNode* xmlDocumentFragment::clone_node(bool deep) const
{
    xmlDocumentFragment* copy = owner_->create_document_fragment();
    if (deep)
        append_child_clones(copy);
    return copy;
}

apString xmlDocumentFragment::text() const
{
    return children_text();
}

bool xmlDocumentFragment::can_have_child(unsigned int type) const
{
    return xml_is_content_type(type);
}
