#include "core/apString.h"

#include <atomic>
#include <cstring>
#include <new>
#include <ostream>
#include <utility>

#include "core/unicode.h"

// One allocation holds the share count and the code points, so a new string
// costs exactly one allocation and a copy one atomic increment. A negative
// count marks a permanent buffer, which is neither counted nor freed.
struct apString::Rep {
    std::atomic<int> refs;
    codepoint units[1];

    static const int permanent = -1;

    void share() noexcept
    {
        if (refs.load(std::memory_order_relaxed) != permanent)
            refs.fetch_add(1, std::memory_order_relaxed);
    }
    // True when this was the last share. A sole owner needs no atomic
    // decrement: nobody else holds the buffer, so nobody can copy it now.
    bool unshare() noexcept
    {
        const int now = refs.load(std::memory_order_acquire);
        if (now == permanent)
            return false;
        return now == 1 || refs.fetch_sub(1, std::memory_order_acq_rel) == 1;
    }

    static Rep* make(size_t count)
    {
        void* block = ::operator new(offsetof(Rep, units) + (count + 1) * sizeof(codepoint));
        Rep* rep = static_cast<Rep*>(block);
        new (&rep->refs) std::atomic<int>(1);
        rep->units[count] = 0;
        return rep;
    }
    static Rep* of(codepoint* units)
    {
        return reinterpret_cast<Rep*>(reinterpret_cast<char*>(units) - offsetof(Rep, units));
    }
};

namespace {

const char kUtf8Failure[] = "Failed to construct string from UTF8 string.";
const char kUtf16Failure[] = "Failed to construct string from UTF16 string.";

size_t scan_length(const apString::codepoint* p)
{
    size_t n = 0;
    while (p[n] != 0)
        ++n;
    return n;
}

// The last index in [from, to) of a string of `length` code points at
// which a needle of `n` may start; false where it fits nowhere.
bool last_start(size_t length, size_t n, size_t from, size_t to, size_t* last)
{
    if (length == 0 || from > length || from + n > to)
        return false;
    *last = to - n;
    return true;
}

} // namespace

apString::apString() noexcept : units_(nullptr), length_(0), side_(nullptr) {}

apString::apString(Rep* rep) noexcept
    : units_(rep ? rep->units : nullptr), length_(rep ? scan_length(rep->units) : 0), side_(nullptr)
{
}

apString::apString(Rep* rep, size_t length) noexcept : units_(rep->units), length_(length), side_(nullptr) {}

apString::Rep* apString::rep() const noexcept
{
    return units_ ? Rep::of(const_cast<codepoint*>(units_)) : nullptr;
}

apString::Side& apString::side() const
{
    if (side_ == nullptr)
        side_ = new Side;
    return *side_;
}

apString apString::empty_string()
{
    return apString(Rep::make(0));
}

apString apString::permanent(const char* utf8)
{
    apString text(utf8);
    if (Rep* rep = text.rep())
        rep->refs.store(Rep::permanent, std::memory_order_relaxed);
    return text;
}

apPermanentString::~apPermanentString()
{
    // Counted again, as the only share: text_'s own destructor frees it.
    if (apString::Rep* rep = text_.rep())
        rep->refs.store(1, std::memory_order_relaxed);
}

apString::codepoint* apString::allocate(size_t count)
{
    return Rep::make(count)->units;
}

apString apString::adopt(codepoint* block)
{
    return apString(block ? Rep::of(block) : nullptr);
}

apString apString::adopt(codepoint* block, size_t count)
{
    return block ? apString(Rep::of(block), count) : apString();
}

void apString::fail_with(const char* message, int* error)
{
    int ignored = 0;
    *this = apString(message, &ignored);
    side().error = 1;
    if (error)
        *error = 1;
}

apString::apString(const apWchar* text) : apString(text, static_cast<int*>(nullptr)) {}

apString::apString(const apWchar* text, int* error) : apString()
{
    if (text == nullptr) {
        if (error)
            *error = 0;
        return;
    }
    size_t count = 0;
    while (text[count] != 0)
        ++count;
    *this = apString(text, count, error);
}

apString::apString(const apWchar* text, size_t count, int* error) : apString()
{
    if (error)
        *error = 0;
    if (text == nullptr)
        return;
    auto unit = [text](size_t i) { return static_cast<std::uint32_t>(static_cast<std::uint16_t>(text[i])); };
    size_t n = unicode::utf16_decoded_length(unit, count);
    Rep* rep = Rep::make(n);
    if (!unicode::utf16_decode(unit, count, rep->units)) {
        Rep* dead = rep;
        dead->~Rep();
        ::operator delete(dead);
        fail_with(kUtf16Failure, error);
        return;
    }
    *this = apString(rep);
}

