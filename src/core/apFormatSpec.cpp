#include "core/apFormatSpec.h"

#include <climits>

namespace {

bool ends_directive(apString::codepoint c)
{
    switch (c) {
    case 's': case 'd': case 'u': case 'x': case 'X':
    case 'f': case 'e': case 'E': case 'g': case 'G': case '%':
        return true;
    default:
        return false;
    }
}

bool is_digit(apString::codepoint c)
{
    return c >= '0' && c <= '9';
}

// Reads a run of decimal digits at text[i]; the value saturates at INT_MAX
// instead of overflowing. Answers whether there was at least one digit.
bool read_number(const apString::codepoint* text, size_t& i, size_t end, int& value)
{
    value = 0;
    const size_t first = i;
    for (; i < end && is_digit(text[i]); ++i) {
        const int digit = static_cast<int>(text[i] - '0');
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return i > first;
}

} // namespace

size_t apFormatSpec::parse(const apString::codepoint* text, size_t start, size_t end)
{
    *this = apFormatSpec();
    size_t i = start + 1;

    int leading = 0;
    read_number(text, i, end, leading);
    if (leading != 0 && i < end && text[i] == '$') {
        positional = 1;
        position = leading;
        ++i;
        if (i < end && text[i] == '0') {
            zero_pad = 1;
            ++i;
        }
        read_number(text, i, end, width);
    } else if (leading != 0) {
        width = leading;
        zero_pad = text[start + 1] == '0';
    }

    if (i < end && text[i] == '.') {
        ++i;
        has_precision = read_number(text, i, end, precision);
    }

    if (i < end) {
        const apString::codepoint c = text[i];
        conversion = c != 0 && c < 0x80 ? static_cast<char>(c) : kForeign;
    } else {
        conversion = kForeign;
    }

    while (i < end && !ends_directive(text[i]))
        ++i;
    return i < end ? i + 1 : end;
}

bool apFormatSpec::reads_argument() const noexcept
{
    switch (conversion) {
    case 's': case 'd': case 'u': case 'x': case 'X':
    case 'f': case 'e': case 'E': case 'g': case 'G':
        return true;
    default:
        return false;
    }
}
