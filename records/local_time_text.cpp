#include "records/local_time_text.h"

#include <optional>

namespace {

void putDate(char* text, const std::tm& fields)
{
    const auto year = static_cast<std::uint32_t>(fields.tm_year + 1900);
    putTwoDigits(text, year / 100);
    putTwoDigits(text + 2, year % 100);
    putTwoDigits(text + 5, static_cast<std::uint32_t>(fields.tm_mon + 1));
    putTwoDigits(text + 8, static_cast<std::uint32_t>(fields.tm_mday));
}

bool sameDay(const std::tm& a, const std::tm& b)
{
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday && a.tm_gmtoff == b.tm_gmtoff;
}

} // namespace

char* LocalTimeText::putAnotherDay(char* target, CalendarTime time)
{
    const bool inDay = time >= m_dayStart && time < m_dayStart + kDaySeconds;
    if (m_dayRegular && time > m_dayStart && keepLaterDay(time))
        return putInDay(target, time);
    const std::optional<std::tm> fields = calendarFields(time);
    if (!fields) {
        *target = '?';
        return target + 1;
    }
    // Years 1 to 9999 take four digits.
    putDate(m_date, *fields);
    if (!inDay)
        keepDayOf(time, *fields);
    return putTimeOfDay(target, static_cast<std::uint32_t>(fields->tm_hour), static_cast<std::uint32_t>(fields->tm_min),
                        static_cast<std::uint32_t>(fields->tm_sec));
}

bool LocalTimeText::keepLaterDay(CalendarTime time)
{
    // A later day with the kept day's offset from its first to its last
    // second: the last second gives its date; the first needs no look when
    // the day follows the kept one. Ten thousand years on, no calendar holds
    // the time, and the sums below would leave 64 bits.
    constexpr CalendarTime kCalendarSpan = CalendarTime{10000} * 366 * kDaySeconds;
    CalendarTime since = 0;
    if (__builtin_sub_overflow(time, m_dayStart, &since) || since >= kCalendarSpan)
        return false;
    const CalendarTime dayStart = m_dayStart + since / kDaySeconds * kDaySeconds;
    const std::optional<std::tm> last = calendarFields(dayStart + kDaySeconds - 1);
    if (!last || last->tm_gmtoff != m_dayOffset || last->tm_hour != 23 || last->tm_min != 59 || last->tm_sec != 59)
        return false;
    if (dayStart != m_dayStart + kDaySeconds) {
        const std::optional<std::tm> first = calendarFields(dayStart);
        if (!first || !sameDay(*first, *last) || first->tm_hour != 0 || first->tm_min != 0 || first->tm_sec != 0)
            return false;
    }
    m_dayStart = dayStart;
    putDate(m_date, *last);
    return true;
}

void LocalTimeText::keepDayOf(CalendarTime time, const std::tm& fields)
{
    // The day is kept only when its first and last second show the same date
    // and offset as this time, 00:00:00 and 23:59:59: no change of daylight
    // saving (nor a leap second) falls into it.
    const CalendarTime dayStart = time - (fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec);
    const auto isAt = [&fields](const std::optional<std::tm>& at, int hour, int minute, int second) {
        return at && sameDay(*at, fields) && at->tm_hour == hour && at->tm_min == minute && at->tm_sec == second;
    };
    m_dayStart = dayStart;
    m_dayOffset = fields.tm_gmtoff;
    m_dayRegular =
        isAt(calendarFields(dayStart), 0, 0, 0) && isAt(calendarFields(dayStart + kDaySeconds - 1), 23, 59, 59);
}
