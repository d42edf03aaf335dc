#pragma once

#include <string>
#include <string_view>

// The build stamp of the about box from the compiler's date ("Jun 11 2019")
// and time ("13:57:02"): last digit of the year, month, day, hour, minute,
// second, giving "90611135702".
std::string makeBuildStamp(std::string_view date, std::string_view time);
