// POSIX wide characters are UTF-32 code points. The "C" locale of the C
// library refuses every byte above 0x7F, where the Windows C runtime takes
// each byte as the character of its number; the library gives the Windows
// answer there, and the host's locale everywhere else.
#include "core/crtWide.h"

#include <clocale>
#include <cstdlib>
#include <cstring>

namespace crtwide {

namespace {

const size_t kFailed = static_cast<size_t>(-1);

bool classic_locale()
{
    const char* name = std::setlocale(LC_CTYPE, nullptr);
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

} // namespace

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

size_t to_wide(wchar_t* out, const char* text, size_t limit)
{
    if (!classic_locale())
        return std::mbstowcs(out, text, limit);
    const size_t n = std::strlen(text);
    if (out == nullptr)
        return n;
    size_t i = 0;
    for (; i < n && i < limit; ++i)
        out[i] = static_cast<unsigned char>(text[i]);
    if (i < limit)
        out[i] = 0;
    return i;
}

size_t to_multibyte(char* out, const wchar_t* wide, size_t limit)
{
    if (!classic_locale())
        return std::wcstombs(out, wide, limit);
    size_t n = 0;
    for (; wide[n] != 0; ++n)
        if (wide[n] < 0 || wide[n] > 0xFF)
            return kFailed;
    if (out == nullptr)
        return n;
    size_t i = 0;
    for (; i < n && i < limit; ++i)
        out[i] = static_cast<char>(wide[i]);
    if (i < limit)
        out[i] = 0;
    return i;
}

} // namespace crtwide
