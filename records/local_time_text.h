#pragma once

#include "records/calendar_time.h"

#include <string_view>

// Calendar times as local "YYYY-MM-DD HH:MM:SS", or "?" for a time without a
// calendar date, exactly as the C library's local-time conversion gives them.
// Times of one day share one conversion: a day whose local offset holds from
// midnight to midnight is kept, and any time within it is its date and the
// seconds since its midnight. The days are taken to change their offset at
// most once each, as every time zone does.
class LocalTimeText {
public:
    // Valid until the next call. Inline for the times of the kept day: an
    // export asks for two per record.
    std::string_view of(CalendarTime time)
    {
        if (m_dayRegular && time >= m_dayStart && time < m_dayStart + kDaySeconds)
            return timeInDay(time);
        return ofAnotherDay(time);
    }

private:
    static constexpr CalendarTime kDaySeconds = 86400;

    std::string_view ofAnotherDay(CalendarTime time);
    // Keeps the day of the time, and whether its offset holds all day long.
    void keepDayOf(CalendarTime time, const std::tm& fields);
    // Keeps the later day of the time when it has the kept day's offset all day long.
    bool keepLaterDay(CalendarTime time);
    std::string_view timeInDay(CalendarTime time)
    {
        const auto seconds = static_cast<int>(time - m_dayStart);
        putTimeOfDay(seconds / 3600, seconds / 60 % 60, seconds % 60);
        return {m_text, sizeof m_text - 1};
    }
    void putTimeOfDay(int hour, int minute, int second)
    {
        putTwoDigits(m_text + 11, hour);
        putTwoDigits(m_text + 14, minute);
        putTwoDigits(m_text + 17, second);
    }
    static void putTwoDigits(char* target, int value)
    {
        target[0] = static_cast<char>('0' + value / 10);
        target[1] = static_cast<char>('0' + value % 10);
    }

    // The 24 hours from the kept day's midnight; times in a day whose offset
    // changes are converted one by one.
    CalendarTime m_dayStart = 0;
    long m_dayOffset = 0;
    bool m_dayRegular = false;
    char m_text[20] = "YYYY-MM-DD HH:MM:SS";
};
