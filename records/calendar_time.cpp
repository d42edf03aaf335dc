#include "records/calendar_time.h"

#include <algorithm>

CalendarTime makeLocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return static_cast<CalendarTime>(std::mktime(&fields));
}

std::tm breakLocalTime(CalendarTime time)
{
    std::time_t value = static_cast<std::time_t>(time);
    std::tm fields{};
    localtime_r(&value, &fields);
    return fields;
}

std::int64_t secondsUntilNextLocalDay(CalendarTime now)
{
    const std::tm today = breakLocalTime(now);
    const CalendarTime midnight = makeLocalTime(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday + 1, 0, 0, 0);
    return std::clamp<std::int64_t>(midnight - now + 1, 1, 25 * 3600);
}

std::optional<std::tm> calendarFields(CalendarTime time)
{
    // About 292 billion years either way fit in 64 bits; the calendar does not.
    constexpr CalendarTime kDaySeconds = 86400;
    constexpr CalendarTime kFirstDay = -719162 * kDaySeconds;    // 0001-01-01
    constexpr CalendarTime kPastLastDay = 2932897 * kDaySeconds; // 10000-01-01
    if (time < kFirstDay + kDaySeconds || time >= kPastLastDay - kDaySeconds)
        return std::nullopt;
    std::time_t value = static_cast<std::time_t>(time);
    std::tm fields{};
    if (!localtime_r(&value, &fields))
        return std::nullopt;
    return fields;
}

CalendarTime makeDuration(int hour, int minute, int second)
{
    return makeLocalTime(2006, 1, 1, hour, minute, second);
}

CalendarTime makeDurationFromSeconds(std::int64_t seconds)
{
    return makeDuration(static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                        static_cast<int>(seconds % 60));
}

std::int64_t durationSeconds(CalendarTime duration)
{
    const std::tm fields = breakLocalTime(duration);
    return fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec;
}
