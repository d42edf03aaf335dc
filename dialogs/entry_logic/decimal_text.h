#pragma once

#include <cstdint>
#include <string_view>

// Reads a number the way the C library's atoi does: white space skipped, an
// optional sign, decimal digits up to the first other character; no digits
// give 0. Values beyond the 32-bit range stop at its ends instead of being
// undefined.
std::int32_t readDecimal(std::string_view text);
