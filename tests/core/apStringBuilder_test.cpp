#include <gtest/gtest.h>

#include <string>

#include "core/apStringBuilder.h"

TEST(apStringBuilder, BlockSizeIsTheNextPowerOfTwo)
{
    const struct {
        int expected_count;
        int block_size;
    } cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {4, 4}, {5, 8}, {8, 8}, {9, 16}, {1000, 1024}, {1 << 29, 1 << 29}};
    for (const auto& c : cases)
        EXPECT_EQ(apStringBuilder(c.expected_count).block_size(), c.block_size) << c.expected_count;
    EXPECT_EQ(apStringBuilder().block_size(), 1);
}

TEST(apStringBuilder, JoinWithoutTextIsEmptyNotNull)
{
    apStringBuilder none, empties(4), nulls;
    empties.append(apString::empty_string());
    empties.append(apString::empty_string());
    nulls.append(apString("a"));
    nulls.append(apString());
    nulls.append(apString("b"));
    for (apStringBuilder* b : {&none, &empties}) {
        apString joined = b->join();
        EXPECT_FALSE(joined.is_null());
        EXPECT_EQ(joined.length(), 0u);
    }
    EXPECT_STREQ(nulls.join().utf8_str(), "ab") << "null items join as empty";
}

// Items cross block boundaries and the block table outgrows its first five
// entries (and grows again) for every block size.
TEST(apStringBuilder, JoinKeepsOrderAcrossBlocks)
{
    for (int expected : {1, 2, 3, 7, 64}) {
        apStringBuilder builder(expected);
        std::string want;
        for (int i = 0; i < 200; ++i) {
            const std::string piece = i % 5 == 0 ? "" : std::to_string(i) + "\xC3\xA9";
            builder.append(apString(piece.c_str()));
            want += piece;
        }
        EXPECT_EQ(builder.count(), 200);
        EXPECT_STREQ(builder.join().utf8_str(), want.c_str()) << "expected count " << expected;
    }
}
