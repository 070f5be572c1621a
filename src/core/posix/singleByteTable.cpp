#include "core/posix/singleByteTable.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace codepage {

namespace {

// The byte of every unit below 0x100, or -1 for the default character,
// looked up once per table: most text is Latin, and a lookup in the table
// is a binary search.
struct LowUnits {
    std::int16_t byte[256];
};

const singleByteEntry* find_unit(const singleByteTable& table, std::uint16_t unit)
{
    const singleByteEntry* first = table.encode;
    const singleByteEntry* last = table.encode + table.encode_count;
    const singleByteEntry* hit = std::lower_bound(
        first, last, unit, [](const singleByteEntry& e, std::uint16_t u) { return e.unit < u; });
    return hit != last && hit->unit == unit ? hit : nullptr;
}

const LowUnits& low_units(const singleByteTable& table)
{
    static std::vector<std::pair<const singleByteTable*, std::unique_ptr<LowUnits>>> made;
    for (const auto& entry : made)
        if (entry.first == &table)
            return *entry.second;
    std::unique_ptr<LowUnits> low(new LowUnits);
    for (std::uint16_t unit = 0; unit < 256; ++unit) {
        const singleByteEntry* hit = find_unit(table, unit);
        low->byte[unit] = hit ? static_cast<std::int16_t>(hit->byte) : static_cast<std::int16_t>(-1);
    }
    made.emplace_back(&table, std::move(low));
    return *made.back().second;
}

} // namespace

int single_byte_to_utf16(const singleByteTable& table, const char* bytes, apWchar* out, int capacity)
{
    if (bytes == nullptr)
        return 0;
    // One unit per byte, so the count is known before converting.
    size_t n = std::strlen(bytes) + 1;
    if (n > static_cast<size_t>(0x7fffffff))
        return 0;
    for (size_t i = 0; i + 1 < n; ++i)
        if (table.decode[static_cast<unsigned char>(bytes[i])] == 0)
            return 0;
    if (capacity == 0)
        return static_cast<int>(n);
    if (capacity < 0 || static_cast<size_t>(capacity) < n)
        return 0;
    for (size_t i = 0; i < n; ++i)
        out[i] = static_cast<apWchar>(table.decode[static_cast<unsigned char>(bytes[i])]);
    return static_cast<int>(n);
}

int single_byte_from_utf16(const singleByteTable& table, const apWchar* text, char* out, int capacity,
                           int* used_default)
{
    if (used_default)
        *used_default = 0;
    if (text == nullptr)
        return 0;
    // One byte per unit: Windows converts surrogates one unit at a time too.
    size_t n = 1;
    while (text[n - 1] != 0)
        ++n;
    if (n > static_cast<size_t>(0x7fffffff))
        return 0;
    if (capacity == 0)
        return static_cast<int>(n);
    if (capacity < 0 || static_cast<size_t>(capacity) < n)
        return 0;
    const LowUnits& low = low_units(table);
    for (size_t i = 0; i + 1 < n; ++i) {
        const std::uint16_t unit = static_cast<std::uint16_t>(text[i]);
        int byte = -1;
        if (unit < 256) {
            byte = low.byte[unit];
        } else if (const singleByteEntry* hit = find_unit(table, unit)) {
            byte = hit->byte;
        }
        if (byte >= 0) {
            out[i] = static_cast<char>(byte);
        } else {
            out[i] = static_cast<char>(table.default_char);
            if (used_default)
                *used_default = 1;
        }
    }
    out[n - 1] = 0;
    return static_cast<int>(n);
}

} // namespace codepage
