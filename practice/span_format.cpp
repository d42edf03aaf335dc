#include "practice/span_format.h"

#include <cstdio>
#include <ctime>

std::string formatSpan(TimeSpan span)
{
    const bool negative = span < 0;
    // Magnitude without overflow for the most negative value.
    const unsigned long long seconds =
        negative ? 0ULL - static_cast<unsigned long long>(span) : static_cast<unsigned long long>(span);
    char text[16];
    std::snprintf(text, sizeof text, "%s%02llu:%02llu:%02llu", negative ? "-" : "", seconds / 3600 % 24,
                  seconds / 60 % 60, seconds % 60);
    return text;
}

namespace {

// A time without a calendar date shows as "?".
std::string formatLocal(CalendarTime time, const char* format)
{
    const std::optional<std::tm> fields = calendarFields(time);
    if (!fields)
        return "?";
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, format, &*fields);
    return std::string(text, length);
}

} // namespace

std::string formatLocalDate(CalendarTime time)
{
    return formatLocal(time, "%d.%m.%y");
}

std::string formatLocalTimeOfDay(CalendarTime time)
{
    return formatLocal(time, "%H:%M:%S");
}
