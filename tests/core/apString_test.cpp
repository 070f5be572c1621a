#include <gtest/gtest.h>

#include "core/apString.h"

TEST(apStringSmoke, Utf8RoundTrip)
{
    int err = 7;
    apString s("abc", &err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(s.length(), 3u);
    EXPECT_STREQ(s.utf8_str(), "abc");
}
