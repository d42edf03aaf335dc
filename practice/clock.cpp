#include "clock.h"

#include <ctime>

namespace {

class CSystemClock : public IClock {
public:
    CalendarTime Now() const override { return static_cast<CalendarTime>(std::time(nullptr)); }
};

} // namespace

IClock& SystemClock()
{
    static CSystemClock clock;
    return clock;
}
