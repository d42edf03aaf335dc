#pragma once

#include "calendar_time.h"

#include <cstdint>

// One meditation interval.
class CDataEntry {
public:
    virtual ~CDataEntry() = default;

    CalendarTime m_timeStart = 0;
    CalendarTime m_timeEnd = 0;
    std::int32_t m_bUddhacca = 0; // 1 when the interval was ended by restlessness
    std::uint16_t m_nMeasurement = 0;
    std::uint16_t m_nRun = 0;

    TimeSpan Length() const { return m_timeEnd - m_timeStart; }
    bool operator==(const CDataEntry& other) const
    {
        return m_timeStart == other.m_timeStart && m_timeEnd == other.m_timeEnd &&
               m_bUddhacca == other.m_bUddhacca && m_nMeasurement == other.m_nMeasurement &&
               m_nRun == other.m_nRun;
    }
};
