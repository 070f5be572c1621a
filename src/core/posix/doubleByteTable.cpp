#include "core/posix/doubleByteTable.h"

#include <algorithm>

namespace codepage {

namespace {

// The value of `code`, or 0.
unsigned int look_up(const codeRuns& table, unsigned int code)
{
    const unsigned int high = code >> 8;
    const codeRun* first = table.runs + table.index[high];
    const codeRun* end = table.runs + std::min<std::size_t>(table.index[high + 1] + 1u, table.count);
    const codeRun* hit =
        std::lower_bound(first, end, code, [](const codeRun& r, unsigned int c) { return r.last < c; });
    if (hit == end || code < hit->first)
        return 0;
    unsigned int offset = code - hit->first;
    return hit->pooled ? table.pool[hit->value + offset] : hit->value + offset;
}

bool is_lead_byte(const doubleByteTable& table, unsigned int byte)
{
    for (int k = 0; k + 1 < 12 && table.lead_bytes[k] != 0; k += 2)
        if (byte >= table.lead_bytes[k] && byte <= table.lead_bytes[k + 1])
            return true;
    return false;
}

const std::size_t kMaxCount = 0x7fffffff;

} // namespace

int double_byte_to_utf16(const doubleByteTable& table, const char* bytes, apWchar* out, int capacity)
{
    if (bytes == nullptr || capacity < 0)
        return 0;
    // One pass: with capacity 0 it only counts; otherwise it fails as soon
    // as the units outgrow `out`.
    const std::size_t room = static_cast<std::size_t>(capacity);
    std::size_t n = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    while (*p != 0) {
        unsigned int code = *p++;
        if (is_lead_byte(table, code)) {
            if (*p == 0)
                return 0; // a lead byte without its trail
            code = code << 8 | *p++;
        }
        unsigned int unit = look_up(table.decode, code);
        if (unit == 0 || n >= kMaxCount - 1)
            return 0;
        if (room > 0) {
            if (n + 1 >= room)
                return 0;
            out[n] = static_cast<apWchar>(unit);
        }
        ++n;
    }
    if (room > 0)
        out[n] = 0;
    return static_cast<int>(n + 1);
}

int double_byte_from_utf16(const doubleByteTable& table, const apWchar* text, char* out, int capacity,
                           int* used_default)
{
    if (used_default)
        *used_default = 0;
    if (text == nullptr || capacity < 0)
        return 0;
    const std::size_t room = static_cast<std::size_t>(capacity);
    std::size_t n = 0;
    bool used = false;
    // Unit by unit, surrogates included, as Windows converts them.
    for (const apWchar* p = text; *p != 0; ++p) {
        unsigned int code = look_up(table.encode, static_cast<std::uint16_t>(*p));
        if (code == 0) {
            code = table.default_char;
            used = true;
        }
        const std::size_t size = code > 0xFF ? 2 : 1;
        if (n + size >= kMaxCount)
            return 0;
        if (room > 0) {
            if (n + size >= room)
                return 0;
            if (size == 2)
                out[n] = static_cast<char>(code >> 8);
            out[n + size - 1] = static_cast<char>(code & 0xFF);
        }
        n += size;
    }
    if (room > 0)
        out[n] = 0;
    if (used_default && used)
        *used_default = 1;
    return static_cast<int>(n + 1);
}

} // namespace codepage
