#include "records/training_type.h"

#include "records/sorted_erase.h"

#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void throwBadIndex(int index, int count)
{
    throw std::invalid_argument("interval index " + std::to_string(index) + " outside 0.." + std::to_string(count - 1));
}

} // namespace

const IntervalRecord& IntervalRecordList::at(int index) const
{
    if (index < 0 || index >= size())
        throwBadIndex(index, size());
    return m_entries[static_cast<std::size_t>(index)];
}

IntervalRecord& IntervalRecordList::at(int index)
{
    if (index < 0 || index >= size())
        throwBadIndex(index, size());
    return m_entries[static_cast<std::size_t>(index)];
}

int IntervalRecordList::add(const IntervalRecord& entry)
{
    m_entries.push_back(entry);
    return size() - 1;
}

void IntervalRecordList::removeAt(int index, int count)
{
    if (count < 0 || index < 0 || index >= size() || count > size() - index)
        throwBadIndex(index + count - 1, size());
    const auto first = m_entries.begin() + index;
    m_entries.erase(first, first + count);
}

void IntervalRecordList::removePositions(const std::vector<int>& positions)
{
    eraseSortedPositions(m_entries, positions);
}

void IntervalRecordList::insertAtPositions(const std::vector<PlacedRecord>& placed)
{
    std::vector<IntervalRecord> merged;
    merged.reserve(m_entries.size() + placed.size());
    auto old = m_entries.begin();
    for (const PlacedRecord& put : placed) {
        while (old != m_entries.end() && static_cast<int>(merged.size()) < put.position)
            merged.push_back(*old++);
        merged.push_back(put.record);
    }
    merged.insert(merged.end(), old, m_entries.end());
    m_entries = std::move(merged);
}
