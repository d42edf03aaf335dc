#include "practice/sort_by_keys.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

namespace {

constexpr int kDigitBits = 8;
constexpr std::uint64_t kDigitMask = (1u << kDigitBits) - 1;

// Sorts the items stably by bits low .. low + width - 1 of their keys, the
// least significant digit first; a digit all items share takes no pass.
template <typename Item, typename KeyOf>
void radixSort(Item* items, std::size_t count, int low, int width, KeyOf keyOf)
{
    const int digits = (width + kDigitBits - 1) / kDigitBits;
    std::vector<std::array<std::size_t, kDigitMask + 1>> counts(static_cast<std::size_t>(digits));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t key = keyOf(items[i]);
        for (int d = 0; d < digits; ++d)
            ++counts[static_cast<std::size_t>(d)][(key >> (low + d * kDigitBits)) & kDigitMask];
    }
    // Left uninitialised: every item is written before it is read.
    const std::unique_ptr<Item[]> spare(new Item[count]);
    Item* from = items;
    Item* to = spare.get();
    for (int d = 0; d < digits; ++d) {
        const int shift = low + d * kDigitBits;
        std::array<std::size_t, kDigitMask + 1>& places = counts[static_cast<std::size_t>(d)];
        if (places[(keyOf(from[0]) >> shift) & kDigitMask] == count)
            continue;
        std::size_t next = 0;
        for (std::size_t& place : places)
            next += std::exchange(place, next);
        for (std::size_t i = 0; i < count; ++i)
            to[places[(keyOf(from[i]) >> shift) & kDigitMask]++] = from[i];
        std::swap(from, to);
    }
    if (from != items)
        std::memcpy(items, from, count * sizeof(Item));
}

} // namespace

void sortByKeys(std::vector<std::int32_t>& values, std::vector<std::int64_t> keys, bool ascending)
{
    const std::size_t count = values.size();
    if (count == 0)
        return;
    // Unsigned numbers in the wanted order: the sign bit flipped, and every bit for descending.
    const auto ordered = [ascending](std::int64_t key) {
        const std::uint64_t number = static_cast<std::uint64_t>(key) ^ (std::uint64_t{1} << 63);
        return ascending ? number : ~number;
    };
    std::uint64_t lowest = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t highest = 0;
    for (std::int64_t key : keys) {
        lowest = std::min(lowest, ordered(key));
        highest = std::max(highest, ordered(key));
    }
    const int keyBits = std::bit_width(highest - lowest);
    const int valueBits =
        std::bit_width(static_cast<std::uint32_t>(std::max(0, *std::max_element(values.begin(), values.end()))));

    if (keyBits + valueBits <= 64) {
        // Key and value in one word, the key above, made where the key was:
        // half the memory to move and nothing more to allocate.
        for (std::size_t i = 0; i < count; ++i)
            keys[i] = static_cast<std::int64_t>(((ordered(keys[i]) - lowest) << valueBits) |
                                                static_cast<std::uint32_t>(values[i]));
        radixSort(keys.data(), count, valueBits, keyBits,
                  [](std::int64_t item) { return static_cast<std::uint64_t>(item); });
        const std::uint64_t valueMask = (std::uint64_t{1} << valueBits) - 1;
        for (std::size_t i = 0; i < count; ++i)
            values[i] = static_cast<std::int32_t>(static_cast<std::uint64_t>(keys[i]) & valueMask);
        return;
    }
    struct Pair {
        std::uint64_t key;
        std::int32_t value;
    };
    std::vector<Pair> items(count);
    for (std::size_t i = 0; i < count; ++i)
        items[i] = {ordered(keys[i]) - lowest, values[i]};
    radixSort(items.data(), count, 0, keyBits, [](const Pair& pair) { return pair.key; });
    for (std::size_t i = 0; i < count; ++i)
        values[i] = items[i].value;
}
