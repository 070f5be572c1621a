#include "core/coHash.h"

namespace {

constexpr std::uint32_t kFibonacci = 0x9E3779B9u;
// Keeps 2^log_size representable and shifts defined.
constexpr int kMaxLogSize = 30;

int clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

} // namespace

coObjInterface::~coObjInterface() = default;

void coArrInterface::swap(int i, int j)
{
    void* e = clone(get(i));
    if (e == nullptr)
        return;
    copy_slot(j, i);
    put(j, e);
    destroy(e);
}

void coArrInterface::copy_slot(int from, int to)
{
    put(to, get(from));
}

// A load limit outside 1..100 would either grow on every clear or let the
// table fill up, and a full table has no empty slot to end a probe.
coHash::coHash(int initial_log_size, int load_percent)
    : count_(0),
      initial_log_size_(clamp(initial_log_size, 0, kMaxLogSize)),
      load_percent_(clamp(load_percent, 1, 100)),
      log_size_(initial_log_size_),
      content_hash_(0),
      slots_(nullptr)
{
}

coHash::~coHash() = default;

void coHash::release_slots() noexcept
{
    if (slots_ != nullptr) {
        delete_slots(slots_);
        slots_ = nullptr;
    }
}

void coHash::put(int i, const void* e)
{
    if (slots_ == nullptr)
        slots_ = new_slots(slot_count());
    assign(slot(static_cast<std::size_t>(i)), e);
}

const void* coHash::get(int i) const
{
    if (slots_ == nullptr)
        return undefined_element();
    return slot(static_cast<std::size_t>(i));
}

std::size_t coHash::probe(const void* e) const
{
    const std::size_t mask = slot_count() - 1;
    const std::uint32_t h = hash(e) * kFibonacci;
    // 64-bit shift: log_size 0 shifts by 32.
    std::size_t i = static_cast<std::size_t>(std::uint64_t(h) >> (32 - log_size_)) & mask;
    if (is_undefined(get(static_cast<int>(i))))
        return i;
    for (;;) {
        if (compare(e, get(static_cast<int>(i))) == 0)
            return i;
        i = (i - 1) & mask;
        if (is_undefined(get(static_cast<int>(i))))
            return i;
    }
}

void* coHash::find(const void* e) const
{
    const std::size_t i = probe(e);
    if (slots_ == nullptr || is_undefined(slot(i)))
        return nullptr;
    return slot(i);
}

const void* coHash::add(const void* e)
{
    const bool e_undefined = is_undefined(e) != 0;
    // A rehash below recomputes content_hash; the result is the same value.
    const std::uint32_t before = content_hash_;
    const std::size_t i = probe(e);
    const void* p = get(static_cast<int>(i));
    if (!is_undefined(p))
        return p;
    if (!e_undefined) {
        put(static_cast<int>(i), e);
        ++count_;
        try {
            check_load(count_);
        } catch (...) {
            // The table could not grow (a rehash changes nothing before its
            // new array exists): take the element out again, so that a
            // failed insertion leaves the table as it was.
            put(static_cast<int>(i), undefined_element());
            --count_;
            throw;
        }
    }
    content_hash_ = before ^ (e_undefined ? 0u : hash(e));
    return undefined_element();
}

void coHash::check_load(int n)
{
    const double limit = static_cast<double>(load_percent_) / 100.0 *
                         static_cast<double>(slot_count());
    if (static_cast<double>(n) >= limit)
        rehash(log_size_ + 1);
}

void coHash::clear(int new_log_size, bool reallocate)
{
    count_ = 0;
    check_load(0);
    content_hash_ = 0;
    if (!reallocate && slots_ != nullptr) {
        const void* undefined = undefined_element();
        const std::size_t n = slot_count();
        for (std::size_t i = 0; i < n; ++i)
            assign(slot(i), undefined);
        return;
    }
    const int log_size = clamp(new_log_size, 0, kMaxLogSize);
    void* fresh = new_slots(std::size_t(1) << log_size);
    release_slots();
    slots_ = fresh;
    log_size_ = log_size;
}

void coHash::rehash(int new_log_size)
{
    const int log_size = clamp(new_log_size, 0, kMaxLogSize);
    // The new array comes first, so a failed allocation leaves the table as
    // it was. The old array then serves as the saved copy of the elements.
    void* fresh = new_slots(std::size_t(1) << log_size);
    void* old = slots_;
    const std::size_t old_count = slot_count();
    slots_ = fresh;
    log_size_ = log_size;
    count_ = 0;
    content_hash_ = 0;
    if (old == nullptr)
        return;
    const std::size_t stride = element_size();
    for (std::size_t i = 0; i < old_count; ++i) {
        const void* e = static_cast<const char*>(old) + i * stride;
        if (!is_undefined(e))
            add(e);
    }
    delete_slots(old);
}

void coHash::assign_table(const coHash& src)
{
    if (this == &src)
        return;
    void* fresh = src.slots_ != nullptr ? new_slots(src.slot_count()) : nullptr;
    release_slots();
    count_ = src.count_;
    initial_log_size_ = src.initial_log_size_;
    load_percent_ = src.load_percent_;
    log_size_ = src.log_size_;
    content_hash_ = src.content_hash_;
    slots_ = fresh;
    if (slots_ == nullptr)
        return;
    const std::size_t n = slot_count();
    for (std::size_t i = 0; i < n; ++i)
        assign(slot(i), src.slot(i));
}
