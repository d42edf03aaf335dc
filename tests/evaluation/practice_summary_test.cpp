#include "evaluation/practice_summary.h"
#include "records/training_type.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Runs a test in a time zone with daylight saving, whatever the machine's zone.
class BerlinTime : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* zone = std::getenv("TZ");
        m_savedZone = zone ? zone : "";
        m_hadZone = zone != nullptr;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_hadZone)
            setenv("TZ", m_savedZone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    // Appends an interval starting at the local time to measurement n.
    void add(int n, int year, int month, int day, int hour, int minute, std::int64_t length, bool uddhacca = false)
    {
        m_type.m_records.add(record()
                                 .measurement(n)
                                 .run(1)
                                 .from(makeLocalTime(year, month, day, hour, minute, 0))
                                 .lasting(length)
                                 .uddhacca(uddhacca));
    }

    TrainingType m_type;

private:
    std::string m_savedZone;
    bool m_hadZone = false;
};

std::string dateOf(const DaySummary& day)
{
    return formatDayNumber(day.dayNumber);
}

} // namespace

TEST_F(BerlinTime, SittingsStayOnTheirLocalDayAcrossMidnightAndClockChanges)
{
    add(1, 2026, 3, 28, 23, 50, 300);
    add(1, 2026, 3, 29, 0, 5, 600, true); // the evening sitting runs past midnight
    add(2, 2026, 3, 29, 0, 30, 60);
    add(3, 2026, 3, 29, 23, 30, 120); // the day of the spring change has 23 hours
    add(4, 2026, 3, 30, 0, 10, 30);
    add(5, 2026, 10, 25, 23, 30, 90); // the day of the autumn change has 25 hours

    const PracticeSummary summary(m_type, makeLocalTime(2026, 10, 26, 12, 0, 0));
    ASSERT_EQ(summary.days().size(), 4u);
    const DaySummary& evening = summary.days()[0];
    EXPECT_EQ(dateOf(evening), "28.03.2026");
    EXPECT_EQ(evening.totals.sittings, 1);
    EXPECT_EQ(evening.totals.intervals, 2);
    EXPECT_EQ(evening.totals.intervalSeconds, 900);
    EXPECT_EQ(evening.totals.longestCalmSeconds, 300);
    EXPECT_EQ(evening.totals.uddhaccaPercent(), 67);
    EXPECT_EQ(dateOf(summary.days()[1]), "29.03.2026");
    EXPECT_EQ(summary.days()[1].totals.sittings, 2);
    EXPECT_EQ(summary.days()[1].totals.intervalSeconds, 180);
    EXPECT_EQ(dateOf(summary.days()[2]), "30.03.2026");
    EXPECT_EQ(dateOf(summary.days()[3]), "25.10.2026");
    EXPECT_EQ(summary.currentStreak(), 1);
    EXPECT_EQ(formatTotalTime(summary.days()[0].totals.intervalSeconds + 90000), "25:15:00");
}

TEST_F(BerlinTime, WeeksRunFromMondayAndCrossTheYearEnd)
{
    add(1, 2026, 12, 27, 8, 0, 60); // Sunday of week 52
    add(2, 2026, 12, 28, 8, 0, 60); // Monday of week 53
    add(3, 2027, 1, 3, 8, 0, 60);   // its Sunday, in the new year
    add(4, 2027, 1, 4, 8, 0, 60);   // Monday of week 1 of 2027

    const PracticeSummary summary(m_type, makeLocalTime(2027, 1, 4, 20, 0, 0));
    ASSERT_EQ(summary.weeks().size(), 3u);
    EXPECT_EQ(summary.weeks()[0].week, 52);
    EXPECT_EQ(summary.weeks()[1].weekYear, 2026);
    EXPECT_EQ(summary.weeks()[1].week, 53);
    EXPECT_EQ(summary.weeks()[1].totals.sittings, 2);
    EXPECT_EQ(formatDayNumber(summary.weeks()[1].mondayDayNumber), "28.12.2026");
    EXPECT_EQ(summary.weeks()[2].weekYear, 2027);
    EXPECT_EQ(summary.weeks()[2].week, 1);
    EXPECT_EQ(summary.currentStreak(), 2);
}

TEST_F(BerlinTime, StreakCountsBackFromTodayOrYesterdayAndStopsAtAGap)
{
    const PracticeSummary empty(m_type, makeLocalTime(2026, 12, 6, 6, 0, 0));
    EXPECT_TRUE(empty.days().empty());
    EXPECT_TRUE(empty.weeks().empty());
    EXPECT_EQ(empty.currentStreak(), 0);
    EXPECT_EQ(empty.lastThirtyDays().uddhaccaPercent(), 0) << "no division by zero intervals";

    add(1, 2026, 11, 1, 7, 0, 100); // beyond the last 30 days
    add(2, 2026, 12, 1, 7, 0, 200);
    add(3, 2026, 12, 2, 7, 0, 300);
    add(4, 2026, 12, 4, 7, 0, 400);
    add(5, 2026, 12, 5, 7, 0, 500, true);
    add(6, 2026, 12, 1, 19, 0, 50); // a late entry for an earlier day joins it

    const PracticeSummary noSittingYetToday(m_type, makeLocalTime(2026, 12, 6, 6, 0, 0));
    EXPECT_EQ(noSittingYetToday.currentStreak(), 2);
    ASSERT_EQ(noSittingYetToday.days().size(), 5u);
    EXPECT_EQ(noSittingYetToday.days()[1].totals.sittings, 2);
    EXPECT_EQ(noSittingYetToday.lastSevenDays().sittings, 5);
    EXPECT_EQ(noSittingYetToday.lastSevenDays().intervalSeconds, 1450);
    EXPECT_EQ(noSittingYetToday.lastSevenDays().longestCalmSeconds, 400);
    EXPECT_EQ(noSittingYetToday.lastThirtyDays().sittings, 5);

    EXPECT_EQ(PracticeSummary(m_type, makeLocalTime(2026, 12, 5, 22, 0, 0)).currentStreak(), 2);
    EXPECT_EQ(PracticeSummary(m_type, makeLocalTime(2026, 12, 7, 6, 0, 0)).currentStreak(), 0);
    EXPECT_EQ(PracticeSummary(m_type, makeLocalTime(2026, 12, 3, 6, 0, 0)).currentStreak(), 2);
    EXPECT_EQ(PracticeSummary(m_type, makeLocalTime(2026, 12, 31, 6, 0, 0)).lastThirtyDays().sittings, 3);
}
