#include "core/utString.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ostream>

namespace {

// The three process-wide share states; their values are what the state
// means, their addresses what a string points at.
int g_borrowed = 2;
int g_sole_owner = 1;
int g_released = 0;

char* copy_bytes(const char* bytes, int length)
{
    char* block = new char[length + 1];
    if (length)
        std::memcpy(block, bytes, length);
    block[length] = 0;
    return block;
}

} // namespace

utString::utString() noexcept : data_(nullptr), length_(0), count_(&g_borrowed) {}

utString ut_lit(const char* literal) noexcept
{
    utString s;
    s.data_ = const_cast<char*>(literal);
    s.length_ = literal ? static_cast<int>(std::strlen(literal)) : 0;
    return s;
}

utString utString::adopt(char* block, int length) noexcept
{
    utString s;
    s.take(block, length);
    return s;
}

// The constructors below make their string the sole owner of a new block
// directly: assigning an adopted temporary would make a share counter for
// the moment both hold it.
utString::utString(const char* text) : utString()
{
    if (text) {
        int n = static_cast<int>(std::strlen(text));
        take(copy_bytes(text, n), n);
    }
}

utString::utString(char c) : utString()
{
    char bytes[1] = {c};
    take(copy_bytes(bytes, c ? 1 : 0), c ? 1 : 0);
}

utString::utString(char c, int count) : utString()
{
    if (c == 0 || count < 0)
        return;
    char* block = new char[count + 1];
    std::memset(block, c, count);
    block[count] = 0;
    take(block, count);
}

utString::utString(const utString& s, int pos) : utString()
{
    if (s.data_ == nullptr || pos < 0 || pos > s.length_)
        return;
    take(copy_bytes(s.data_ + pos, s.length_ - pos), s.length_ - pos);
}

utString::utString(const utString& s, int pos, int count) : utString()
{
    if (s.data_ == nullptr || pos < 0 || count < 0 || pos > s.length_ || count > s.length_ - pos)
        return;
    take(copy_bytes(s.data_ + pos, count), count);
}

const char* utString::c_str() const noexcept
{
    return data_;
}

int utString::length() const noexcept
{
    return length_;
}

char* utString::unconst_str() const noexcept
{
    return data_;
}

// Makes this string, holding nothing, the sole owner of `block`.
void utString::take(char* block, int length) noexcept
{
    data_ = block;
    length_ = length;
    count_ = &g_sole_owner;
}

void utString::share_from(const utString& other)
{
    if (other.count_ == &g_sole_owner) {
        // Second owner: now a counter is worth allocating. Allocated first,
        // so that when that fails this string is as it was.
        other.count_ = new int(2);
        count_ = other.count_;
    } else if (other.count_ == &g_borrowed || other.count_ == &g_released) {
        count_ = &g_borrowed;
    } else {
        count_ = other.count_;
        ++*count_;
    }
    data_ = other.data_;
    length_ = other.length_;
}

utString::utString(const utString& other) : utString()
{
    share_from(other);
}

utString& utString::operator=(const utString& other)
{
    if (this != &other && !(data_ == other.data_ && count_ == other.count_)) {
        // Sharing may allocate the count; when that fails, this string
        // keeps its old value.
        utString copy(other);
        release();
        data_ = copy.data_;
        length_ = copy.length_;
        count_ = copy.count_;
        copy.data_ = nullptr;
        copy.length_ = 0;
        copy.count_ = &g_borrowed;
    }
    return *this;
}

void utString::destruct_data() noexcept
{
    delete[] data_;
    data_ = nullptr;
}

void utString::release() noexcept
{
    if (count_ == &g_sole_owner) {
        count_ = &g_released;
        destruct_data();
    } else if (count_ != &g_borrowed && count_ != &g_released) {
        if (--*count_ == 0) {
            delete count_;
            count_ = &g_released;
            destruct_data();
        }
    }
    data_ = nullptr;
    length_ = 0;
    count_ = &g_borrowed;
}

utString::~utString()
{
    release();
}

