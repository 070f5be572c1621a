// An iterator over a standard container range [begin, end).
#ifndef QEL_CORE_ITSTLITERATOR_H
#define QEL_CORE_ITSTLITERATOR_H

#include <memory>

#include "core/itAbsIterator.h"

template <class It, class T>
class itSTLIterator : public itAbsCloneableIterator<T> {
public:
    // Before the first element and after the last are the same position:
    // current == end.
    itSTLIterator(It begin, It end) : current_(end), begin_(begin), end_(end) {}

    bool undefined() const override { return current_ == end_; }
    void reset() override { current_ = end_; }
    bool operator++() override
    {
        if (current_ != end_)
            ++current_;
        else
            current_ = begin_;
        return current_ != end_;
    }
    T operator()() const override { return *current_; }
    std::unique_ptr<itAbsCloneableIterator<T>> clone() const override
    {
        return std::unique_ptr<itAbsCloneableIterator<T>>(new itSTLIterator(*this));
    }

private:
    It current_;
    It begin_;
    It end_;
};

#endif
