#include "interval_rows.h"

#include "span_format.h"
#include "training_type.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <unordered_set>

namespace {

IntervalRow MakeRow(const CDataEntry& entry, std::int32_t record)
{
    return {entry.m_timeStart, entry.m_timeEnd, record, entry.m_nMeasurement, entry.m_nRun, entry.m_bUddhacca != 0};
}

// The key a column sorts by; the date, number and time columns all sort by start.
std::int64_t SortKey(const IntervalRow& row, int column)
{
    switch (column) {
    case CIntervalRows::ColRun: return row.m_nRun;
    case CIntervalRows::ColDuration: return row.m_timeEnd - row.m_timeStart;
    case CIntervalRows::ColUddhacca: return row.m_bUddhacca ? 1 : 0;
    default: return row.m_timeStart;
    }
}

} // namespace

void CIntervalRows::Fill(const TrainingType& type, std::optional<std::uint16_t> onlyMeasurement)
{
    m_rows.clear();
    const int count = type.m_aEntries.GetSize();
    if (!onlyMeasurement)
        m_rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const CDataEntry& entry = type.m_aEntries[i];
        if (!onlyMeasurement || entry.m_nMeasurement == *onlyMeasurement)
            m_rows.push_back(MakeRow(entry, i));
    }
}

void CIntervalRows::Add(const CDataEntry& entry, std::int32_t record)
{
    m_rows.push_back(MakeRow(entry, record));
}

std::vector<int> CIntervalRows::Sort(int column, bool ascending)
{
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    if (column < 0 || column >= ColumnCount)
        return order;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const std::int64_t keyA = SortKey(m_rows[static_cast<std::size_t>(a)], column);
        const std::int64_t keyB = SortKey(m_rows[static_cast<std::size_t>(b)], column);
        return ascending ? keyA < keyB : keyA > keyB;
    });
    std::vector<IntervalRow> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newIndex(m_rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(m_rows[static_cast<std::size_t>(order[i])]);
        newIndex[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    }
    m_rows = std::move(sorted);
    return newIndex;
}

void CIntervalRows::RemoveRecordsOf(TrainingType& type, const std::vector<int>& rows)
{
    std::unordered_set<CalendarTime> starts;
    for (int row : rows)
        starts.insert(Row(row).m_timeStart);

    // New position of every record, or kNoRecord when it goes.
    const int count = type.m_aEntries.GetSize();
    std::vector<std::int32_t> moved(static_cast<std::size_t>(count));
    CDataEntryArray kept;
    kept.Reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const CDataEntry& entry = type.m_aEntries[i];
        if (starts.count(entry.m_timeStart)) {
            moved[static_cast<std::size_t>(i)] = IntervalRow::kNoRecord;
        } else {
            moved[static_cast<std::size_t>(i)] = kept.GetSize();
            kept.Add(entry);
        }
    }
    type.m_aEntries = std::move(kept);

    for (IntervalRow& row : m_rows) {
        if (row.m_nRecord >= 0 && row.m_nRecord < count)
            row.m_nRecord = moved[static_cast<std::size_t>(row.m_nRecord)];
        else
            row.m_nRecord = IntervalRow::kNoRecord;
    }
}

void CIntervalRows::EraseRows(int first, int last)
{
    if (first < 0 || last < first || last >= Count())
        throw std::invalid_argument("CIntervalRows::EraseRows: rows outside the list");
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
}

std::string CIntervalRows::CellText(const IntervalRow& row, int column)
{
    switch (column) {
    case ColDate: return FormatLocalDate(row.m_timeStart);
    case ColMeasurement: return std::to_string(row.m_nMeasurement);
    case ColRun: return std::to_string(row.m_nRun);
    case ColStart: return FormatLocalTimeOfDay(row.m_timeStart);
    case ColEnd: return FormatLocalTimeOfDay(row.m_timeEnd);
    case ColDuration: return FormatSpan(row.m_timeEnd - row.m_timeStart);
    case ColUddhacca: return row.m_bUddhacca ? "x" : " ";
    default: return {};
    }
}
