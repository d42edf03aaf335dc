#pragma once

#include "records/interval_record.h"

#include <cstdlib>
#include <ctime>
#include <string>

inline IntervalRecord entry(CalendarTime start, CalendarTime end, int measurement, int run, int uddhacca = 0)
{
    IntervalRecord entry;
    entry.m_timeStart = start;
    entry.m_timeEnd = end;
    entry.m_uddhacca = uddhacca;
    entry.m_measurement = static_cast<std::uint16_t>(measurement);
    entry.m_run = static_cast<std::uint16_t>(run);
    return entry;
}

// Sets TZ (a POSIX rule, so no zone files are needed) and puts the old value back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) {
            m_hadOld = true;
            m_old = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_hadOld)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool m_hadOld = false;
    std::string m_old;
};
