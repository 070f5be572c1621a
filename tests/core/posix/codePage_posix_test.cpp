#include <gtest/gtest.h>

#include "core/codePage.h"

// Without a system code page the POSIX build stands in for a Western
// European Windows.
TEST(CodePagePosix, AnsiCodePageIs1252)
{
    EXPECT_EQ(codepage::ansi_code_page(), 1252u);
}
