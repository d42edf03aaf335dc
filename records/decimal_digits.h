#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// Whole numbers in decimal, written in place two digits at a time from a
// table, free of locales. Always inline: an export writes five numbers a
// record, three of them ten-digit times.

// Integers of up to 64 bits with a sign.
template <typename Number>
concept DecimalNumber = std::integral<Number> && !std::is_same_v<Number, char> && !std::is_same_v<Number, bool> &&
                        (std::is_signed_v<Number> || sizeof(Number) < sizeof(std::int64_t));

constexpr std::size_t kLongestDecimal = 20; // "-9223372036854775808"

// Writes a value below 100 as exactly two digits.
inline char* putTwoDigits(char* target, std::uint32_t value)
{
    // "00", "01", ..., "99" without separators.
    static constexpr std::array<char, 200> kPairs = [] {
        std::array<char, 200> pairs{};
        for (int pair = 0; pair < 100; ++pair) {
            pairs[2 * pair] = static_cast<char>('0' + pair / 10);
            pairs[2 * pair + 1] = static_cast<char>('0' + pair % 10);
        }
        return pairs;
    }();
    std::memcpy(target, kPairs.data() + 2 * value, 2);
    return target + 2;
}

namespace decimal_digits {

inline char* putEightDigits(char* target, std::uint32_t value)
{
    const std::uint32_t high = value / 10'000;
    const std::uint32_t low = value % 10'000;
    putTwoDigits(target, high / 100);
    putTwoDigits(target + 2, high % 100);
    putTwoDigits(target + 4, low / 100);
    return putTwoDigits(target + 6, low % 100);
}

inline char* putBelowHundredMillion(char* target, std::uint32_t value)
{
    const int digits = value < 10           ? 1
                       : value < 100        ? 2
                       : value < 1'000      ? 3
                       : value < 10'000     ? 4
                       : value < 100'000    ? 5
                       : value < 1'000'000  ? 6
                       : value < 10'000'000 ? 7
                                            : 8;
    char* const end = target + digits;
    char* at = end;
    for (; value >= 100; value /= 100)
        putTwoDigits(at -= 2, value % 100);
    if (value >= 10)
        putTwoDigits(at - 2, value);
    else
        at[-1] = static_cast<char>('0' + value);
    return end;
}

[[gnu::always_inline]] inline char* putUnsigned(char* target, std::uint64_t value)
{
    constexpr std::uint64_t kHundredMillion = 100'000'000;
    if (value < kHundredMillion)
        return putBelowHundredMillion(target, static_cast<std::uint32_t>(value));
    const std::uint64_t high = value / kHundredMillion;
    const auto low = static_cast<std::uint32_t>(value - high * kHundredMillion);
    if (high < kHundredMillion) {
        target = putBelowHundredMillion(target, static_cast<std::uint32_t>(high));
    } else {
        const std::uint64_t top = high / kHundredMillion; // at most 1844
        target = putEightDigits(putBelowHundredMillion(target, static_cast<std::uint32_t>(top)),
                                static_cast<std::uint32_t>(high - top * kHundredMillion));
    }
    return putEightDigits(target, low);
}

} // namespace decimal_digits

// Writes the number at `target`, at most kLongestDecimal bytes, and returns the end.
template <DecimalNumber Number>
[[gnu::always_inline]] inline char* putDecimal(char* target, Number number)
{
    if constexpr (std::is_signed_v<Number>) {
        if (number < 0) {
            *target++ = '-';
            return decimal_digits::putUnsigned(target, 0 - static_cast<std::uint64_t>(number));
        }
    }
    return decimal_digits::putUnsigned(target, static_cast<std::uint64_t>(number));
}
