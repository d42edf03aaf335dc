#pragma once

#include "data_entry.h"

#include <string>
#include <vector>

// The records of one training type, in the order they were added. Measurement
// numbers never decrease along the list, which the evaluation relies on.
class CDataEntryArray {
public:
    int GetSize() const { return static_cast<int>(m_entries.size()); }
    const CDataEntry& GetAt(int index) const;
    CDataEntry& GetAt(int index);
    const CDataEntry& operator[](int index) const { return GetAt(index); }
    CDataEntry& operator[](int index) { return GetAt(index); }
    int Add(const CDataEntry& entry);
    void RemoveAt(int index, int count = 1);
    void RemoveAll() { m_entries.clear(); }
    void Reserve(std::size_t count) { m_entries.reserve(count); }

    std::vector<CDataEntry>::const_iterator begin() const { return m_entries.begin(); }
    std::vector<CDataEntry>::const_iterator end() const { return m_entries.end(); }

private:
    std::vector<CDataEntry> m_entries;
};

class TrainingType {
public:
    virtual ~TrainingType() = default;

    std::string m_strName; // bytes as stored; the key of the training type
    CDataEntryArray m_aEntries;
};
