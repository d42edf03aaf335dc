#pragma once

#include "records/interval_record.h"

#include <string>
#include <vector>

// The records of one training type, in the order they were added. Measurement
// numbers never decrease along the list, which the evaluation relies on.
class IntervalRecordList {
public:
    int size() const { return static_cast<int>(m_entries.size()); }
    const IntervalRecord& at(int index) const;
    IntervalRecord& at(int index);
    const IntervalRecord& operator[](int index) const { return at(index); }
    IntervalRecord& operator[](int index) { return at(index); }
    int add(const IntervalRecord& entry);
    void removeAt(int index, int count = 1);
    // Removes the records at these positions (ascending, each once) in one pass.
    void removePositions(const std::vector<int>& positions);
    // Puts the records in at their positions (ascending, as they stand afterwards)
    // in one pass; a position beyond the end goes to the end.
    void insertAtPositions(const std::vector<PlacedRecord>& placed);
    void removeAll() { m_entries.clear(); }
    void reserve(std::size_t count) { m_entries.reserve(count); }

    std::vector<IntervalRecord>::const_iterator begin() const { return m_entries.begin(); }
    std::vector<IntervalRecord>::const_iterator end() const { return m_entries.end(); }

private:
    std::vector<IntervalRecord> m_entries;
};

class TrainingType {
public:
    std::string m_name; // bytes as stored; the key of the training type
    IntervalRecordList m_records;
};
