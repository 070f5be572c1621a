#include "xml/xmlTextCache.h"

#include <cstdint>
#include <cstring>

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
    Slot& slot = slots_[(hash ^ (hash >> 15)) & (slots_.size() - 1)];
    if (slot.size != count || std::memcmp(slot.bytes, bytes, count) != 0) {
        slot.text = xmlutf8::to_string(bytes, count);
        slot.size = count;
        std::memcpy(slot.bytes, bytes, count);
    }
    return slot.text;
}
