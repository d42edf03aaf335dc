#pragma once

#include "calendar_time.h"

// The wall clock in whole seconds. Every duration of the measuring mode is a
// difference of two readings, so tests drive time through this interface.
class IClock {
public:
    virtual ~IClock() = default;
    virtual CalendarTime Now() const = 0;
};

// The system clock (time()).
IClock& SystemClock();
