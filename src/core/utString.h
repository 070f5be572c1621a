// utString: the narrow byte string used where bytes leave the library.
//
// Copies share one buffer through a plain (non-atomic) share count, and a
// literal can be wrapped without copying (`ut_lit`). The share count points
// at one of four states: borrowed (the constant 2, never freed), sole owner
// (the constant 1, no counter allocated yet), shared (a heap counter >= 2)
// and released (the constant 0). A counter is allocated only when a second
// owner comes.
#ifndef QEL_CORE_UTSTRING_H
#define QEL_CORE_UTSTRING_H

#include <iosfwd>

#include "qel_platform.h"

class QEL_EXPORT utString {
public:
    utString() noexcept;
    utString(const char* text);
    explicit utString(char c);
    utString(char c, int count);
    utString(const utString& s, int pos);
    utString(const utString& s, int pos, int count);
    // A copy shares the bytes; the first copy of a string allocates the
    // share count, so a copy can fail for want of memory.
    utString(const utString& other);
    utString& operator=(const utString& other);
    ~utString();

    // Out of line, so that the library exports them with the class.
    const char* c_str() const noexcept;
    int length() const noexcept;
    bool is_null() const noexcept { return data_ == nullptr; }

    void reserve(int n);
    void append(const utString& other);
    utString& operator+=(const utString& other);
    void transform(int (*f)(int));
    void erase(int pos, int count);
    void reset();

    utString trim_left(const char* set) const;
    int next_token(const char* delimiters, utString& token);
    int find(const utString& needle) const;
    bool to_int(int* value, int* error_pos) const;

    // Takes over a new[] block of `length` bytes plus a terminator.
    static utString adopt(char* block, int length) noexcept;

private:
    friend QEL_EXPORT utString ut_lit(const char* literal) noexcept;

    char* unconst_str() const noexcept;
    void take(char* block, int length) noexcept;
    void destruct_data() noexcept;
    void share_from(const utString& other);
    void release() noexcept;
    void own_copy();

    char* data_;
    int length_;
    mutable int* count_;
};

// Wraps a literal without copying; it must outlive every string sharing it.
QEL_EXPORT utString ut_lit(const char* literal) noexcept;

QEL_EXPORT std::ostream& operator<<(std::ostream& out, const utString& s);

#endif
