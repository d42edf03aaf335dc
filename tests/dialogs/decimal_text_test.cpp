#include "dialogs/entry_logic/decimal_text.h"

#include <gtest/gtest.h>

TEST(ReadDecimal, ReadsLikeAtoi)
{
    EXPECT_EQ(readDecimal("42"), 42);
    EXPECT_EQ(readDecimal(" \t\n42abc"), 42);
    EXPECT_EQ(readDecimal("+7"), 7);
    EXPECT_EQ(readDecimal("-1"), -1);
    EXPECT_EQ(readDecimal("abc"), 0);
    EXPECT_EQ(readDecimal(""), 0);
    EXPECT_EQ(readDecimal("-"), 0);
    EXPECT_EQ(readDecimal("4 2"), 4);
    EXPECT_EQ(readDecimal("+-3"), 0);
}

TEST(ReadDecimal, StopsAtTheEndsOfThe32BitRange)
{
    EXPECT_EQ(readDecimal("2147483647"), 2147483647);
    EXPECT_EQ(readDecimal("2147483648"), 2147483647);
    EXPECT_EQ(readDecimal("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(readDecimal("-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(readDecimal("99999999999999999999999"), 2147483647);
}
