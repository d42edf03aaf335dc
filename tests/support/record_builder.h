#pragma once

#include "records/interval_record.h"

#include <cstdint>
#include <optional>

// Builds an interval record with named fields, for example
// record().measurement(3).run(1).from(t).lasting(90).uddhacca().
class RecordBuilder {
public:
    RecordBuilder& measurement(int number)
    {
        m_record.m_measurement = static_cast<std::uint16_t>(number);
        return *this;
    }
    RecordBuilder& run(int number)
    {
        m_record.m_run = static_cast<std::uint16_t>(number);
        return *this;
    }
    RecordBuilder& from(CalendarTime start)
    {
        m_record.m_timeStart = start;
        return *this;
    }
    RecordBuilder& to(CalendarTime end)
    {
        m_record.m_timeEnd = end;
        m_length.reset();
        return *this;
    }
    RecordBuilder& lasting(TimeSpan seconds)
    {
        m_length = seconds;
        return *this;
    }
    // Ended by restlessness.
    RecordBuilder& uddhacca(bool ended = true)
    {
        m_record.m_uddhacca = ended ? 1 : 0;
        return *this;
    }

    IntervalRecord build() const
    {
        IntervalRecord result = m_record;
        if (m_length)
            result.m_timeEnd = result.m_timeStart + *m_length;
        return result;
    }
    operator IntervalRecord() const { return build(); }

private:
    IntervalRecord m_record;
    std::optional<TimeSpan> m_length;
};

inline RecordBuilder record()
{
    return RecordBuilder();
}
