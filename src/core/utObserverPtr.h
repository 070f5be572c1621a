// A non-owning pointer that says so in its type.
#ifndef QEL_CORE_UTOBSERVERPTR_H
#define QEL_CORE_UTOBSERVERPTR_H

#include "qel_platform.h"

template <class T>
class QEL_EXPORT utObserverPtr {
public:
    utObserverPtr(T* p = nullptr) noexcept : ptr_(p) {}
    T* get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    T& operator*() const noexcept { return *ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }

private:
    T* ptr_;
};

#endif
