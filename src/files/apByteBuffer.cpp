#include "files/apByteBuffer.h"

#include <cstring>
#include <memory>
#include <utility>

apByteBuffer::apByteBuffer(const void* bytes, std::uint64_t length) : apByteBuffer()
{
    if (bytes == nullptr || length == 0)
        return;
    unsigned char* block = new unsigned char[length];
    std::memcpy(block, bytes, length);
    *this = adopt(block, length);
}

apByteBuffer apByteBuffer::adopt(unsigned char* block, std::uint64_t length)
{
    apByteBuffer b;
    if (block == nullptr)
        return b;
    // The block is the buffer's from here on, even when its count cannot
    // be allocated.
    std::unique_ptr<unsigned char[]> owned(block);
    b.count_ = new std::int32_t(1);
    b.data_ = owned.release();
    b.length_ = length;
    return b;
}

apByteBuffer::apByteBuffer(const apByteBuffer& other) noexcept
    : data_(other.data_), length_(other.length_), count_(other.count_)
{
    if (count_)
        ++*count_;
}

apByteBuffer& apByteBuffer::operator=(const apByteBuffer& other) noexcept
{
    apByteBuffer copy(other);
    swap(copy);
    return *this;
}

apByteBuffer::~apByteBuffer()
{
    release();
}

void apByteBuffer::release() noexcept
{
    if (count_ && --*count_ == 0) {
        delete[] data_;
        delete count_;
    }
    data_ = nullptr;
    length_ = 0;
    count_ = nullptr;
}

void apByteBuffer::swap(apByteBuffer& other) noexcept
{
    std::swap(data_, other.data_);
    std::swap(length_, other.length_);
    std::swap(count_, other.count_);
}