void utString::own_copy()
{
    if (count_ == &g_sole_owner || data_ == nullptr)
        return;
    int n = length_;
    char* block = copy_bytes(data_, n);
    release();
    data_ = block;
    length_ = n;
    count_ = &g_sole_owner;
}

void utString::reserve(int n)
{
    if (data_ == nullptr || n < length_)
        return;
    char* block = new char[n + 1];
    std::memcpy(block, data_, length_ + 1);
    block[n] = 0;
    release();
    data_ = block;
    length_ = n;
    count_ = &g_sole_owner;
}

void utString::append(const utString& other)
{
    if (data_ == nullptr || other.data_ == nullptr)
        return;
    int old = length_;
    utString keep(other); // `other` may be this very string
    reserve(length_ + keep.length_);
    std::memcpy(data_ + old, keep.data_, keep.length_ + 1);
}

utString& utString::operator+=(const utString& other)
{
    if (data_ == nullptr)
        *this = other;
    else
        append(other);
    return *this;
}

void utString::transform(int (*f)(int))
{
    if (data_ == nullptr)
        return;
    own_copy();
    for (int i = 0; i < length_; ++i)
        data_[i] = static_cast<char>(f(static_cast<signed char>(data_[i])));
}

void utString::erase(int pos, int count)
{
    if (data_ == nullptr || pos < 0 || count < 1 || pos > length_ || count > length_ - pos)
        return;
    int n = length_ - count;
    char* block = new char[n + 1];
    std::memset(block, ' ', n);
    std::memcpy(block, data_, pos);
    std::memcpy(block + pos, data_ + pos + count, length_ - pos - count);
    block[n] = 0;
    release();
    take(block, n);
}

void utString::reset()
{
    *this = utString();
}

utString utString::trim_left(const char* set) const
{
    if (data_ == nullptr || set == nullptr || *set == 0)
        return *this;
    int i = 0;
    while (i < length_ && std::strchr(set, data_[i]) != nullptr && data_[i] != 0)
        ++i;
    if (i == 0)
        return *this;
    return adopt(copy_bytes(data_ + i, length_ - i), length_ - i);
}

int utString::next_token(const char* delimiters, utString& token)
{
    if (data_ == nullptr) {
        token = *this;
        return 0;
    }
    utString rest = trim_left(delimiters);
    if (rest.length_ == 0) {
        *this = ut_lit("");
        token = *this;
        return 0;
    }
    int i = 0;
    while (i < rest.length_ && !(delimiters && std::strchr(delimiters, rest.data_[i]) != nullptr))
        ++i;
    if (i == rest.length_) {
        token = rest;
        *this = ut_lit("");
    } else {
        token = utString(rest, 0, i);
        *this = utString(rest, i);
    }
    return 1;
}

int utString::find(const utString& needle) const
{
    if (data_ == nullptr || needle.data_ == nullptr || needle.length_ > length_)
        return -1;
    for (int i = 0; i <= length_ - needle.length_; ++i)
        if (std::strncmp(data_ + i, needle.data_, needle.length_) == 0)
            return i;
    return -1;
}

bool utString::to_int(int* value, int* error_pos) const
{
    if (data_ == nullptr) {
        *error_pos = 0;
        return false;
    }
    if (length_ == 0) {
        *error_pos = 0;
        *value = 0;
        return false;
    }
    *error_pos = -1;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(data_, &end, 10);
    int saved = errno;
    // Where long is wider than int, values outside int overflow as they do
    // where the two are the same width.
    if (v > INT_MAX) {
        v = INT_MAX;
        saved = ERANGE;
    } else if (v < INT_MIN) {
        v = INT_MIN;
        saved = ERANGE;
    }
    *value = static_cast<int>(v);
    while (*end && std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    if (*end)
        *error_pos = static_cast<int>(end - data_);
    return *error_pos == -1 && saved == 0;
}

std::ostream& operator<<(std::ostream& out, const utString& s)
{
    return out << s.c_str();
}
