#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The fields of the CSV and JSON exports as they are read back.

// The text without the UTF-8 byte order mark that editors may put in front.
std::string_view withoutByteOrderMark(std::string_view text);

// Whole numbers as the exports write them: decimal digits, a minus sign
// before negative ones, nothing else. None for any other text or a value
// that does not fit.
std::optional<std::int64_t> readInteger64(std::string_view text);
std::optional<std::uint16_t> readUnsigned16(std::string_view text);
