#include "practice/clock.h"

#include <ctime>

namespace {

class SystemClock : public Clock {
public:
    CalendarTime now() const override { return static_cast<CalendarTime>(std::time(nullptr)); }
};

} // namespace

Clock& systemClock()
{
    static SystemClock clock;
    return clock;
}
