#include <gtest/gtest.h>

#include <cstdint>

#include "core/apString.h"
#include "core/coArray.h"

TEST(coArray, GrowsToTheFirstStepAboveTheIndex)
{
    const struct {
        int capacity;
        unsigned step;
        int index;
        int grown;
    } cases[] = {{0, 1, 4, 5}, {0, 7, 0, 7}, {5, 10, 5, 15}, {15, 10, 27, 35},
                 {3, 4, 3, 7}, {3, 4, 6, 7}, {3, 4, 7, 11}, {1, 1, 100, 101}};
    for (const auto& c : cases) {
        coArray<int> a(c.capacity, c.step);
        EXPECT_EQ(a.grow(c.index), 1);
        EXPECT_EQ(a.capacity(), c.grown) << c.capacity << " step " << c.step << " index " << c.index;
        EXPECT_EQ(a.count(), 0);
    }
}

TEST(coArray, ReserveGrowsOnlyWhenShort)
{
    coArray<std::int64_t> a(0, 1);
    EXPECT_EQ(a.data(), nullptr);
    EXPECT_EQ(a.reserve(5), 1);
    EXPECT_EQ(a.capacity(), 5);
    EXPECT_EQ(a.reserve(5), 1);
    EXPECT_EQ(a.reserve(3), 1);
    EXPECT_EQ(a.capacity(), 5);

    coArray<std::int64_t> b(5, 10);
    EXPECT_EQ(b.reserve(6), 1);
    EXPECT_EQ(b.capacity(), 15);
}

TEST(coArray, SetKeepsItemsAndNewItemsStartDefault)
{
    coArray<apString> a(2, 3);
    EXPECT_TRUE(a[1].is_null());
    EXPECT_EQ(a.set(0, apString("zero")), 1);
    EXPECT_EQ(a.set(4, apString("four")), 1);
    EXPECT_EQ(a.capacity(), 5);
    EXPECT_EQ(a.count(), 5);
    EXPECT_EQ(a[0], apString("zero"));
    EXPECT_TRUE(a[2].is_null());
    EXPECT_EQ(a[4], apString("four"));

    EXPECT_EQ(a.set(1, apString("one")), 1);
    EXPECT_EQ(a.count(), 5);
    EXPECT_EQ(a.set(-1, apString("bad")), 0);

    coArray<int> numbers(0, 0);  // a zero step still grows
    EXPECT_EQ(numbers.set(3, 9), 1);
    EXPECT_EQ(numbers.capacity(), 4);
    EXPECT_EQ(numbers[0] + numbers[3], 9);
}
