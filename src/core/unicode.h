// UTF-8 and UTF-16 transcoding for apString and the document loader.
//
// Each decoder is one walk over its input that hands code points to a sink;
// the counting pass and the converting pass run the same walk, so they agree
// by construction. An invalid step yields "?" and makes the walk report
// failure, but decoding goes on to the end.
#ifndef QEL_CORE_UNICODE_H
#define QEL_CORE_UNICODE_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace unicode {

constexpr std::uint32_t kReplacement = 0x3F; // "?"

inline bool is_continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// One step of the UTF-8 walk at a non-ASCII lead byte: reads the sequence
// from `s` on, moves `s` past it and answers the code point, or "?" with
// *valid cleared. The terminator ends a sequence early.
inline std::uint32_t utf8_step(const unsigned char*& s, bool* valid)
{
    unsigned char lead = *s++;
    int more;
    std::uint32_t cp;
    if (lead < 0xC0 || lead >= 0xF8) {
        while (is_continuation(*s))
            ++s;
        *valid = false;
        return kReplacement;
    } else if (lead < 0xE0) {
        more = 1;
        cp = lead & 0x1F;
    } else if (lead < 0xF0) {
        more = 2;
        cp = lead & 0x0F;
    } else {
        more = 3;
        cp = lead & 0x07;
    }
    bool ok = true;
    for (int i = 0; i < more; ++i) {
        if (!is_continuation(*s)) { // also stops at the terminator
            ok = false;
            break;
        }
        cp = (cp << 6) | (*s++ & 0x3F);
    }
    if (ok) {
        static const std::uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[more] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            ok = false;
    }
    if (!ok) {
        *valid = false;
        return kReplacement;
    }
    return cp;
}

// Walks zero-terminated UTF-8; returns true when every step was valid.
template <class Sink>
bool utf8_walk(const unsigned char* s, Sink&& sink)
{
    bool valid = true;
    while (*s) {
        if (*s < 0x80)
            sink(*s++);
        else
            sink(utf8_step(s, &valid));
    }
    return valid;
}

inline size_t utf8_decoded_length(const unsigned char* s)
{
    size_t n = 0;
    utf8_walk(s, [&n](std::uint32_t) { ++n; });
    return n;
}

inline bool utf8_decode(const unsigned char* s, std::uint32_t* out)
{
    return utf8_walk(s, [&out](std::uint32_t cp) { *out++ = cp; });
}

// The number of code points of `count` bytes of valid UTF-8: its bytes
// that are not continuation bytes. Invalid text may decode to more.
inline size_t utf8_valid_length(const unsigned char* s, size_t count)
{
    size_t n = 0;
    for (size_t i = 0; i < count; ++i)
        n += (s[i] & 0xC0) != 0x80;
    return n;
}

// The walk of utf8_decode over `count` bytes followed by a terminator, for
// text expected to be valid: writes at most `capacity` code points, answers
// how many there were, and clears *valid on an invalid step or when the
// capacity is short. Runs of ASCII go eight bytes at a time.
inline size_t utf8_decode_counted(const unsigned char* s, size_t count, std::uint32_t* out,
                                  size_t capacity, bool* valid)
{
    const unsigned char* const end = s + count;
    size_t n = 0;
    while (s < end) {
        if (end - s >= 8 && capacity - n >= 8) {
            std::uint64_t block;
            std::memcpy(&block, s, 8);
            if ((block & 0x8080808080808080ull) == 0) {
                for (int k = 0; k < 8; ++k)
                    out[n + k] = s[k];
                s += 8;
                n += 8;
                continue;
            }
        }
        if (n == capacity) {
            *valid = false;
            return n;
        }
        if (*s < 0x80)
            out[n++] = *s++;
        else
            out[n++] = utf8_step(s, valid);
    }
    return n;
}

// Walks `count` UTF-16 units read through unit(i).
template <class Unit, class Sink>
bool utf16_walk(Unit&& unit, size_t count, Sink&& sink)
{
    bool valid = true;
    size_t i = 0;
    while (i < count) {
        std::uint32_t u = unit(i++);
        if (u < 0xD800 || u > 0xDFFF) {
            sink(u);
        } else if (u <= 0xDBFF) {
            std::uint32_t low = i < count ? unit(i) : 0;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                ++i;
                sink(0x10000 + (((u - 0xD800) << 10) | (low & 0x3FF)));
            } else {
                sink(kReplacement);
                valid = false;
            }
        } else {
            while (i < count) {
                std::uint32_t next = unit(i);
                if (next < 0xDC00 || next > 0xDFFF)
                    break;
                ++i;
            }
            sink(kReplacement);
            valid = false;
        }
    }
    return valid;
}

template <class Unit>
size_t utf16_decoded_length(Unit&& unit, size_t count)
{
    size_t n = 0;
    utf16_walk(unit, count, [&n](std::uint32_t) { ++n; });
    return n;
}

template <class Unit>
bool utf16_decode(Unit&& unit, size_t count, std::uint32_t* out)
{
    return utf16_walk(unit, count, [&out](std::uint32_t cp) { *out++ = cp; });
}

inline size_t utf8_encoded_length(const std::uint32_t* cps, size_t count)
{
    size_t n = 0;
    for (size_t i = 0; i < count; ++i) {
        std::uint32_t c = cps[i];
        n += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    return n;
}

// Writes the UTF-8 bytes (no terminator); returns the end.
inline unsigned char* utf8_encode(const std::uint32_t* cps, size_t count, unsigned char* out)
{
    for (size_t i = 0; i < count; ++i) {
        std::uint32_t c = cps[i];
        if (c < 0x80) {
            *out++ = static_cast<unsigned char>(c);
        } else if (c < 0x800) {
            *out++ = static_cast<unsigned char>(0xC0 | (c >> 6));
            *out++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *out++ = static_cast<unsigned char>(0xE0 | (c >> 12));
            *out++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
        } else {
            *out++ = static_cast<unsigned char>(0xF0 | ((c >> 18) & 0x07));
            *out++ = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
            *out++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

inline size_t utf16_encoded_length(const std::uint32_t* cps, size_t count)
{
    size_t n = count;
    for (size_t i = 0; i < count; ++i)
        n += cps[i] > 0xFFFF;
    return n;
}

template <class Unit>
Unit* utf16_encode(const std::uint32_t* cps, size_t count, Unit* out)
{
    for (size_t i = 0; i < count; ++i) {
        std::uint32_t c = cps[i];
        if (c <= 0xFFFF) {
            *out++ = static_cast<Unit>(c);
        } else {
            *out++ = static_cast<Unit>(0xD800 | (((c - 0x10000) >> 10) & 0x3FF));
            *out++ = static_cast<Unit>(0xDC00 | ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

} // namespace unicode

#endif
