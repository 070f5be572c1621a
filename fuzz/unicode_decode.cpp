// The UTF-8 and UTF-16 constructors of apString: whatever they accept must
// come back unchanged through the other form.
#include <cstring>
#include <string>
#include <vector>

#include "core/apString.h"
#include "fuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // UTF-8, zero-terminated as the constructor reads it.
    const std::string utf8(reinterpret_cast<const char*>(data), size);
    int error = 0;
    const apString from_utf8(utf8.c_str(), &error);
    if (!error) {
        fuzz_check(std::strcmp(from_utf8.utf8_str(), utf8.c_str()) == 0, "UTF-8 comes back as it went in");
        int again = 0;
        fuzz_check(apString(from_utf8.utf16_str(), &again) == from_utf8 && !again, "UTF-8 text survives UTF-16");
    }

    // The same bytes as UTF-16 units, low byte first, both as units and as
    // the little-endian byte constructor takes them.
    if (size < 2)
        return 0; // no unit: a null pointer for the one, no bytes for the other
    std::vector<apWchar> units(size / 2);
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<apWchar>(data[2 * i] | (data[2 * i + 1] << 8));
    int unit_error = 0;
    const apString from_units(units.data(), units.size(), &unit_error);
    int byte_error = 0;
    const apString from_bytes(data, size & ~size_t(1), &byte_error);
    fuzz_check(unit_error == byte_error, "units and little-endian bytes agree on errors");
    if (!unit_error) {
        fuzz_check(from_units == from_bytes, "units and little-endian bytes agree on text");
        int again = 0;
        fuzz_check(apString(from_units.utf8_str(), &again) == from_units && !again, "UTF-16 text survives UTF-8");
    }
    return 0;
}
