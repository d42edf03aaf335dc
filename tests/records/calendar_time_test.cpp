#include "records/calendar_time.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

TEST(CalendarTime, DurationsAreTimesOfDayOnTheFirstOfJanuary2006)
{
    for (const char* zone : {"UTC", "Europe/Berlin", "America/New_York", "Australia/Lord_Howe"}) {
        ScopedTimeZone tz(zone);
        const CalendarTime zero = makeDuration(0, 0, 0);
        EXPECT_EQ(zero, makeLocalTime(2006, 1, 1, 0, 0, 0)) << zone;
        EXPECT_EQ(durationSeconds(zero), 0) << zone;
        const std::tm fields = breakLocalTime(makeDuration(23, 59, 59));
        EXPECT_EQ(fields.tm_year, 106) << zone;
        EXPECT_EQ(fields.tm_yday, 0) << zone;
        EXPECT_EQ(durationSeconds(makeDuration(23, 59, 59)), 86399) << zone;
        EXPECT_EQ(durationSeconds(makeDurationFromSeconds(3723)), 3723) << zone;
    }
    ScopedTimeZone utc("UTC");
    EXPECT_EQ(makeDuration(0, 10, 0), 1136074200);
}

TEST(CalendarTime, LocalTimeFollowsDaylightSaving)
{
    ScopedTimeZone berlin("Europe/Berlin");
    EXPECT_EQ(makeLocalTime(2024, 1, 15, 12, 0, 0), 1705316400); // CET, UTC+1
    EXPECT_EQ(makeLocalTime(2024, 7, 15, 12, 0, 0), 1721037600); // CEST, UTC+2
    const std::tm summer = breakLocalTime(1721037600);
    EXPECT_EQ(summer.tm_hour, 12);
    EXPECT_EQ(summer.tm_isdst, 1);
}
