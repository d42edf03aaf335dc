#include "training_type.h"

#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void ThrowBadIndex(int index, int count)
{
    throw std::invalid_argument("interval index " + std::to_string(index) + " outside 0.." +
                                std::to_string(count - 1));
}

} // namespace

const CDataEntry& CDataEntryArray::GetAt(int index) const
{
    if (index < 0 || index >= GetSize())
        ThrowBadIndex(index, GetSize());
    return m_entries[static_cast<std::size_t>(index)];
}

CDataEntry& CDataEntryArray::GetAt(int index)
{
    if (index < 0 || index >= GetSize())
        ThrowBadIndex(index, GetSize());
    return m_entries[static_cast<std::size_t>(index)];
}

int CDataEntryArray::Add(const CDataEntry& entry)
{
    m_entries.push_back(entry);
    return GetSize() - 1;
}

void CDataEntryArray::RemoveAt(int index, int count)
{
    if (count < 0 || index < 0 || index >= GetSize() || count > GetSize() - index)
        ThrowBadIndex(index + count - 1, GetSize());
    const auto first = m_entries.begin() + index;
    m_entries.erase(first, first + count);
}
