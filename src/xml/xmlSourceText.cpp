#include "xml/xmlSourceText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <istream>
#include <vector>

#include "core/codePage.h"
#include "core/unicode.h"
#include "xml/xmlUtf8.h"

namespace {

const unsigned char kNothing[1] = {0};

// The least window: a UTF-8 sequence and then some.
const size_t kLeastWindow = 16;

// Eight bytes none of which is above 0x7F, and so none that borrows: no 0
// either.
inline bool all_ascii(const unsigned char* s)
{
    std::uint64_t block;
    std::memcpy(&block, s, 8);
    return (((block - 0x0101010101010101ull) | block) & 0x8080808080808080ull) == 0;
}

} // namespace

xmlSourceText::xmlSourceText()
    : data_(kNothing), size_(0), characters_(0), base_(0), held_(0), in_(nullptr), start_(0), stream_at_(0),
      capacity_(0), reread_failed_(false)
{
}

void xmlSourceText::clear()
{
    owned_.reset();
    data_ = kNothing;
    size_ = 0;
    characters_ = 0;
    base_ = held_ = 0;
    in_ = nullptr;
    start_ = 0;
    stream_at_ = capacity_ = 0;
    reread_failed_ = false;
}

void xmlSourceText::take(std::unique_ptr<unsigned char[]> block, size_t size, unsigned long long characters)
{
    owned_ = std::move(block);
    data_ = owned_.get();
    size_ = held_ = size;
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
        if (end - s >= 8 && all_ascii(s)) {
            s += 8;
            characters += 8;
            continue;
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
    size_ = held_ = size;
    characters_ = characters;
    return true;
}

bool xmlSourceText::read_at(size_t at, unsigned char* into, size_t count)
{
    if (stream_at_ != at) {
        in_->clear();
        if (!in_->seekg(start_ + static_cast<std::streamoff>(at)))
            return false;
    }
    in_->read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(count));
    const bool whole = static_cast<size_t>(in_->gcount()) == count;
    stream_at_ = whole ? at + count : static_cast<size_t>(-1);
    return whole;
}

xmlParseError xmlSourceText::stream_utf8(std::istream& in, std::streamoff start, size_t count, size_t window)
{
    clear();
    in_ = &in;
    start_ = start;
    stream_at_ = static_cast<size_t>(-1);
    capacity_ = std::max(window, kLeastWindow);
    owned_.reset(new unsigned char[capacity_ + 1]);
    unsigned char* const block = owned_.get();

    // Checked whole first, a block at a time, so that an error in the
    // bytes is found before any node is made. A sequence cut by the
    // block's end is carried into the next block.
    size_t read = 0;  // bytes taken from the stream
    size_t carry = 0; // bytes at the block's start carried over
    size_t size = count;
    unsigned long long characters = 0;
    for (bool ended = false; !ended;) {
        const size_t more = std::min(capacity_ - carry, count - read);
        if (!read_at(read, block + carry, more))
            return ReadError;
        read += more;
        const bool last = read == count;
        const unsigned char* const end = block + carry + more;
        // Stops a step over broken bytes within the block.
        block[carry + more] = 0;
        const unsigned char* s = block;
        for (;;) {
            if (end - s >= 8 && all_ascii(s)) {
                s += 8;
                characters += 8;
                continue;
            }
            if (!last && end - s < 4)
                break;
            if (*s == 0) {
                size = read - static_cast<size_t>(end - s);
                ended = true;
                break;
            }
            if (*s < 0x80) {
                ++s;
            } else {
                bool valid = true;
                unicode::utf8_step(s, &valid);
                if (!valid)
                    return DecodeError;
            }
            ++characters;
        }
        carry = static_cast<size_t>(end - s);
        std::memmove(block, s, carry);
    }
    size_ = size;
    characters_ = characters;
    data_ = block;
    base_ = held_ = 0;
    fill();
    return reread_failed_ ? ReadError : NoError;
}

void xmlSourceText::fill()
{
    const size_t at = base_ + held_;
    const size_t more = std::min(capacity_ - held_, size_ - at);
    if (more == 0)
        return;
    if (!read_at(at, owned_.get() + held_, more)) {
        // The text ends where the stream stopped giving it.
        reread_failed_ = true;
        size_ = at;
        return;
    }
    held_ += more;
}

bool xmlSourceText::extend(size_t offset)
{
    while (in_ != nullptr && offset >= window_end() && window_end() < size_) {
        if (held_ == capacity_) {
            std::unique_ptr<unsigned char[]> larger(new unsigned char[2 * capacity_ + 1]);
            std::memcpy(larger.get(), owned_.get(), held_);
            owned_ = std::move(larger);
            data_ = owned_.get();
            capacity_ *= 2;
        }
        fill();
    }
    return offset < window_end();
}

void xmlSourceText::release_before(size_t offset)
{
    if (offset < release_from())
        return;
    const size_t gone = offset - base_;
    std::memmove(owned_.get(), owned_.get() + gone, held_ - gone);
    held_ -= gone;
    base_ = offset;
    fill();
}

void xmlSourceText::position(size_t offset, int* line, int* column)
{
    if (base_ == 0 && offset <= held_) {
        xmlutf8::position(data_, offset, line, column);
        return;
    }
    // Counted again from the stream: only an error asks.
    unsigned char chunk[4096];
    int lines = 1;
    size_t characters = 0; // since the last line feed
    for (size_t at = 0; at < offset;) {
        const size_t count = std::min(sizeof chunk, offset - at);
        if (!read_at(at, chunk, count))
            break;
        for (size_t i = 0; i < count; ++i) {
            if (chunk[i] == '\n') {
                ++lines;
                characters = 0;
            } else if (!xmlutf8::is_continuation(chunk[i])) {
                ++characters;
            }
        }
        at += count;
    }
    *line = lines;
    *column = 1 + static_cast<int>(characters);
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
