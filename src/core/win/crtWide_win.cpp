// Windows wide characters are UTF-16 units, which is also apWchar.
#include "core/crtWide.h"

#include <cstdlib>

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

size_t to_wide(wchar_t* out, const char* text, size_t limit)
{
    return std::mbstowcs(out, text, limit);
}

size_t to_multibyte(char* out, const wchar_t* wide, size_t limit)
{
    return std::wcstombs(out, wide, limit);
}

} // namespace crtwide
