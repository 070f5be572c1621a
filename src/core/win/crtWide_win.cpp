// Windows wide characters are UTF-16 units, which is also apWchar.
#include "core/crtWide.h"

namespace crtwide {

apString decode(const wchar_t* wide, size_t count, int* error)
{
    return apString(wide, count, error);
}

std::vector<wchar_t> encode(const apString& text)
{
    const wchar_t* w = text.utf16_str();
    size_t n = text.utf16_length();
    std::vector<wchar_t> wide(w ? w : L"", (w ? w : L"") + n);
    wide.push_back(0);
    return wide;
}

} // namespace crtwide
