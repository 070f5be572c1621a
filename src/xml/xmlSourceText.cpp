#include "xml/xmlSourceText.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/codePage.h"
#include "core/unicode.h"
#include "xml/xmlUtf8.h"

namespace {

const unsigned char kNothing[1] = {0};

} // namespace

xmlSourceText::xmlSourceText() : data_(kNothing), size_(0), characters_(0) {}

void xmlSourceText::clear()
{
    owned_.reset();
    data_ = kNothing;
    size_ = 0;
    characters_ = 0;
}

void xmlSourceText::take(std::unique_ptr<unsigned char[]> block, size_t size, unsigned long long characters)
{
    owned_ = std::move(block);
    data_ = owned_.get();
    size_ = size;
    characters_ = characters;
}

template <class Walk>
bool xmlSourceText::encode(Walk walk)
{
    // One walk to measure, one to write: the block is exact.
    size_t size = 0;
    unsigned long long characters = 0;
    bool ended = false;
    const bool valid = walk([&](std::uint32_t c) {
        if (ended || c == 0) {
            ended = true;
            return;
        }
        size += xmlutf8::width(c);
        ++characters;
    });
    if (!valid)
        return false;
    std::unique_ptr<unsigned char[]> block(new unsigned char[size + 1]);
    unsigned char* out = block.get();
    ended = false;
    walk([&](std::uint32_t c) {
        if (ended || c == 0) {
            ended = true;
            return;
        }
        out = xmlutf8::encode(c, out);
    });
    *out = 0;
    take(std::move(block), size, characters);
    return true;
}

bool xmlSourceText::adopt_utf8(std::unique_ptr<unsigned char[]> bytes, size_t count, size_t skip)
{
    // Checked up to the first 0, eight ASCII bytes at a time.
    const unsigned char* const start = bytes.get() + skip;
    const unsigned char* const end = bytes.get() + count;
    const unsigned char* s = start;
    unsigned long long characters = 0;
    bool valid = true;
    for (;;) {
        if (end - s >= 8) {
            std::uint64_t block;
            std::memcpy(&block, s, 8);
            // No byte above 0x7F, and so none that borrows: no 0 either.
            if ((((block - 0x0101010101010101ull) | block) & 0x8080808080808080ull) == 0) {
                s += 8;
                characters += 8;
                continue;
            }
        }
        if (*s == 0)
            break;
        if (*s < 0x80)
            ++s;
        else
            unicode::utf8_step(s, &valid);
        ++characters;
    }
    if (!valid)
        return false;
    const size_t size = static_cast<size_t>(s - start);
    owned_ = std::move(bytes);
    data_ = start;
    size_ = size;
    characters_ = characters;
    return true;
}

xmlParseError xmlSourceText::adopt(std::unique_ptr<unsigned char[]> bytes, size_t count, size_t skip,
                                   const apEncodingDescriptor& encoding)
{
    clear();
    const unsigned char* const body = bytes.get() + skip;
    const size_t body_count = count - skip;
    bool valid = true;
    switch (encoding.kind()) {
    case apEncodingDescriptor::kind_utf8:
        valid = adopt_utf8(std::move(bytes), count, skip);
        break;
    case apEncodingDescriptor::kind_utf16:
        valid = encode([&](auto&& sink) {
            auto unit = [body](size_t i) { return (static_cast<std::uint32_t>(body[2 * i]) << 8) | body[2 * i + 1]; };
            return unicode::utf16_walk(unit, body_count / 2, sink);
        });
        break;
    case apEncodingDescriptor::kind_utf16le:
        // An odd last byte is a unit whose high byte is 0.
        valid = encode([&](auto&& sink) {
            auto unit = [body, body_count](size_t i) {
                const std::uint32_t high = 2 * i + 1 < body_count ? body[2 * i + 1] : 0;
                return body[2 * i] | (high << 8);
            };
            return unicode::utf16_walk(unit, (body_count + 1) / 2, sink);
        });
        break;
    case apEncodingDescriptor::kind_utf32:
        // Taken as code points unchecked.
        valid = encode([&](auto&& sink) {
            for (size_t i = 0; i + 4 <= body_count; i += 4) {
                const unsigned char* b = body + i;
                sink((static_cast<std::uint32_t>(b[0]) << 24) | (static_cast<std::uint32_t>(b[1]) << 16) |
                     (static_cast<std::uint32_t>(b[2]) << 8) | b[3]);
            }
            return true;
        });
        break;
    case apEncodingDescriptor::kind_code_page: {
        const char* text = reinterpret_cast<const char*>(bytes.get());
        const int n = codepage::to_utf16(encoding.code_page(), text, nullptr, 0);
        if (n <= 0)
            return DecodeError;
        std::vector<apWchar> wide(static_cast<size_t>(n));
        if (codepage::to_utf16(encoding.code_page(), text, wide.data(), n) == 0)
            return DecodeError;
        bytes.reset();
        // The code page's own answer, whatever it is, is the text.
        encode([&](auto&& sink) {
            auto unit = [&wide](size_t i) { return static_cast<std::uint32_t>(wide[i]) & 0xFFFFu; };
            unicode::utf16_walk(unit, wide.size() - 1, sink);
            return true;
        });
        break;
    }
    case apEncodingDescriptor::kind_none:
        return DecodeError;
    default:
        return UnsupportedEncoding;
    }
    return valid ? NoError : DecodeError;
}

void xmlSourceText::assign(const apString& text)
{
    const apString::codepoint* units = text.data();
    const size_t length = text.length();
    encode([&](auto&& sink) {
        for (size_t i = 0; i < length; ++i)
            sink(units[i]);
        return true;
    });
}
