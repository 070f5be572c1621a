// Replaces the global allocation functions of the core test program with
// counting ones over malloc and free.
#include "allocationCount.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t g_allocations = 0;

void* counted(std::size_t size)
{
    ++g_allocations;
    return std::malloc(size ? size : 1);
}

} // namespace

std::size_t testsupport::allocations()
{
    return g_allocations;
}

void* operator new(std::size_t size)
{
    if (void* p = counted(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return counted(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return counted(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
