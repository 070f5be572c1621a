// The iterator interfaces. Every iterator starts before its first element;
// consumers step first and read second:
//
//   while (++it) use(it());
//
// After the last element an iterator stands on no element again, and the
// next step starts over from the first.
#ifndef QEL_CORE_ITABSITERATOR_H
#define QEL_CORE_ITABSITERATOR_H

#include <memory>

#include "qel_platform.h"

template <class T>
class QEL_EXPORT itAbsIterator {
public:
    // True while standing on no element.
    virtual bool undefined() const = 0;
    // Back to before the first element.
    virtual void reset() = 0;
    // Steps on; true when now standing on an element.
    virtual bool operator++() = 0;
    // The current element; only while standing on one.
    virtual T operator()() const = 0;
    virtual ~itAbsIterator() = default;
};

template <class T>
class QEL_EXPORT itAbsCloneableIterator : public itAbsIterator<T> {
public:
    // An independent iterator at the same position.
    virtual std::unique_ptr<itAbsCloneableIterator<T>> clone() const = 0;
};

// The instances the library exports (see qel_platform.h).
class apString;
QEL_EXPORTED_INSTANCE(itAbsIterator<apString>);
QEL_EXPORTED_INSTANCE(itAbsCloneableIterator<apString>);

#endif
