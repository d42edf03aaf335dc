#include "app/build_stamp.h"

#include <array>

namespace {

std::string monthNumber(std::string_view date)
{
    static constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::string_view name = date.substr(0, 3);
    for (std::size_t i = 0; i < kMonths.size(); ++i) {
        if (kMonths[i] == name) {
            const std::size_t month = i + 1;
            return {static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10)};
        }
    }
    return "00";
}

} // namespace

std::string makeBuildStamp(std::string_view date, std::string_view time)
{
    std::string stamp;
    if (!date.empty())
        stamp += date.back();
    stamp += monthNumber(date);
    std::string day(date.size() >= 6 ? date.substr(4, 2) : std::string_view("00"));
    if (day[0] == ' ')
        day[0] = '0';
    stamp += day;
    for (std::size_t start : {0, 3, 6})
        stamp += time.size() >= start + 2 ? time.substr(start, 2) : std::string_view("00");
    return stamp;
}
