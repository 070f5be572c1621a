#include "xml/xmlCharacterData.h"

xmlCharacterData::xmlCharacterData(unsigned int type, const apString& name, const apString& text,
                                   xmlDocument* document)
    : xmlNode(type, name, text, document)
{
}

bool xmlCharacterData::can_have_child(unsigned int) const
{
    return false;
}
