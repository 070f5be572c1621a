#include "failingAllocator.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace failalloc {

namespace {

// Every block carries this in front of it: the live blocks form a list, so
// that the ones a failure left behind can be named by their serial number.
struct alignas(16) Header {
    Header* prev;
    Header* next;
    long serial;
};

// Plain globals: operator new runs before and after every constructor and
// destructor of static objects, so nothing here may need construction.
long countdown = 0; // 0 while disarmed
bool reached = false;
long live = 0;
long serials = 0;
Header ring = {&ring, &ring, 0};

void* allocate(std::size_t size)
{
    if (countdown > 0 && --countdown == 0) {
        reached = true;
        throw std::bad_alloc();
    }
    Header* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
    if (!header)
        throw std::bad_alloc();
    header->serial = ++serials;
    header->prev = ring.prev;
    header->next = &ring;
    ring.prev->next = header;
    ring.prev = header;
    ++live;
    return header + 1;
}

void release(void* block) noexcept
{
    if (!block)
        return;
    Header* header = static_cast<Header*>(block) - 1;
    header->prev->next = header->next;
    header->next->prev = header->prev;
    --live;
    std::free(header);
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

long last_serial()
{
    return serials;
}

long first_live_since(long serial)
{
    for (const Header* h = ring.next; h != &ring; h = h->next)
        if (h->serial > serial)
            return h->serial;
    return 0;
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
