#pragma once

#include "records/calendar_time.h"

// The clocks of the measuring mode in whole seconds: the wall clock for when
// an interval began, and a clock that only runs forward, also while the
// machine sleeps, for how long it lasted, so that setting the wall clock (by
// hand, by a time server) changes no duration. Tests drive time through this interface.
class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarTime now() const = 0;
    // Seconds since some moment in the past; differences of two readings are durations.
    virtual std::int64_t steadySeconds() const = 0;
};

// The system clocks (time() and CLOCK_BOOTTIME).
Clock& systemClock();
