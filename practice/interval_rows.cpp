#include "practice/interval_rows.h"

#include "practice/sort_by_keys.h"
#include "practice/span_format.h"
#include "records/sorted_erase.h"
#include "records/training_type.h"

#include <algorithm>
#include <cassert>
#include <numeric>
#include <unordered_map>

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

const IntervalRow& IntervalRows::row(int index) const
{
    return m_store[static_cast<std::size_t>(m_order.at(static_cast<std::size_t>(index)))];
}

void IntervalRows::clear()
{
    m_store.clear();
    m_order.clear();
}

void IntervalRows::fill(const TrainingType& type, std::optional<std::uint16_t> onlyMeasurement)
{
    clear();
    const int count = type.m_records.size();
    if (!onlyMeasurement)
        m_store.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const IntervalRecord& entry = type.m_records[i];
        if (!onlyMeasurement || entry.m_measurement == *onlyMeasurement)
            m_store.push_back(makeRow(entry, i));
    }
    m_order.resize(m_store.size());
    std::iota(m_order.begin(), m_order.end(), 0);
}

void IntervalRows::add(const IntervalRecord& entry, std::int32_t record)
{
    m_order.push_back(static_cast<std::int32_t>(m_store.size()));
    m_store.push_back(makeRow(entry, record));
}

std::vector<int> IntervalRows::sort(int column, bool ascending, const std::vector<int>& followed)
{
    if (column < 0 || column >= kColumnCount)
        return followed;
    std::vector<std::int64_t> keys(m_order.size());
    for (std::size_t i = 0; i < m_order.size(); ++i)
        keys[i] = sortKey(m_store[static_cast<std::size_t>(m_order[i])], column);
    // The followed rows are found again by the stored rows they show.
    std::vector<std::int32_t> followedRows;
    for (int row : followed)
        followedRows.push_back(m_order.at(static_cast<std::size_t>(row)));

    sortByKeys(m_order, std::move(keys), ascending);

    std::unordered_map<std::int32_t, int> placeOf(followedRows.size());
    if (!followedRows.empty()) {
        std::vector<bool> isFollowed(m_store.size(), false);
        for (std::int32_t stored : followedRows)
            isFollowed[static_cast<std::size_t>(stored)] = true;
        for (std::size_t row = 0; row < m_order.size(); ++row)
            if (isFollowed[static_cast<std::size_t>(m_order[row])])
                placeOf[m_order[row]] = static_cast<int>(row);
    }
    std::vector<int> moved;
    moved.reserve(followedRows.size());
    for (std::int32_t stored : followedRows)
        moved.push_back(placeOf[stored]);
    return moved;
}

std::vector<int> IntervalRows::forgetRecords(const std::vector<int>& positions)
{
    std::vector<int> shown;
    if (positions.empty())
        return shown;
    // How many removed positions lie below each position up to the last
    // removed one, counted in one pass: a search per row would take a
    // million rows twenty times as long.
    const auto span = static_cast<std::size_t>(positions.back()) + 1;
    std::vector<std::int32_t> removedBelow(span + 1, 0);
    for (int position : positions)
        ++removedBelow[static_cast<std::size_t>(position) + 1];
    std::partial_sum(removedBelow.begin(), removedBelow.end(), removedBelow.begin());
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        IntervalRow& row = m_store[static_cast<std::size_t>(m_order[i])];
        const auto record = static_cast<std::size_t>(row.m_record);
        if (record >= span)
            row.m_record -= static_cast<std::int32_t>(positions.size());
        else if (removedBelow[record + 1] != removedBelow[record])
            shown.push_back(static_cast<int>(i));
        else
            row.m_record -= removedBelow[record];
    }
    return shown;
}

void IntervalRows::eraseRows(int first, int last)
{
    assert(first >= 0 && first <= last && last < count());
    m_order.erase(m_order.begin() + first, m_order.begin() + last + 1);
    compactStore();
}

void IntervalRows::eraseRows(const std::vector<int>& rows)
{
    eraseSortedPositions(m_order, rows);
    compactStore();
}

void IntervalRows::compactStore()
{
    // The erased rows stay in the store until they outnumber the shown ones.
    if (m_store.size() > 2 * m_order.size()) {
        std::vector<IntervalRow> shown;
        shown.reserve(m_order.size());
        for (std::int32_t& index : m_order) {
            shown.push_back(m_store[static_cast<std::size_t>(index)]);
            index = static_cast<std::int32_t>(shown.size() - 1);
        }
        m_store = std::move(shown);
    }
}

std::vector<PlacedRecord> IntervalRows::recordsOf(const std::vector<int>& rows, const TrainingType& type) const
{
    std::vector<PlacedRecord> records;
    records.reserve(rows.size());
    for (int index : rows) {
        const std::int32_t position = row(index).m_record;
        records.push_back({position, type.m_records[position]});
    }
    // Rows in stored order, as the list mostly shows them, need no sorting.
    const auto byPosition = [](const PlacedRecord& a, const PlacedRecord& b) { return a.position < b.position; };
    if (!std::is_sorted(records.begin(), records.end(), byPosition))
        std::sort(records.begin(), records.end(), byPosition);
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
