// itIterator<T>: the iterator handle that code passes around. It owns the
// iterator behind it alone; a copy continues independently from the same
// position. Step first, then read:
//
//   itIterator<apString> it(names);
//   while (++it) use(it());
#ifndef QEL_CORE_ITITERATOR_H
#define QEL_CORE_ITITERATOR_H

#include <memory>
#include <type_traits>
#include <utility>

#include "core/itAbsIterator.h"
#include "core/itIterators.h"
#include "qel_platform.h"

template <class T>
class QEL_EXPORT itIterator {
public:
    // Walks c, which must outlive the handle and stay unchanged meanwhile.
    template <class Container,
              class = std::enable_if_t<!std::is_same_v<std::remove_cv_t<Container>, itIterator>>>
    explicit itIterator(Container& c) : it_(itIterators::make_iter<Container, T>(c))
    {
    }
    explicit itIterator(std::unique_ptr<itAbsCloneableIterator<T>> it) : it_(std::move(it)) {}

    itIterator(const itIterator& other) : it_(other.it_ ? other.it_->clone() : nullptr) {}
    itIterator(itIterator&&) noexcept = default;
    itIterator& operator=(const itIterator& other)
    {
        if (this != &other)
            it_ = other.it_ ? other.it_->clone() : nullptr;
        return *this;
    }
    itIterator& operator=(itIterator&&) noexcept = default;
    ~itIterator() = default;

    // A moved-from handle walks nothing.
    bool operator++() { return it_ ? ++*it_ : false; }
    T operator()() const { return (*it_)(); }
    bool undefined() const { return it_ ? it_->undefined() : true; }
    void reset()
    {
        if (it_)
            it_->reset();
    }

private:
    std::unique_ptr<itAbsCloneableIterator<T>> it_;
};

// The instance the library exports (see qel_platform.h).
QEL_EXPORTED_INSTANCE(itIterator<apString>);

#endif
