#include "core/apStringCPEncoding.h"

#include <memory>
#include <vector>

#include "core/codePage.h"

apString apStringCPEncoding::decode(const char* text, int* error) const
{
    int n = codepage::to_utf16(code_page_, text, nullptr, 0);
    if (n > 0) {
        std::vector<apWchar> wide(n);
        if (codepage::to_utf16(code_page_, text, wide.data(), n) != 0) {
            int ignored = 0;
            apString result(wide.data(), &ignored);
            *error = 0;
            return result;
        }
    }
    apString failed("Failed to convert to apString.");
    *error = 1;
    return failed;
}

utString apStringCPEncoding::encode(const apString& text, int* error) const
{
    *error = 0;
    const apWchar* wide = text.utf16_str();
    int n = codepage::from_utf16(code_page_, wide, nullptr, 0, nullptr);
    if (n > 0) {
        // Held until adopted: the conversion itself may allocate and fail.
        std::unique_ptr<char[]> block(new char[n]);
        if (codepage::from_utf16(code_page_, wide, block.get(), n, error) != 0)
            return utString::adopt(block.release(), n - 1);
    }
    *error = 1;
    return ut_lit("Failed to convert to 8-bit encoding.");
}
