#pragma once

#include "records/calendar_time.h"

// The wall clock in whole seconds. Every duration of the measuring mode is a
// difference of two readings, so tests drive time through this interface.
class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarTime now() const = 0;
};

// The system clock (time()).
Clock& systemClock();
