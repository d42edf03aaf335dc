#pragma once

#include "records/calendar_time.h"
#include "records/decimal_digits.h"

#include <cstddef>
#include <cstring>

// Calendar times as local "YYYY-MM-DD HH:MM:SS", or "?" for a time without a
// calendar date, exactly as the C library's local-time conversion gives them.
// Times of one day share one conversion: a day whose local offset holds from
// midnight to midnight is kept, and any time within it is its date and the
// seconds since its midnight. The days are taken to change their offset at
// most once each, as every time zone does.
class LocalTimeText {
public:
    static constexpr std::size_t kLongest = 19;

    // Writes the time's text at `target`, at most kLongest bytes, and returns
    // its end. Inline for the times of the kept day: an export asks for two
    // per record.
    char* put(char* target, CalendarTime time)
    {
        if (m_dayRegular && time >= m_dayStart && time < m_dayStart + kDaySeconds)
            return putInDay(target, time);
        return putAnotherDay(target, time);
    }

private:
    static constexpr CalendarTime kDaySeconds = 86400;
    static constexpr std::size_t kDateSize = 11; // "YYYY-MM-DD "

    char* putAnotherDay(char* target, CalendarTime time);
    // Keeps the day of the time, and whether its offset holds all day long.
    void keepDayOf(CalendarTime time, const std::tm& fields);
    // Keeps the later day of the time when it has the kept day's offset all day long.
    bool keepLaterDay(CalendarTime time);
    char* putInDay(char* target, CalendarTime time) const
    {
        // Unsigned: the divisions by constants take fewer steps.
        const auto seconds = static_cast<std::uint32_t>(time - m_dayStart);
        const std::uint32_t hour = seconds / 3600;
        const std::uint32_t secondsInHour = seconds - hour * 3600;
        const std::uint32_t minute = secondsInHour / 60;
        return putTimeOfDay(target, hour, minute, secondsInHour - minute * 60);
    }
    // The kept date and the time of day.
    char* putTimeOfDay(char* target, std::uint32_t hour, std::uint32_t minute, std::uint32_t second) const
    {
        std::memcpy(target, m_date, kDateSize);
        putTwoDigits(target + 11, hour);
        target[13] = ':';
        putTwoDigits(target + 14, minute);
        target[16] = ':';
        putTwoDigits(target + 17, second);
        return target + kLongest;
    }

    // The 24 hours from the kept day's midnight; times in a day whose offset
    // changes are converted one by one.
    CalendarTime m_dayStart = 0;
    long m_dayOffset = 0;
    bool m_dayRegular = false;
    char m_date[kDateSize + 1] = "YYYY-MM-DD ";
};
