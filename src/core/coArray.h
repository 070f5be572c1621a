// coArray<T>: a small growable array whose capacity grows in whole steps.
//
// Every item of a block is constructed when the block is allocated (an
// apString item starts null, a number 0), so an item past `count` can be
// read before it is written. Writers use set(), which makes room and moves
// `count` past the index they write.
#ifndef QEL_CORE_COARRAY_H
#define QEL_CORE_COARRAY_H

#include <climits>
#include <utility>

template <class T>
class coArray {
public:
    explicit coArray(int capacity = 0, unsigned step = 1)
        : data_(nullptr), capacity_(capacity > 0 ? capacity : 0), count_(0), step_(step)
    {
        if (capacity_ >= 1)
            data_ = new T[capacity_]();
    }

    coArray(const coArray&) = delete;
    coArray& operator=(const coArray&) = delete;

    ~coArray()
    {
        if (capacity_ > 0)
            delete[] data_;
    }

    int capacity() const noexcept { return capacity_; }
    int count() const noexcept { return count_; }
    unsigned step() const noexcept { return step_; }

    T* data() noexcept { return data_; }
    const T* data() const noexcept { return data_; }
    T& operator[](int i) noexcept { return data_[i]; }
    const T& operator[](int i) const noexcept { return data_[i]; }

    // Makes room up to index m: the capacity becomes the smallest
    // capacity + k * step (k >= 1) above m. Answers 0 only when that size
    // does not fit an int.
    int grow(int m)
    {
        if (m < capacity_)
            return 1;
        const long long step = step_ ? step_ : 1;
        const long long wanted = ((static_cast<long long>(m) - capacity_) / step + 1) * step + capacity_;
        if (wanted > INT_MAX)
            return 0;
        T* block = new T[static_cast<size_t>(wanted)]();
        for (int i = 0; i < count_; ++i)
            block[i] = std::move(data_[i]);
        if (capacity_ > 0)
            delete[] data_;
        data_ = block;
        capacity_ = static_cast<int>(wanted);
        return 1;
    }

    // Room for n items.
    int reserve(int n) { return n <= capacity_ ? 1 : grow(n - 1); }

    // Writes item i, growing the block and the count as needed.
    int set(int i, const T& value) { return set(i, T(value)); }
    int set(int i, T&& value)
    {
        if (i < 0)
            return 0;
        if (i >= count_) {
            if (i >= capacity_ && !grow(i))
                return 0;
            count_ = i + 1;
        }
        data_[i] = std::move(value);
        return 1;
    }

private:
    T* data_;
    int capacity_;
    int count_;
    unsigned step_;
};

#endif
