#include "xml/xmlProcessingInstruction.h"

#include "xml/xmlDocument.h"
#include "xml/xmlSharedText.h"

xmlProcessingInstruction::xmlProcessingInstruction(const apString& target, const apString& data,
                                                   xmlDocument* document)
    : xmlNode(PROCESSING_INSTRUCTION_NODE, target, data, document)
{
}

xmlNode* xmlProcessingInstruction::clone_node(bool) const
{
    return owner_->create_processing_instruction(name_, value_);
}

apString xmlProcessingInstruction::text() const
{
    return xml_empty_text();
}

bool xmlProcessingInstruction::can_have_child(unsigned int) const
{
    return false;
}
