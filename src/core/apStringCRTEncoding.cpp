#include "core/apStringCRTEncoding.h"

#include <cstdlib>
#include <vector>

#include "core/crtWide.h"

namespace {
const size_t kLimit = 0x7fffffff;
}

apString apStringCRTEncoding::decode(const char* text, int* error) const
{
    *error = 0;
    if (text == nullptr)
        return apString();
    size_t n = std::mbstowcs(nullptr, text, kLimit);
    if (n == static_cast<size_t>(-1)) {
        apString failed("Failed to construct string from MB string.");
        *error = 1;
        return failed;
    }
    std::vector<wchar_t> wide(n + 1, 0);
    std::mbstowcs(wide.data(), text, n + 1);
    return crtwide::decode(wide.data(), n, error);
}

utString apStringCRTEncoding::encode(const apString& text, int* error) const
{
    *error = 0;
    if (text.is_null())
        return utString();
    std::vector<wchar_t> wide = crtwide::encode(text);
    size_t n = std::wcstombs(nullptr, wide.data(), kLimit);
    if (n == static_cast<size_t>(-1)) {
        *error = 1;
        return utString("Failed to convert string to MB");
    }
    char* block = new char[n + 1];
    std::wcstombs(block, wide.data(), n + 1);
    block[n] = 0;
    return utString::adopt(block, static_cast<int>(n));
}

apIStringEncoding* default_string_encoding()
{
    // Created on first use and destroyed at exit; callers never own it.
    static apStringCRTEncoding* instance = [] {
        static apStringCRTEncoding encoding;
        return &encoding;
    }();
    return instance;
}
