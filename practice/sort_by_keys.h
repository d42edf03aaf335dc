#pragma once

#include <cstdint>
#include <vector>

// Puts the values in the order of their keys (keys[i] belongs to values[i]),
// ascending or descending; values of equal keys keep their order. Values are
// 0 or more. A radix sort over only the bits in which the keys differ, on one
// contiguous array of (key, value) pairs: linear in the number of values,
// however many there are.
void sortByKeys(std::vector<std::int32_t>& values, std::vector<std::int64_t> keys, bool ascending);
