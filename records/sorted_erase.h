#pragma once

#include <cstddef>
#include <vector>

// Removes the elements at these positions (ascending, each once) in one pass.
template <typename T>
void eraseSortedPositions(std::vector<T>& elements, const std::vector<int>& positions)
{
    auto next = positions.begin();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (next != positions.end() && static_cast<std::size_t>(*next) == i) {
            ++next;
            continue;
        }
        elements[kept++] = std::move(elements[i]);
    }
    elements.resize(kept);
}
