#include "xml/xmlTextCache.h"

#include <cstdint>

#include "xml/xmlUtf8.h"

namespace {

const size_t kFewSlots = 32;
const size_t kManySlots = 512;
// From this length on a text gets the many slots.
const size_t kLongText = 16 * 1024;

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
    std::uint32_t hash = 2166136261u;
    for (size_t i = 0; i < count; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    if (slots_.empty())
        slots_.resize(slot_count_);
    apString& slot = slots_[(hash ^ (hash >> 15)) & (slots_.size() - 1)];
    if (slot.is_null() || !xmlutf8::spells(slot, bytes, count))
        slot = xmlutf8::to_string(bytes, count);
    return slot;
}
