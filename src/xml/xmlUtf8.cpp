#include "xml/xmlUtf8.h"

#include <cstdint>
#include <cstring>

namespace xmlutf8 {

size_t width(codepoint c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : c < 0x200000 ? 4 : c < 0x4000000 ? 5 : c < 0x80000000u ? 6 : 7;
}

unsigned char* encode(codepoint c, unsigned char* out)
{
    const size_t n = width(c);
    if (n == 1) {
        *out = static_cast<unsigned char>(c);
        return out + 1;
    }
    static const unsigned char kLead[8] = {0, 0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE};
    for (size_t k = n - 1; k > 0; --k) {
        out[k] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        c >>= 6;
    }
    out[0] = static_cast<unsigned char>(kLead[n] | c);
    return out + n;
}

size_t count_characters(const unsigned char* p, size_t count)
{
    size_t n = 0;
    for (size_t i = 0; i < count; ++i)
        n += !is_continuation(p[i]);
    return n;
}

apString to_string(const unsigned char* p, size_t count)
{
    if (count == 0)
        return apString::empty_string();
    // Most text is ASCII: known eight bytes at a time, it is widened
    // without a count.
    size_t ascii = 0;
    for (std::uint64_t block; ascii + 8 <= count; ascii += 8) {
        std::memcpy(&block, p + ascii, 8);
        if (block & 0x8080808080808080ull)
            break;
    }
    while (ascii < count && p[ascii] < 0x80)
        ++ascii;
    const size_t n = ascii == count ? count : ascii + count_characters(p + ascii, count - ascii);
    codepoint* block = apString::allocate(n);
    if (n == count) {
        for (size_t i = 0; i < count; ++i)
            block[i] = p[i];
    } else {
        const unsigned char* const end = p + count;
        codepoint* out = block;
        while (p < end) {
            const size_t length = sequence_length(*p);
            *out++ = decode(p, length);
            p += length;
        }
    }
    return apString::adopt(block, n);
}

bool spells(const apString& text, const unsigned char* p, size_t count)
{
    const codepoint* units = text.data();
    const size_t length = text.length();
    size_t i = 0;
    size_t k = 0;
    // Names are mostly ASCII, one byte a character.
    if (count == length) {
        while (k < count && p[k] < 0x80 && units[k] == p[k])
            ++k;
        if (k == count)
            return true;
        if (p[k] < 0x80)
            return false;
        i = k;
    }
    while (k < count) {
        if (i == length)
            return false;
        const size_t n = sequence_length(p[k]);
        if (units[i++] != decode(p + k, n))
            return false;
        k += n;
    }
    return i == length;
}

void position(const unsigned char* p, size_t offset, int* line, int* column)
{
    *line = 1;
    *column = 1;
    if (offset == 0)
        return;
    int lines = 1;
    size_t line_start = 0;
    for (const unsigned char* feed = p; (feed = static_cast<const unsigned char*>(
                                              std::memchr(feed, '\n', offset - (feed - p)))) != nullptr;) {
        ++lines;
        ++feed;
        line_start = static_cast<size_t>(feed - p);
    }
    *line = lines;
    *column = 1 + static_cast<int>(count_characters(p + line_start, offset - line_start));
}

} // namespace xmlutf8
