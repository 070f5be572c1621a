#include "xml/xmlComment.h"

#include "xml/xmlDocument.h"
#include "xml/xmlSharedText.h"

namespace {

const apString& comment_name()
{
    static const apPermanentString text("#comment");
    return text;
}

} // namespace

xmlComment::xmlComment(const apString& text, xmlDocument* document)
    : xmlCharacterData(COMMENT_NODE, comment_name(), text, document)
{
}

xmlNode* xmlComment::clone_node(bool) const
{
    return owner_->create_comment(value_);
}

apString xmlComment::text() const
{
    return xml_empty_text();
}