apString::apString(const unsigned char* bytes, size_t byte_count, int* error) : apString()
{
    if (error)
        *error = 0;
    if (bytes == nullptr)
        return;
    size_t count = (byte_count + 1) / 2;
    auto unit = [bytes, byte_count](size_t i) {
        std::uint32_t lo = bytes[2 * i];
        std::uint32_t hi = 2 * i + 1 < byte_count ? bytes[2 * i + 1] : 0;
        return lo | (hi << 8);
    };
    size_t n = unicode::utf16_decoded_length(unit, count);
    Rep* rep = Rep::make(n);
    if (!unicode::utf16_decode(unit, count, rep->units)) {
        rep->~Rep();
        ::operator delete(rep);
        fail_with(kUtf16Failure, error);
        return;
    }
    *this = apString(rep);
}

apString::apString(const codepoint* code_points, int* error) : apString()
{
    if (error)
        *error = 0;
    if (code_points == nullptr)
        return;
    size_t n = scan_length(code_points);
    Rep* rep = Rep::make(n);
    std::memcpy(rep->units, code_points, n * sizeof(codepoint));
    *this = apString(rep);
}

apString::apString(const codepoint* code_points, size_t count, int* error) : apString()
{
    if (error)
        *error = 0;
    if (code_points == nullptr)
        return;
    Rep* rep = Rep::make(count);
    if (count)
        std::memcpy(rep->units, code_points, count * sizeof(codepoint));
    *this = apString(rep);
}

apString::apString(const char* utf8, int* error) : apString()
{
    if (error)
        *error = 0;
    if (utf8 == nullptr)
        return;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(utf8);
    const size_t count = std::strlen(utf8);
    // Exact for valid text; invalid text fails below whatever its length.
    const size_t n = unicode::utf8_valid_length(bytes, count);
    Rep* rep = Rep::make(n);
    bool valid = true;
    const size_t decoded = unicode::utf8_decode_counted(bytes, count, rep->units, n, &valid);
    if (!valid || decoded != n) {
        rep->~Rep();
        ::operator delete(rep);
        fail_with(kUtf8Failure, error);
        return;
    }
    *this = apString(rep, n);
}

apString::apString(const char* utf8) : apString(utf8, static_cast<int*>(nullptr)) {}

apString::apString(const apString& other) noexcept
    : units_(other.units_), length_(other.length_), side_(nullptr)
{
    if (units_)
        rep()->share();
}

apString::apString(apString&& other) noexcept
    : units_(other.units_), length_(other.length_), side_(other.side_)
{
    other.units_ = nullptr;
    other.length_ = 0;
    other.side_ = nullptr;
}

apString& apString::operator=(const apString& other) noexcept
{
    apString copy(other);
    swap(copy);
    return *this;
}

apString& apString::operator=(apString&& other) noexcept
{
    apString taken(std::move(other));
    swap(taken);
    return *this;
}

void apString::release() noexcept
{
    if (side_) {
        delete[] side_->utf8;
        delete[] side_->utf16;
        delete side_;
    }
    Rep* shared = rep();
    if (shared && shared->unshare()) {
        shared->~Rep();
        ::operator delete(shared);
    }
}

apString::~apString()
{
    release();
}

void apString::swap(apString& other) noexcept
{
    std::swap(units_, other.units_);
    std::swap(length_, other.length_);
    std::swap(side_, other.side_);
}

const char* apString::utf8_str() const
{
    if (units_ == nullptr)
        return nullptr;
    Side& cached = side();
    if (cached.utf8 == nullptr) {
        size_t n = unicode::utf8_encoded_length(units_, length_);
        char* out = new char[n + 1];
        unicode::utf8_encode(units_, length_, reinterpret_cast<unsigned char*>(out));
        out[n] = 0;
        cached.utf8 = out;
    }
    return cached.utf8;
}

const apWchar* apString::utf16_str() const
{
    if (units_ == nullptr)
        return nullptr;
    Side& cached = side();
    if (cached.utf16 == nullptr) {
        size_t n = unicode::utf16_encoded_length(units_, length_);
        apWchar* out = new apWchar[n + 1];
        unicode::utf16_encode(units_, length_, out);
        out[n] = 0;
        cached.utf16 = out;
    }
    return cached.utf16;
}

apWchar* apString::utf16_str()
{
    return const_cast<apWchar*>(static_cast<const apString*>(this)->utf16_str());
}

size_t apString::utf16_length() const
{
    return units_ ? unicode::utf16_encoded_length(units_, length_) : 0;
}

