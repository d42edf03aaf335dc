#include "practice/clock.h"

#include <ctime>

namespace {

class SystemClock : public Clock {
public:
    CalendarTime now() const override { return static_cast<CalendarTime>(std::time(nullptr)); }
    std::int64_t steadySeconds() const override
    {
        timespec moment{};
        clock_gettime(CLOCK_MONOTONIC, &moment);
        return static_cast<std::int64_t>(moment.tv_sec);
    }
};

} // namespace

Clock& systemClock()
{
    static SystemClock clock;
    return clock;
}
