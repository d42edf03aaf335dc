#include "evaluation/practice_bars.h"
#include "records/training_type.h"
#include "tests/support/record_builder.h"
#include "tests/support/scoped_environment.h"

#include <gtest/gtest.h>

TEST(PracticeBars, ThirtyDaysAndFiftyTwoWeeksEndTodayWithEmptyOnesBetween)
{
    const ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    TrainingType type;
    // 3 January 2027 is a Sunday, in week 53 of 2026.
    const auto add = [&](int measurement, int month, int day, TimeSpan calm, TimeSpan restless) {
        const int year = month == 1 ? 2027 : 2026;
        const CalendarTime start = makeLocalTime(year, month, day, 7, 0, 0);
        type.m_records.add(record().measurement(measurement).run(1).from(start).lasting(calm));
        type.m_records.add(
            record().measurement(measurement).run(2).from(start + calm + 20).lasting(restless).uddhacca());
    };
    add(1, 11, 20, 1500, 300); // before the 30 days
    add(2, 12, 30, 1200, 600);
    add(3, 1, 3, 1800, 0);
    add(4, 1, 3, 60, 60); // a second sitting on the same day

    const PracticeSummary summary(type, makeLocalTime(2027, 1, 3, 21, 0, 0));
    const PracticeBars bars(summary);
    ASSERT_EQ(bars.days().size(), 30u);
    EXPECT_EQ(bars.days().front().title, "05.12.2026");
    const PracticeBar& today = bars.days().back();
    EXPECT_EQ(today.label, "3");
    EXPECT_EQ(today.totals.sittings, 2);
    EXPECT_DOUBLE_EQ(today.minutes(), 32.0);
    EXPECT_DOUBLE_EQ(today.uddhaccaMinutes(), 1.0);
    EXPECT_EQ(bars.days()[25].totals.intervalSeconds, 1800) << "30 December";
    EXPECT_EQ(bars.days()[26].totals.sittings, 0) << "31 December, no sitting";
    EXPECT_EQ(bars.days()[25].toolTip(), "30.12.2026\n1 sitting, 2 intervals\nInterval time 0:30:00\n"
                                         "Uddhacca 0:10:00 (33 %)");
    EXPECT_EQ(bars.days()[26].toolTip(), "31.12.2026\n0 sittings, 0 intervals\nInterval time 0:00:00");

    ASSERT_EQ(bars.weeks().size(), 52u);
    EXPECT_EQ(bars.weeks().back().title, "2026-W53 (from 28.12.2026)");
    EXPECT_EQ(bars.weeks().back().label, "53");
    EXPECT_EQ(bars.weeks().back().totals.sittings, 3);
    EXPECT_EQ(bars.weeks()[bars.weeks().size() - 7].title, "2026-W47 (from 16.11.2026)");
    EXPECT_EQ(bars.weeks()[bars.weeks().size() - 7].totals.intervalSeconds, 1800);
    EXPECT_EQ(bars.weeks().front().title, "2026-W02 (from 05.01.2026)");

    EXPECT_EQ(bars.daysMeetingGoal(31), 1);
    EXPECT_EQ(bars.daysMeetingGoal(30), 2) << "a day of exactly the goal meets it";
    EXPECT_EQ(bars.daysMeetingGoal(0), 0) << "no goal, no days meeting it";
}
