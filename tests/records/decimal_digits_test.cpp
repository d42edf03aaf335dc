#include "records/decimal_digits.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

template <typename Number>
std::string written(Number number)
{
    char text[kLongestDecimal];
    return {text, putDecimal(text, number)};
}

template <typename Number>
std::string expected(Number number)
{
    char text[kLongestDecimal];
    return {text, std::to_chars(text, text + sizeof text, number).ptr};
}

} // namespace

TEST(DecimalDigits, EveryWidthAndBothEndsReadAsToCharsWrites)
{
    std::vector<std::int64_t> values = {std::numeric_limits<std::int64_t>::min(),
                                        std::numeric_limits<std::int64_t>::max()};
    for (std::int64_t power = 1;; power *= 10) {
        for (const std::int64_t value : {power - 1, power, power + 1, 7 * power + 3})
            values.insert(values.end(), {value, -value});
        if (power > std::numeric_limits<std::int64_t>::max() / 10)
            break;
    }
    for (const std::int64_t value : values)
        EXPECT_EQ(written(value), expected(value));
    for (const std::uint32_t value : {0u, 99'999'999u, 100'000'000u, std::numeric_limits<std::uint32_t>::max()})
        EXPECT_EQ(written(value), expected(value));
    EXPECT_EQ(written(std::uint16_t{65'535}), "65535");
}
