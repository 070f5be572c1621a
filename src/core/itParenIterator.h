// An iterator over a coDList, through a copy of a list cursor.
#ifndef QEL_CORE_ITPARENITERATOR_H
#define QEL_CORE_ITPARENITERATOR_H

#include <memory>

#include "core/coDList.h"
#include "core/itAbsIterator.h"

template <class It, class T>
class itParenIterator : public itAbsCloneableIterator<T> {
public:
    explicit itParenIterator(const It& cursor) : cursor_(cursor) {}

    bool undefined() const override { return cursor_.undefined() != 0; }
    void reset() override { cursor_.reset(); }
    bool operator++() override { return cursor_.next(); }
    T operator()() const override { return cursor_(); }
    std::unique_ptr<itAbsCloneableIterator<T>> clone() const override
    {
        return std::unique_ptr<itAbsCloneableIterator<T>>(new itParenIterator(*this));
    }

private:
    It cursor_;
};

#endif
