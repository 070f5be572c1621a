// apStringBuilder: an append-only list of apString pieces joined at the end
// into one string with a single allocation.
//
// Items live in blocks of 2^k strings so appending never moves earlier
// items; only the small table of block pointers grows (by ten blocks at a
// time, from room for five).
#ifndef QEL_CORE_APSTRINGBUILDER_H
#define QEL_CORE_APSTRINGBUILDER_H

#include "core/apString.h"
#include "core/coArray.h"

class apStringBuilder {
public:
    // Blocks of one item.
    apStringBuilder();
    // Blocks of the smallest power of two that holds expected_count items.
    explicit apStringBuilder(int expected_count);
    ~apStringBuilder();

    apStringBuilder(const apStringBuilder&) = delete;
    apStringBuilder& operator=(const apStringBuilder&) = delete;

    // Stores a copy that shares the buffer of `item`.
    void append(const apString& item);

    // The code points of all items in order; the empty string (not null)
    // when there are none. Null items count as empty.
    apString join() const;

    int count() const noexcept { return count_; }
    int block_size() const noexcept { return 1 << block_shift_; }

private:
    int block_shift_;
    int count_;
    coArray<apString*> blocks_;
};

#endif
