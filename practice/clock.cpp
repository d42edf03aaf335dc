#include "practice/clock.h"

#include <ctime>

namespace {

class SystemClock : public Clock {
public:
    CalendarTime now() const override { return static_cast<CalendarTime>(std::time(nullptr)); }
    std::int64_t steadySeconds() const override
    {
        // The boot clock goes on while the machine sleeps: a machine suspended
        // while the practitioner sits still must not shorten the interval.
        timespec moment{};
        clock_gettime(CLOCK_BOOTTIME, &moment);
        return static_cast<std::int64_t>(moment.tv_sec);
    }
};

} // namespace

Clock& systemClock()
{
    static SystemClock clock;
    return clock;
}
