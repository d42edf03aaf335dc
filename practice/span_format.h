#pragma once

#include "records/calendar_time.h"

#include <string>

// A span as "HH:MM:SS" with the hours within a day (25 hours show as 01).
// A negative span (the clock was set back) keeps its sign in front.
std::string formatSpan(TimeSpan span);

// Local date "dd.mm.yy" and local time "HH:MM:SS"; empty when the time
// cannot be broken into local fields.
std::string formatLocalDate(CalendarTime time);
std::string formatLocalTimeOfDay(CalendarTime time);
