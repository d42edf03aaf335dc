#pragma once

#include "data_entry.h"

#include <cstdlib>
#include <ctime>
#include <string>

inline CDataEntry Entry(CalendarTime start, CalendarTime end, int measurement, int run, int uddhacca = 0)
{
    CDataEntry entry;
    entry.m_timeStart = start;
    entry.m_timeEnd = end;
    entry.m_bUddhacca = uddhacca;
    entry.m_nMeasurement = static_cast<std::uint16_t>(measurement);
    entry.m_nRun = static_cast<std::uint16_t>(run);
    return entry;
}

// Sets TZ (a POSIX rule, so no zone files are needed) and puts the old value back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) {
            m_bHadOld = true;
            m_old = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_bHadOld)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool m_bHadOld = false;
    std::string m_old;
};
