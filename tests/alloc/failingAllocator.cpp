#include "failingAllocator.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace failalloc {

namespace {

// Plain globals: operator new runs before and after every constructor and
// destructor of static objects, so nothing here may need construction.
long countdown = 0; // 0 while disarmed
bool reached = false;
long live = 0;

void* allocate(std::size_t size)
{
    if (countdown > 0 && --countdown == 0) {
        reached = true;
        throw std::bad_alloc();
    }
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    ++live;
    return block;
}

void release(void* block) noexcept
{
    if (!block)
        return;
    --live;
    std::free(block);
}

} // namespace

void arm(long n)
{
    countdown = n;
    reached = false;
}

bool disarm()
{
    countdown = 0;
    return reached;
}

long live_blocks()
{
    return live;
}

} // namespace failalloc

void* operator new(std::size_t size)
{
    return failalloc::allocate(size);
}

void* operator new[](std::size_t size)
{
    return failalloc::allocate(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return failalloc::allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return failalloc::allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* block) noexcept
{
    failalloc::release(block);
}

void operator delete[](void* block) noexcept
{
    failalloc::release(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    failalloc::release(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    failalloc::release(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    failalloc::release(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    failalloc::release(block);
}
