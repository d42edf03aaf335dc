#include "app/build_stamp.h"

#include <gtest/gtest.h>

TEST(BuildStamp, IsYearDigitMonthDayAndTime)
{
    EXPECT_EQ(makeBuildStamp("Jun 11 2019", "13:57:02"), "90611135702");
    // The compiler pads a one-digit day with a blank; it becomes a zero.
    EXPECT_EQ(makeBuildStamp("Jan  1 2020", "00:00:09"), "00101000009");
    EXPECT_EQ(makeBuildStamp("Dec 31 2026", "23:59:59"), "61231235959");
    EXPECT_EQ(makeBuildStamp("Oct  5 2023", "07:08:09"), "31005070809");
}

TEST(BuildStamp, NumbersEveryMonthAndUnknownNamesAsZero)
{
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i) {
        const std::string date = std::string(months[i]) + " 15 2021";
        const std::string stamp = makeBuildStamp(date, "12:00:00");
        EXPECT_EQ(stamp.substr(1, 2), (i + 1 < 10 ? "0" : "") + std::to_string(i + 1)) << date;
    }
    EXPECT_EQ(makeBuildStamp("Xyz 15 2021", "12:00:00"), "10015120000");
    EXPECT_EQ(makeBuildStamp("jun 15 2021", "12:00:00"), "10015120000");
}
