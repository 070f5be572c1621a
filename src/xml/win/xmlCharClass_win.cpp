// Windows: the C runtime itself. Its wint_t is 16 bits wide, so a character
// beyond the first plane is classified by its low 16 bits.
#include "xml/xmlCharClass.h"

#include <cwctype>

namespace {

wint_t unit(apString::codepoint c)
{
    return static_cast<wint_t>(c & 0xFFFF);
}

} // namespace

bool xml_is_letter(apString::codepoint c)
{
    return std::iswalpha(unit(c)) != 0;
}

bool xml_is_alnum(apString::codepoint c)
{
    return std::iswalnum(unit(c)) != 0;
}

bool xml_is_digit(apString::codepoint c)
{
    return std::iswdigit(unit(c)) != 0;
}
