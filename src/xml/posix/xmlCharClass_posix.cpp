// POSIX: the classes of the Windows C runtime, from tables generated there
// (tools/ctypegen). The local C library is not asked: its answers depend on
// the host's locale and differ from Windows outside ASCII.
#include "xml/xmlCharClass.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

struct Range {
    std::uint16_t first;
    std::uint16_t last;
};

#include "xml/posix/xmlCharClassTables.inc"

template <size_t N>
bool in(const Range (&ranges)[N], apString::codepoint c)
{
    const std::uint16_t u = static_cast<std::uint16_t>(c & 0xFFFF);
    const Range* r = std::upper_bound(std::begin(ranges), std::end(ranges), u,
                                      [](std::uint16_t v, const Range& range) { return v < range.first; });
    return r != std::begin(ranges) && u <= (r - 1)->last;
}

} // namespace

bool xml_is_letter(apString::codepoint c)
{
    return in(alpha_ranges, c);
}

bool xml_is_alnum(apString::codepoint c)
{
    return in(alnum_ranges, c);
}

bool xml_is_digit(apString::codepoint c)
{
    return in(digit_ranges, c);
}
