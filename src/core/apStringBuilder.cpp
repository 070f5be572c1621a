#include "core/apStringBuilder.h"

#include <cstring>

namespace {

const int kInitialBlocks = 5;
const unsigned kBlockStep = 10;
// Keeps 1 << shift an int.
const int kMaxShift = 30;

// Smallest k with 2^k >= n, counted in integers so exact powers of two do
// not pick up a rounding error.
int shift_for(int n)
{
    int k = 0;
    while (k < kMaxShift && (1 << k) < n)
        ++k;
    return k;
}

} // namespace

apStringBuilder::apStringBuilder() : apStringBuilder(1) {}

apStringBuilder::apStringBuilder(int expected_count)
    : block_shift_(shift_for(expected_count)), count_(0), blocks_(kInitialBlocks, kBlockStep)
{
}

apStringBuilder::~apStringBuilder()
{
    for (int b = 0; b < blocks_.count(); ++b)
        delete[] blocks_[b];
}

void apStringBuilder::append(const apString& item)
{
    const int block = count_ >> block_shift_;
    if (block >= blocks_.count())
        blocks_.set(block, new apString[static_cast<size_t>(1) << block_shift_]);
    blocks_[block][count_ & ((1 << block_shift_) - 1)] = item;
    ++count_;
}

apString apStringBuilder::join() const
{
    const int mask = (1 << block_shift_) - 1;
    size_t total = 0;
    for (int i = 0; i < count_; ++i)
        total += blocks_[i >> block_shift_][i & mask].length();

    apString::codepoint* out = apString::allocate(total);
    size_t at = 0;
    for (int i = 0; i < count_; ++i) {
        const apString& item = blocks_[i >> block_shift_][i & mask];
        if (item.length()) {
            std::memcpy(out + at, item.data(), item.length() * sizeof(apString::codepoint));
            at += item.length();
        }
    }
    return apString::adopt(out);
}
