#pragma once

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <optional>

// A calendar time: seconds since 1970-01-01 00:00:00 UTC. It is built from
// and broken into fields as local time, daylight saving by the C library.
using CalendarTime = std::int64_t;

// A time span in whole seconds.
using TimeSpan = std::int64_t;

// to - from, bounded to about 68 years either way: a file may hold any times,
// and sums over millions of lengths must still fit 64 bits.
// Inline: the statistics take it of every record.
inline TimeSpan boundedSpan(CalendarTime from, CalendarTime to)
{
    constexpr TimeSpan kLongest = 0x7FFFFFFF;
    TimeSpan span = 0;
    if (__builtin_sub_overflow(to, from, &span))
        return to < from ? -kLongest : kLongest;
    return std::clamp(span, -kLongest, kLongest);
}

CalendarTime makeLocalTime(int year, int month, int day, int hour, int minute, int second);
std::tm breakLocalTime(CalendarTime time);
// The local fields of a time that has a calendar date (years 1 to 9999);
// none for a time far outside, as a damaged document may hold.
std::optional<std::tm> calendarFields(CalendarTime time);
// Seconds from now until a second past the next local midnight, when the local
// date has changed; what shows today's date refreshes then.
std::int64_t secondsUntilNextLocalDay(CalendarTime now);

// Durations are stored as a calendar time on 1 January 2006 whose local time
// of day is the duration (0 to 23:59:59).
CalendarTime makeDuration(int hour, int minute, int second);
CalendarTime makeDurationFromSeconds(std::int64_t seconds);
std::int64_t durationSeconds(CalendarTime duration);
