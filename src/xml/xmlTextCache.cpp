#include "xml/xmlTextCache.h"

#include <cstdint>
#include <cstring>

namespace {

const size_t kFewSlots = 32;
const size_t kManySlots = 512;
// From this length on a text gets the many slots.
const size_t kLongText = 16 * 1024;

// The text has no 0 in it, so its length need not be searched.
apString copy(const apString::codepoint* units, size_t count)
{
    apString::codepoint* block = apString::allocate(count);
    std::memcpy(block, units, count * sizeof(apString::codepoint));
    return apString::adopt(block, count);
}

} // namespace

void xmlTextCache::prepare(size_t length)
{
    const size_t wanted = length >= kLongText ? kManySlots : kFewSlots;
    if (slots_.size() < wanted)
        slots_.clear();
    slot_count_ = slots_.empty() ? wanted : slots_.size();
}

const apString& xmlTextCache::get(const apString::codepoint* units, size_t count)
{
    if (count == 0) {
        if (empty_.is_null())
            empty_ = apString::empty_string();
        return empty_;
    }
    if (count > longest) {
        long_ = copy(units, count);
        return long_;
    }
    std::uint32_t hash = 2166136261u;
    for (size_t i = 0; i < count; ++i)
        hash = (hash ^ units[i]) * 16777619u;
    if (slots_.empty())
        slots_.resize(slot_count_);
    apString& slot = slots_[(hash ^ (hash >> 15)) & (slots_.size() - 1)];
    if (slot.length() != count || std::memcmp(slot.data(), units, count * sizeof(apString::codepoint)) != 0)
        slot = copy(units, count);
    return slot;
}
