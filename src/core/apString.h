// apString: immutable Unicode text of 32-bit code points.
//
// Copies share one reference-counted buffer (a pointer copy and an atomic
// increment). Null and empty are different values. Construction from foreign
// text never throws: a failed decode leaves a fixed English message as the
// text and sets the error flag, which constructors taking `int* error` also
// report there. UTF-8 and UTF-16 forms are built on first request, each by a
// counting pass and one exact allocation, and kept for the object's life.
//
// An object is three words: the code points (the share count sits in front
// of them), the length, and a side block made only for the few strings that
// are converted or failed, which holds the cached forms and the error flag.
// Documents hold millions of strings; most are never converted.
#ifndef QEL_CORE_APSTRING_H
#define QEL_CORE_APSTRING_H

#include <cstddef>
#include <cstdint>
#include <iosfwd>

#include "qel_platform.h"

class QEL_EXPORT apString {
public:
    using codepoint = unsigned int;

    // A position: a code-point index and the code units it was made from.
    class iterator {
    public:
        iterator() noexcept : index_(static_cast<size_t>(-1)), units_(nullptr) {}
        iterator(size_t index, const codepoint* units) noexcept : index_(index), units_(units) {}

        size_t index() const noexcept { return index_; }
        codepoint operator*() const noexcept { return units_[index_]; }

        iterator operator+(ptrdiff_t n) const noexcept { return iterator(index_ + n, units_); }
        iterator& operator+=(ptrdiff_t n) noexcept { index_ += n; return *this; }
        iterator& operator++() noexcept { ++index_; return *this; }
        ptrdiff_t operator-(const iterator& o) const noexcept
        {
            return static_cast<ptrdiff_t>(index_ - o.index_);
        }
        bool operator<(const iterator& o) const noexcept { return index_ < o.index_; }
        bool operator<=(const iterator& o) const noexcept { return index_ <= o.index_; }
        bool operator>=(const iterator& o) const noexcept { return index_ >= o.index_; }
        bool operator==(const iterator& o) const noexcept
        {
            return index_ == o.index_ && units_ == o.units_;
        }
        bool operator!=(const iterator& o) const noexcept { return !(*this == o); }

    private:
        size_t index_;
        const codepoint* units_;
    };

    // The null string: no buffer at all.
    apString() noexcept;
    // A new empty (non-null) string.
    static apString empty_string();

    // Decoded UTF-16; a null pointer gives the null string.
    apString(const apWchar* text);
    apString(const apWchar* text, int* error);
    // Exactly `count` units, also past a 0 unit (the text is cut there).
    apString(const apWchar* text, size_t count, int* error);
    // UTF-16 little-endian bytes at any alignment; an odd last byte is a
    // unit with high byte 0.
    apString(const unsigned char* bytes, size_t byte_count, int* error);
    // Code points taken as they are, without validation.
    apString(const codepoint* code_points, int* error);
    apString(const codepoint* code_points, size_t count, int* error);
    // Decoded UTF-8; a null pointer gives the null string.
    apString(const char* utf8, int* error);
    // Convenience for text the program itself spells: decoded UTF-8.
    apString(const char* utf8);

    // Decoded UTF-8 whose buffer is not counted: its copies share it without
    // an atomic operation. Held by an apPermanentString, which frees it.
    static apString permanent(const char* utf8);

    // Takes over a zero-terminated code-point block from allocate().
    static apString adopt(codepoint* block);
    // The same for a block whose first `count` code points are the text,
    // none of them 0, so that the length need not be searched.
    static apString adopt(codepoint* block, size_t count);
    // A block for `count` code points plus the terminator, for adopt().
    static codepoint* allocate(size_t count);

    apString(const apString& other) noexcept;
    apString(apString&& other) noexcept;
    apString& operator=(const apString& other) noexcept;
    apString& operator=(apString&& other) noexcept;
    ~apString();

    size_t length() const noexcept { return length_; }
    bool is_null() const noexcept { return units_ == nullptr; }
    bool is_empty() const noexcept { return length_ == 0; }
    int error() const noexcept { return side_ ? side_->error : 0; }
    const codepoint* data() const noexcept { return units_; }
    codepoint operator[](size_t i) const noexcept { return units_[i]; }

    const char* utf8_str() const;
    const apWchar* utf16_str() const;
    apWchar* utf16_str();
    // Length in UTF-16 units of utf16_str() (builds it when needed).
    size_t utf16_length() const;
    // The UTF-16 form low byte first, no terminator or byte-order mark.
    size_t write_utf16le(std::ostream& out) const;

    bool operator==(const apString& o) const noexcept;
    bool operator!=(const apString& o) const noexcept { return !(*this == o); }

    iterator begin() const noexcept { return iterator(0, units_); }
    iterator end() const noexcept { return iterator(length_, units_); }
    iterator at(size_t pos) const noexcept { return pos <= length_ ? iterator(pos, units_) : end(); }

    bool matches_at(const apString& needle, iterator it) const noexcept;
    bool starts_with(const apString& needle) const noexcept;
    bool ends_with(const apString& needle) const noexcept;
    iterator find(const apString& needle, iterator from, iterator to) const noexcept;
    iterator find(const apString& needle) const noexcept { return find(needle, begin(), end()); }
    iterator rfind(const apString& needle, iterator from, iterator to) const noexcept;
    iterator rfind(const apString& needle) const noexcept { return rfind(needle, begin(), end()); }
    // Index of the first occurrence of the code point at or after `from`,
    // or length() when there is none.
    size_t find_char(codepoint c, size_t from = 0) const noexcept;

    apString head(iterator it) const;
    apString tail(iterator it) const;
    apString sub(iterator from, iterator to) const;
    apString replace_all(const apString& needle, const apString& replacement) const;

    apString& operator+=(const apString& b);
    void swap(apString& other) noexcept;

    // XOR of the code points; 0 for the null string.
    std::uint32_t hash() const noexcept;

private:
    friend class apPermanentString;
    struct Rep;
    // What few strings need: made on first use, never shared or copied.
    struct Side {
        char* utf8 = nullptr;
        apWchar* utf16 = nullptr;
        int error = 0;
    };
    explicit apString(Rep* rep) noexcept;
    apString(Rep* rep, size_t length) noexcept;
    Rep* rep() const noexcept;
    Side& side() const;
    void fail_with(const char* message, int* error);
    void release() noexcept;

    const codepoint* units_; // inside a Rep, or null
    size_t length_;
    mutable Side* side_;
};

QEL_EXPORT apString operator+(const apString& a, const apString& b);

// A permanent text for a function-local static, such as the texts every
// node starts with. Its destructor frees the buffer when the library
// unloads, so that a host that loads the library again and again leaks
// nothing; statics that took a copy since then are destroyed before it.
class apPermanentString {
public:
    explicit apPermanentString(const char* utf8) : text_(apString::permanent(utf8)) {}
    ~apPermanentString();
    apPermanentString(const apPermanentString&) = delete;
    apPermanentString& operator=(const apPermanentString&) = delete;

    operator const apString&() const noexcept { return text_; }

private:
    apString text_;
};

#endif
