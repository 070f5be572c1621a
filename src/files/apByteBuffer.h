// A shared, immutable block of bytes. Copies share the block through a plain
// count; the last owner frees block and count.
#ifndef QEL_FILES_APBYTEBUFFER_H
#define QEL_FILES_APBYTEBUFFER_H

#include <cstdint>

class apByteBuffer {
public:
    apByteBuffer() noexcept : data_(nullptr), length_(0), count_(nullptr) {}
    // A copy of `length` bytes.
    apByteBuffer(const void* bytes, std::uint64_t length);
    apByteBuffer(const apByteBuffer& other) noexcept;
    apByteBuffer& operator=(const apByteBuffer& other) noexcept;
    ~apByteBuffer();

    // Takes over a new[] block of `length` bytes with a count of 1.
    static apByteBuffer adopt(unsigned char* block, std::uint64_t length);

    const unsigned char* data() const noexcept { return data_; }
    std::uint64_t length() const noexcept { return length_; }
    bool is_empty() const noexcept { return length_ == 0; }

    void swap(apByteBuffer& other) noexcept;

private:
    void release() noexcept;

    unsigned char* data_;
    std::uint64_t length_;
    std::int32_t* count_;
};

#endif
