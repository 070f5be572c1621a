#include "xml/xmlText.h"

#include <utility>

#include "xml/xmlDocument.h"

namespace {

const apString& text_name()
{
    static const apPermanentString text("#text");
    return text;
}

} // namespace

xmlText::xmlText(apString text, xmlDocument* document)
    : xmlCharacterData(TEXT_NODE, text_name(), std::move(text), document)
{
}

xmlText::xmlText(unsigned int type, const apString& name, const apString& text, xmlDocument* document)
    : xmlCharacterData(type, name, text, document)
{
}

xmlNode* xmlText::clone_node(bool) const
{
    return owner_->create_text_node(value_);
}

apString xmlText::text() const
{
    return value_;
}
