#include "xml/xmlTextCache.h"

#include <cstdint>
#include <cstring>

namespace {

const size_t kSlots = 512; // a power of two

} // namespace

apString xmlTextCache::get(const apString::codepoint* units, size_t count)
{
    if (count == 0)
        return apString::empty_string();
    if (count > longest)
        return apString(units, count, nullptr);
    std::uint32_t hash = 2166136261u;
    for (size_t i = 0; i < count; ++i)
        hash = (hash ^ units[i]) * 16777619u;
    if (slots_.empty())
        slots_.resize(kSlots);
    apString& slot = slots_[(hash ^ (hash >> 15)) & (kSlots - 1)];
    if (slot.length() != count || std::memcmp(slot.data(), units, count * sizeof(apString::codepoint)) != 0) {
        apString::codepoint* block = apString::allocate(count);
        std::memcpy(block, units, count * sizeof(apString::codepoint));
        slot = apString::adopt(block, count);
    }
    return slot;
}
