#include "practice/interval_rows.h"

#include "practice/span_format.h"
#include "records/sorted_erase.h"
#include "records/training_type.h"

#include <algorithm>
#include <cassert>
#include <numeric>

namespace {

IntervalRow makeRow(const IntervalRecord& entry, std::int32_t record)
{
    return {entry.m_timeStart, entry.m_timeEnd, record, entry.m_measurement, entry.m_run, entry.m_uddhacca != 0};
}

// The key a column sorts by; the date, number and time columns all sort by start.
std::int64_t sortKey(const IntervalRow& row, int column)
{
    switch (static_cast<IntervalRows::Column>(column)) {
    case IntervalRows::Column::Run: return row.m_run;
    case IntervalRows::Column::Duration: return boundedSpan(row.m_timeStart, row.m_timeEnd);
    case IntervalRows::Column::Uddhacca: return row.m_uddhacca ? 1 : 0;
    default: return row.m_timeStart;
    }
}

} // namespace

void IntervalRows::fill(const TrainingType& type, std::optional<std::uint16_t> onlyMeasurement)
{
    m_rows.clear();
    const int count = type.m_records.size();
    if (!onlyMeasurement)
        m_rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const IntervalRecord& entry = type.m_records[i];
        if (!onlyMeasurement || entry.m_measurement == *onlyMeasurement)
            m_rows.push_back(makeRow(entry, i));
    }
}

void IntervalRows::add(const IntervalRecord& entry, std::int32_t record)
{
    m_rows.push_back(makeRow(entry, record));
}

std::vector<int> IntervalRows::sort(int column, bool ascending)
{
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    if (column < 0 || column >= kColumnCount)
        return order;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const std::int64_t keyA = sortKey(m_rows[static_cast<std::size_t>(a)], column);
        const std::int64_t keyB = sortKey(m_rows[static_cast<std::size_t>(b)], column);
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

std::vector<int> IntervalRows::forgetRecords(const std::vector<int>& positions)
{
    std::vector<int> shown;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        IntervalRow& row = m_rows[i];
        const auto below = std::lower_bound(positions.begin(), positions.end(), row.m_record);
        if (below != positions.end() && *below == row.m_record)
            shown.push_back(static_cast<int>(i));
        else
            row.m_record -= static_cast<std::int32_t>(below - positions.begin());
    }
    return shown;
}

void IntervalRows::eraseRows(int first, int last)
{
    assert(first >= 0 && first <= last && last < count());
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
}

void IntervalRows::eraseRows(const std::vector<int>& rows)
{
    eraseSortedPositions(m_rows, rows);
}

std::vector<PlacedRecord> IntervalRows::recordsOf(const std::vector<int>& rows, const TrainingType& type) const
{
    std::vector<PlacedRecord> records;
    records.reserve(rows.size());
    for (int index : rows) {
        const std::int32_t position = row(index).m_record;
        records.push_back({position, type.m_records[position]});
    }
    std::sort(records.begin(), records.end(),
              [](const PlacedRecord& a, const PlacedRecord& b) { return a.position < b.position; });
    return records;
}

std::string IntervalRows::cellText(const IntervalRow& row, int column)
{
    switch (static_cast<Column>(column)) {
    case Column::Date: return formatLocalDate(row.m_timeStart);
    case Column::Measurement: return std::to_string(row.m_measurement);
    case Column::Run: return std::to_string(row.m_run);
    case Column::Start: return formatLocalTimeOfDay(row.m_timeStart);
    case Column::End: return formatLocalTimeOfDay(row.m_timeEnd);
    case Column::Duration: return formatSpan(boundedSpan(row.m_timeStart, row.m_timeEnd));
    case Column::Uddhacca: return row.m_uddhacca ? "x" : " ";
    default: return {};
    }
}
