// Builds the iterator that walks a container: an itSTLIterator for a
// standard container, an itParenIterator for a coDList.
#ifndef QEL_CORE_ITITERATORS_H
#define QEL_CORE_ITITERATORS_H

#include <memory>
#include <type_traits>

#include "core/coDList.h"
#include "core/itAbsIterator.h"
#include "core/itParenIterator.h"
#include "core/itSTLIterator.h"

class itIterators {
public:
    // A new iterator standing before the first element of c. The container
    // must outlive it and stay unchanged while it is used.
    template <class Container, class T = typename std::remove_cv_t<Container>::value_type>
    static std::unique_ptr<itAbsCloneableIterator<T>> make_iter(Container& c)
    {
        using Item = typename std::remove_cv_t<Container>::value_type;
        if constexpr (std::is_same_v<Container, coDList<Item>>) {
            using Cursor = coDListcoIterator<Item>;
            return std::unique_ptr<itAbsCloneableIterator<T>>(
                new itParenIterator<Cursor, T>(Cursor(c)));
        } else {
            using It = decltype(c.begin());
            return std::unique_ptr<itAbsCloneableIterator<T>>(
                new itSTLIterator<It, T>(c.begin(), c.end()));
        }
    }
};

#endif
