#include "xml/xmlCharacterData.h"

#include <utility>

xmlCharacterData::xmlCharacterData(unsigned int type, const apString& name, apString text,
                                   xmlDocument* document)
    : xmlNode(type, name, std::move(text), document)
{
}

bool xmlCharacterData::can_have_child(unsigned int) const
{
    return false;
}
