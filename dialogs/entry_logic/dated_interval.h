#pragma once

#include "records/calendar_time.h"

// An interval as the manual entry shows it: the day it starts on, the clock
// times of its start and end, and whether the end falls on the following
// day. Clock times are seconds after 00:00:00 as the clock reads, so that on
// the day daylight saving begins 03:00:00 follows 01:59:59.
struct DatedInterval {
    int year = 1970;
    int month = 1;
    int day = 1;
    int startClock = 0;
    int endClock = 0;
    bool endsNextDay = false;

    // Both times on the day, the end on the day after when it ends then, each
    // as the local clock reads on that day.
    CalendarTime start() const;
    CalendarTime end() const;

    // How an interval shows: on the local day of its start. An end on a later
    // day ends on the day after, at its own clock time.
    static DatedInterval of(CalendarTime start, CalendarTime end);

    bool operator==(const DatedInterval&) const = default;
};
