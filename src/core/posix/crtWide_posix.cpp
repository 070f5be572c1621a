// POSIX wide characters are UTF-32 code points.
#include "core/crtWide.h"

namespace crtwide {

apString decode(const wchar_t* wide, size_t count, int* error)
{
    static_assert(sizeof(wchar_t) == sizeof(apString::codepoint), "UTF-32 wchar_t");
    return apString(reinterpret_cast<const apString::codepoint*>(wide), count, error);
}

std::vector<wchar_t> encode(const apString& text)
{
    std::vector<wchar_t> wide(text.length() + 1, 0);
    for (size_t i = 0; i < text.length(); ++i)
        wide[i] = static_cast<wchar_t>(text[i]);
    return wide;
}

} // namespace crtwide
