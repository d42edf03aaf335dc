#include "dialogs/entry_logic/dated_interval.h"

namespace {

constexpr int kHour = 3600;
constexpr int kMinute = 60;

CalendarTime onDay(const DatedInterval& interval, int daysLater, int clock)
{
    // The C library carries a day past the month's end into the next month.
    return makeLocalTime(interval.year, interval.month, interval.day + daysLater, clock / kHour, clock / kMinute % 60,
                         clock % kMinute);
}

int clockOf(const std::tm& fields)
{
    return fields.tm_hour * kHour + fields.tm_min * kMinute + fields.tm_sec;
}

} // namespace

CalendarTime DatedInterval::start() const
{
    return onDay(*this, 0, startClock);
}

CalendarTime DatedInterval::end() const
{
    return onDay(*this, endsNextDay ? 1 : 0, endClock);
}

DatedInterval DatedInterval::of(CalendarTime start, CalendarTime end)
{
    const std::tm from = breakLocalTime(start);
    const std::tm to = breakLocalTime(end);
    DatedInterval interval;
    interval.year = from.tm_year + 1900;
    interval.month = from.tm_mon + 1;
    interval.day = from.tm_mday;
    interval.startClock = clockOf(from);
    interval.endClock = clockOf(to);
    interval.endsNextDay = (to.tm_year != from.tm_year || to.tm_yday != from.tm_yday) && end > start;
    return interval;
}
