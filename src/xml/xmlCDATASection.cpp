#include "xml/xmlCDATASection.h"

#include "xml/xmlDocument.h"

namespace {

const apString& cdata_name()
{
    static const apPermanentString text("#cdata-section");
    return text;
}

} // namespace

xmlCDATASection::xmlCDATASection(const apString& text, xmlDocument* document)
    : xmlText(CDATA_SECTION_NODE, cdata_name(), text, document)
{
}

xmlNode* xmlCDATASection::clone_node(bool) const
{
    return owner_->create_cdata_section(value_);
}
