#include "dialogs/entry_logic/dated_interval.h"
#include "dialogs/entry_logic/manual_entry.h"
#include "tests/support/scoped_environment.h"

#include <gtest/gtest.h>

namespace {

constexpr int clock(int hour, int minute, int second)
{
    return hour * 3600 + minute * 60 + second;
}

// What the dialog shows after inserting the interval: the proposal on its day.
DatedInterval proposalAfter(const DatedInterval& inserted)
{
    const IntervalProposal next = proposeNextInterval(inserted.start(), inserted.end());
    return DatedInterval::of(next.timeStart, next.timeEnd);
}

} // namespace

void PrintTo(const DatedInterval& shown, std::ostream* out)
{
    *out << shown.day << '.' << shown.month << '.' << shown.year << ' ' << shown.startClock << " to " << shown.endClock
         << (shown.endsNextDay ? " next day" : "");
}

TEST(DatedInterval, ClockTimesAcrossMidnightAndTheDaylightSavingChangesKeepTheirLength)
{
    const ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    // On 29 March 2026 the clock jumps from 02:00 to 03:00; on 25 October back from 03:00 to 02:00.
    const DatedInterval spring{2026, 3, 29, clock(1, 30, 0), clock(3, 30, 0), false};
    EXPECT_EQ(spring.end() - spring.start(), 3600);
    const DatedInterval autumn{2026, 10, 25, clock(1, 30, 0), clock(3, 30, 0), false};
    EXPECT_EQ(autumn.end() - autumn.start(), 3 * 3600);

    // A proposal across the jump shows the clock as it reads after it.
    const DatedInterval beforeJump{2026, 3, 29, clock(1, 50, 0), clock(1, 59, 50), false};
    EXPECT_EQ(proposalAfter(beforeJump), (DatedInterval{2026, 3, 29, clock(3, 0, 10), clock(3, 9, 40), false}));

    // Across midnight into the night of the change, the end lies on the next day.
    const DatedInterval eve{2026, 3, 28, clock(23, 30, 0), clock(23, 50, 0), false};
    const DatedInterval night = proposalAfter(eve);
    EXPECT_EQ(night, (DatedInterval{2026, 3, 28, clock(23, 50, 20), clock(0, 10, 0), true}));
    EXPECT_EQ(night.end() - night.start(), 1180);
}
