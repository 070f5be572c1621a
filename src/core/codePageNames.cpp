#include "core/codePageNames.h"

#include <cctype>
#include <cstring>

#include "core/codePageList.h"

namespace {

// tolower is defined for unsigned char values only.
int lower_byte(int c)
{
    return std::tolower(static_cast<unsigned char>(c));
}

} // namespace

utString lower_case_name(const utString& name)
{
    utString lower(name);
    lower.transform(lower_byte);
    return lower;
}

bool is_name(const utString& text, const char* name)
{
    size_t length = static_cast<size_t>(text.length());
    return !text.is_null() && std::strlen(name) == length && std::memcmp(name, text.c_str(), length) == 0;
}

utString code_page_name(unsigned int cp)
{
    for (const codepage::codePageRow& row : codepage::kCodePages)
        if (row.number == cp)
            return ut_lit(row.name);
    return ut_lit("");
}

int code_page_from_name(const utString& name)
{
    utString lower = lower_case_name(name);
    if (lower.is_null())
        return 0;
    const size_t length = static_cast<size_t>(lower.length());
    for (const codepage::codePageRow& row : codepage::kCodePages) {
        // The aliases are separated by single spaces.
        for (const char* alias = row.aliases; *alias != 0;) {
            size_t size = std::strcspn(alias, " ");
            if (size == length && std::memcmp(alias, lower.c_str(), length) == 0)
                return static_cast<int>(row.number);
            alias += size;
            alias += *alias == ' ';
        }
    }
    return 0;
}
