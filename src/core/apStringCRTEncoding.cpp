#include "core/apStringCRTEncoding.h"

#include <vector>

#include "core/crtWide.h"

namespace {
const size_t kLimit = 0x7fffffff;
const size_t kFailed = static_cast<size_t>(-1);
}

apString apStringCRTEncoding::decode(const char* text, int* error) const
{
    *error = 0;
    if (text == nullptr)
        return apString();
    // Some runtimes count what they then refuse to convert: check both.
    size_t n = crtwide::to_wide(nullptr, text, kLimit);
    if (n != kFailed) {
        std::vector<wchar_t> wide(n + 1, 0);
        if (crtwide::to_wide(wide.data(), text, n + 1) != kFailed)
            return crtwide::decode(wide.data(), n, error);
    }
    apString failed("Failed to construct string from MB string.");
    *error = 1;
    return failed;
}

utString apStringCRTEncoding::encode(const apString& text, int* error) const
{
    *error = 0;
    if (text.is_null())
        return utString();
    std::vector<wchar_t> wide = crtwide::encode(text);
    size_t n = crtwide::to_multibyte(nullptr, wide.data(), kLimit);
    if (n != kFailed) {
        char* block = new char[n + 1];
        if (crtwide::to_multibyte(block, wide.data(), n + 1) != kFailed) {
            block[n] = 0;
            return utString::adopt(block, static_cast<int>(n));
        }
        delete[] block;
    }
    *error = 1;
    return utString("Failed to convert string to MB");
}

apIStringEncoding* default_string_encoding()
{
    // Created on first use, destroyed at exit (or when the library unloads).
    static apStringCRTEncoding encoding;
    return &encoding;
}
