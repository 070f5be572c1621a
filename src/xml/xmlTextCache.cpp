#include "xml/xmlTextCache.h"

#include <cstdint>
#include <cstring>

#include "xml/xmlUtf8.h"

namespace {

const size_t kFewSlots = 32;
const size_t kManySlots = 512;
// From this length on a text gets the many slots.
const size_t kLongText = 16 * 1024;

std::uint64_t load64(const unsigned char* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

std::uint32_t load32(const unsigned char* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// A hash of 1 to `longest` bytes, a word at a time: a short text is covered
// by two loads that may overlap, a longer one by whole words and a last one
// that ends with it. Equal bytes give equal hashes on one machine, which is
// all a cache of this run needs. The high bits mix best.
std::uint64_t hash_bytes(const unsigned char* p, size_t n)
{
    const std::uint64_t mix = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = n * mix;
    if (n >= 8) {
        for (size_t i = 0; i + 8 < n; i += 8)
            h = (h ^ load64(p + i)) * mix;
        h = (h ^ load64(p + n - 8)) * mix;
    } else if (n >= 4) {
        h = (h ^ (load32(p) | static_cast<std::uint64_t>(load32(p + n - 4)) << 32)) * mix;
    } else {
        h = (h ^ (p[0] | static_cast<std::uint64_t>(p[n / 2]) << 8 | static_cast<std::uint64_t>(p[n - 1]) << 16)) * mix;
    }
    return h >> 40;
}

} // namespace

void xmlTextCache::prepare(size_t length)
{
    const size_t wanted = length >= kLongText ? kManySlots : kFewSlots;
    if (slots_.size() < wanted)
        slots_.clear();
    slot_count_ = slots_.empty() ? wanted : slots_.size();
}

const apString& xmlTextCache::get(const unsigned char* bytes, size_t count)
{
    if (count == 0) {
        if (empty_.is_null())
            empty_ = apString::empty_string();
        return empty_;
    }
    if (count > longest) {
        long_ = xmlutf8::to_string(bytes, count);
        return long_;
    }
    if (slots_.empty())
        slots_.resize(slot_count_);
    Slot& slot = slots_[hash_bytes(bytes, count) & (slots_.size() - 1)];
    if (slot.size != count || std::memcmp(slot.bytes, bytes, count) != 0) {
        slot.text = xmlutf8::to_string(bytes, count);
        slot.size = count;
        std::memcpy(slot.bytes, bytes, count);
    }
    return slot.text;
}
