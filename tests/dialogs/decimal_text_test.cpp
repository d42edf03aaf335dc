#include "decimal_text.h"

#include <gtest/gtest.h>

TEST(ReadDecimal, ReadsLikeAtoi)
{
    EXPECT_EQ(ReadDecimal("42"), 42);
    EXPECT_EQ(ReadDecimal(" \t\n42abc"), 42);
    EXPECT_EQ(ReadDecimal("+7"), 7);
    EXPECT_EQ(ReadDecimal("-1"), -1);
    EXPECT_EQ(ReadDecimal("abc"), 0);
    EXPECT_EQ(ReadDecimal(""), 0);
    EXPECT_EQ(ReadDecimal("-"), 0);
    EXPECT_EQ(ReadDecimal("4 2"), 4);
    EXPECT_EQ(ReadDecimal("+-3"), 0);
}

TEST(ReadDecimal, StopsAtTheEndsOfThe32BitRange)
{
    EXPECT_EQ(ReadDecimal("2147483647"), 2147483647);
    EXPECT_EQ(ReadDecimal("2147483648"), 2147483647);
    EXPECT_EQ(ReadDecimal("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ReadDecimal("-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ReadDecimal("99999999999999999999999"), 2147483647);
}