size_t apString::write_utf16le(std::ostream& out) const
{
    if (length_ == 0)
        return 0;
    const apWchar* w = utf16_str();
    size_t units = utf16_length();
    char* bytes = new char[units * 2];
    for (size_t i = 0; i < units; ++i) {
        std::uint16_t u = static_cast<std::uint16_t>(w[i]);
        bytes[2 * i] = static_cast<char>(u & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(u >> 8);
    }
    out.write(bytes, static_cast<std::streamsize>(units * 2));
    delete[] bytes;
    return units * 2;
}

bool apString::operator==(const apString& o) const noexcept
{
    if (units_ == nullptr || o.units_ == nullptr)
        return units_ == nullptr && o.units_ == nullptr;
    if (length_ != o.length_)
        return false;
    return units_ == o.units_ || std::memcmp(units_, o.units_, length_ * sizeof(codepoint)) == 0;
}

bool apString::matches_at(const apString& needle, iterator it) const noexcept
{
    if (needle.length_ == 0)
        return true;
    if (length_ == 0 || it.index() > length_ || needle.length_ > length_ - it.index())
        return false;
    return std::memcmp(units_ + it.index(), needle.units_, needle.length_ * sizeof(codepoint)) == 0;
}

bool apString::starts_with(const apString& needle) const noexcept
{
    return matches_at(needle, begin());
}

bool apString::ends_with(const apString& needle) const noexcept
{
    if (needle.length_ > length_)
        return false;
    return matches_at(needle, iterator(length_ - needle.length_, units_));
}

apString::iterator apString::find(const apString& needle, iterator from, iterator to) const noexcept
{
    size_t last;
    if (needle.length_ == 0)
        return from;
    if (!last_start(length_, needle.length_, from.index(), to.index(), &last))
        return to;
    const codepoint first = needle.units_[0];
    for (size_t p = from.index(); p <= last; ++p) {
        if (units_[p] == first && matches_at(needle, iterator(p, units_)))
            return iterator(p, units_);
    }
    return to;
}

apString::iterator apString::rfind(const apString& needle, iterator from, iterator to) const noexcept
{
    size_t last;
    if (needle.length_ == 0)
        return from;
    if (!last_start(length_, needle.length_, from.index(), to.index(), &last))
        return to;
    for (size_t p = last;; --p) {
        if (matches_at(needle, iterator(p, units_)))
            return iterator(p, units_);
        if (p == from.index())
            break;
    }
    return to;
}

size_t apString::find_char(codepoint c, size_t from) const noexcept
{
    for (size_t i = from; i < length_; ++i)
        if (units_[i] == c)
            return i;
    return length_;
}

apString apString::sub(iterator from, iterator to) const
{
    if (length_ == 0)
        return empty_string();
    // No string holds a 0 code point, so the piece's length is known.
    const size_t count = to.index() - from.index();
    Rep* rep = Rep::make(count);
    if (count)
        std::memcpy(rep->units, units_ + from.index(), count * sizeof(codepoint));
    return apString(rep, count);
}

apString apString::head(iterator it) const
{
    return sub(begin(), it);
}

apString apString::tail(iterator it) const
{
    return sub(it, end());
}

apString operator+(const apString& a, const apString& b)
{
    size_t n = a.length() + b.length();
    apString::codepoint* block = apString::allocate(n);
    if (a.length())
        std::memcpy(block, a.data(), a.length() * sizeof(apString::codepoint));
    if (b.length())
        std::memcpy(block + a.length(), b.data(), b.length() * sizeof(apString::codepoint));
    return apString::adopt(block, n);
}

apString& apString::operator+=(const apString& b)
{
    *this = *this + b;
    return *this;
}

apString apString::replace_all(const apString& needle, const apString& replacement) const
{
    if (units_ == nullptr)
        return empty_string();
    if (needle.length_ == 0 || needle.length_ > length_)
        return *this;
    const size_t n = needle.length_;
    size_t out = 0;
    bool any = false;
    for (size_t p = 0; p < length_;) {
        if (units_[p] == needle.units_[0] && matches_at(needle, iterator(p, units_))) {
            out += replacement.length_;
            p += n;
            any = true;
        } else {
            ++out;
            ++p;
        }
    }
    if (!any)
        return *this;
    codepoint* block = allocate(out);
    size_t w = 0;
    for (size_t p = 0; p < length_;) {
        if (units_[p] == needle.units_[0] && matches_at(needle, iterator(p, units_))) {
            if (replacement.length_)
                std::memcpy(block + w, replacement.units_, replacement.length_ * sizeof(codepoint));
            w += replacement.length_;
            p += n;
        } else {
            block[w++] = units_[p++];
        }
    }
    return adopt(block);
}

std::uint32_t apString::hash() const noexcept
{
    std::uint32_t h = 0;
    for (size_t i = 0; i < length_; ++i)
        h ^= units_[i];
    return h;
}
