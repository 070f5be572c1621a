#include "core/posix/iconvCodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

namespace codepage {

namespace {

struct charsetName {
    unsigned int cp;
    const char* name;
};

// The multi-byte code pages; the single-byte ones have tables.
const charsetName kCharsets[] = {
    {932, "CP932"}, {936, "CP936"}, {949, "CP949"}, {950, "CP950"}, {50225, "ISO-2022-KR"},
};

// One conversion descriptor, closed on every way out.
class converter {
public:
    converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~converter()
    {
        if (ok())
            iconv_close(cd_);
    }
    converter(const converter&) = delete;
    converter& operator=(const converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of [in, in + size) and appends it to `out`; false with
    // `in` and `size` at the offending input when iconv refuses it.
    bool run(const char*& in, size_t& size, std::string& out)
    {
        char buffer[256];
        for (;;) {
            char* src = const_cast<char*>(in);
            char* dst = buffer;
            size_t room = sizeof buffer;
            size_t r = in ? iconv(cd_, &src, &size, &dst, &room) : iconv(cd_, nullptr, nullptr, &dst, &room);
            if (in)
                in = src;
            out.append(buffer, dst);
            if (r != static_cast<size_t>(-1))
                return true;
            if (errno != E2BIG)
                return false;
        }
    }

private:
    iconv_t cd_;
};

template <typename T>
int deliver(const std::basic_string<T>& result, T* out, int capacity)
{
    if (result.size() >= static_cast<size_t>(0x7fffffff))
        return 0;
    int n = static_cast<int>(result.size()) + 1;
    if (capacity == 0)
        return n;
    if (capacity < n)
        return 0;
    std::memcpy(out, result.data(), result.size() * sizeof(T));
    out[n - 1] = 0;
    return n;
}

bool is_high_surrogate(unsigned u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low_surrogate(unsigned u) { return u >= 0xDC00 && u <= 0xDFFF; }

} // namespace

const char* iconv_charset(unsigned int cp)
{
    for (const charsetName& c : kCharsets)
        if (c.cp == cp)
            return c.name;
    return nullptr;
}

int iconv_to_utf16(const char* charset, const char* bytes, apWchar* out, int capacity)
{
    if (bytes == nullptr)
        return 0;
    converter cd("UTF-16LE", charset);
    if (!cd.ok())
        return 0;
    const char* in = bytes;
    size_t size = std::strlen(bytes);
    std::string le;
    // An invalid or truncated sequence fails the whole conversion. Some
    // decoders hold back a character that a combining one might follow.
    const char* none = nullptr;
    size_t zero = 0;
    if (!cd.run(in, size, le) || !cd.run(none, zero, le))
        return 0;
    std::basic_string<apWchar> units;
    units.reserve(le.size() / 2);
    for (size_t i = 0; i + 1 < le.size(); i += 2)
        units.push_back(static_cast<apWchar>(static_cast<unsigned char>(le[i]) |
                                             static_cast<unsigned char>(le[i + 1]) << 8));
    return deliver(units, out, capacity);
}

int iconv_from_utf16(const char* charset, const apWchar* text, char* out, int capacity, int* used_default)
{
    if (used_default)
        *used_default = 0;
    if (text == nullptr)
        return 0;
    converter cd(charset, "UTF-16LE");
    if (!cd.ok())
        return 0;
    std::string le;
    for (const apWchar* p = text; *p; ++p) {
        unsigned u = static_cast<unsigned>(static_cast<std::uint16_t>(*p));
        le.push_back(static_cast<char>(u & 0xFF));
        le.push_back(static_cast<char>(u >> 8));
    }
    const char* in = le.data();
    size_t size = le.size();
    std::string result;
    static const char kDefault[] = {'?', 0};
    while (!cd.run(in, size, result)) {
        // No counterpart (or a lone surrogate): the default character, once
        // per UTF-16 unit as Windows writes it, passed through iconv so that
        // a shifting encoding stays in step.
        if (size < 2)
            break;
        unsigned u = static_cast<unsigned char>(in[0]) | static_cast<unsigned char>(in[1]) << 8;
        size_t skip = 2;
        if (is_high_surrogate(u) && size >= 4) {
            unsigned next = static_cast<unsigned char>(in[2]) | static_cast<unsigned char>(in[3]) << 8;
            if (is_low_surrogate(next))
                skip = 4;
        }
        for (size_t k = 0; k < skip; k += 2) {
            const char* d = kDefault;
            size_t dsize = 2;
            cd.run(d, dsize, result);
        }
        in += skip;
        size -= skip;
        if (used_default)
            *used_default = 1;
    }
    // Back to the initial shift state.
    const char* none = nullptr;
    size_t zero = 0;
    cd.run(none, zero, result);
    return deliver(result, out, capacity);
}

} // namespace codepage
