#include "core/posix/singleByteTable.h"

#include <algorithm>
#include <cstring>

namespace codepage {

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
    const singleByteEntry* first = table.encode;
    const singleByteEntry* last = table.encode + table.encode_count;
    for (size_t i = 0; i + 1 < n; ++i) {
        std::uint16_t unit = static_cast<std::uint16_t>(text[i]);
        const singleByteEntry* hit = std::lower_bound(
            first, last, unit, [](const singleByteEntry& e, std::uint16_t u) { return e.unit < u; });
        if (hit != last && hit->unit == unit) {
            out[i] = static_cast<char>(hit->byte);
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
