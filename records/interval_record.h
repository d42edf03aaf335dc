#pragma once

#include "records/calendar_time.h"

#include <cstdint>

// One meditation interval.
class IntervalRecord {
public:
    CalendarTime m_timeStart = 0;
    CalendarTime m_timeEnd = 0;
    std::int32_t m_uddhacca = 0; // 1 when the interval was ended by restlessness
    std::uint16_t m_measurement = 0;
    std::uint16_t m_run = 0;

    // Bounded to about 68 years either way, see boundedSpan.
    TimeSpan length() const { return boundedSpan(m_timeStart, m_timeEnd); }
    bool operator==(const IntervalRecord& other) const
    {
        return m_timeStart == other.m_timeStart && m_timeEnd == other.m_timeEnd && m_uddhacca == other.m_uddhacca &&
               m_measurement == other.m_measurement && m_run == other.m_run;
    }
};

// Times that a calendar holds and an end not before the start: what every
// recording gives, and nothing else is taken from a file.
inline bool isPossibleRecord(const IntervalRecord& record)
{
    return calendarFields(record.m_timeStart) && calendarFields(record.m_timeEnd) &&
           record.m_timeEnd >= record.m_timeStart;
}

// A record and its place in its training type's list.
struct PlacedRecord {
    int position = 0;
    IntervalRecord record;
    bool operator==(const PlacedRecord&) const = default;
};
