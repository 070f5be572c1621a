#include "xml/xmlWideUnits.h"

#include <cstdint>
#include <ostream>
#include <vector>

#include "core/unicode.h"

namespace xmlunits {

namespace {

// Each unit is split into `width` bytes, most significant first when
// `big_endian`; the whole text goes out in one write.
template <class Units>
void write_units(std::ostream& out, const Units* units, size_t count, int width, bool big_endian)
{
    if (count == 0)
        return;
    std::vector<char> bytes(count * width);
    char* p = bytes.data();
    for (size_t i = 0; i < count; ++i) {
        std::uint32_t u = static_cast<std::uint32_t>(units[i]) & (width == 2 ? 0xFFFFu : 0xFFFFFFFFu);
        for (int b = 0; b < width; ++b) {
            int shift = big_endian ? 8 * (width - 1 - b) : 8 * b;
            *p++ = static_cast<char>((u >> shift) & 0xFF);
        }
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

void write_utf16be(std::ostream& out, const apString& text)
{
    if (text.is_empty())
        return;
    write_units(out, text.utf16_str(), text.utf16_length(), 2, true);
}

void write_utf32be(std::ostream& out, const apString& text)
{
    write_units(out, text.data(), text.length(), 4, true);
}

void write_utf32le(std::ostream& out, const apString& text)
{
    write_units(out, text.data(), text.length(), 4, false);
}

} // namespace xmlunits
