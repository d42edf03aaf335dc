#include "practice/interval_rows.h"

#include "practice/span_format.h"
#include "records/training_document.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace {

IntervalRow makeRow(const IntervalRecord& entry, std::int32_t record)
{
    return {entry.m_timeStart, entry.m_timeEnd, record, entry.m_measurement, entry.m_run, entry.m_uddhacca != 0};
}

bool isRecordOf(const IntervalRow& row, const IntervalRecord& entry)
{
    return entry.m_timeStart == row.m_timeStart && entry.m_timeEnd == row.m_timeEnd &&
           entry.m_measurement == row.m_measurement && entry.m_run == row.m_run &&
           (entry.m_uddhacca != 0) == row.m_uddhacca;
}

// The key a column sorts by; the date, number and time columns all sort by start.
std::int64_t sortKey(const IntervalRow& row, int column)
{
    switch (static_cast<IntervalRows::Column>(column)) {
    case IntervalRows::Column::Run: return row.m_run;
    case IntervalRows::Column::Duration: return row.m_timeEnd - row.m_timeStart;
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

void IntervalRows::removeRecordsOf(TrainingDocument& document, const TrainingType& type, const std::vector<int>& rows)
{
    const int count = type.m_records.size();
    std::vector<bool> goes(static_cast<std::size_t>(count), false);
    for (int index : rows) {
        const IntervalRow& shown = row(index);
        std::int32_t record = shown.m_record;
        if (record < 0 || record >= count) {
            record = IntervalRow::kNoRecord;
            for (std::int32_t i = count - 1; i >= 0; --i) {
                if (!goes[static_cast<std::size_t>(i)] && isRecordOf(shown, type.m_records[i])) {
                    record = i;
                    break;
                }
            }
        }
        if (record != IntervalRow::kNoRecord)
            goes[static_cast<std::size_t>(record)] = true;
    }

    // New position of every record, or kNoRecord when it goes.
    std::vector<std::int32_t> moved(static_cast<std::size_t>(count));
    std::vector<int> positions;
    std::int32_t kept = 0;
    for (int i = 0; i < count; ++i) {
        if (goes[static_cast<std::size_t>(i)]) {
            moved[static_cast<std::size_t>(i)] = IntervalRow::kNoRecord;
            positions.push_back(i);
        } else {
            moved[static_cast<std::size_t>(i)] = kept++;
        }
    }
    document.removeRecords(type, positions);

    for (IntervalRow& row : m_rows) {
        if (row.m_record >= 0 && row.m_record < count)
            row.m_record = moved[static_cast<std::size_t>(row.m_record)];
        else
            row.m_record = IntervalRow::kNoRecord;
    }
}

void IntervalRows::eraseRows(int first, int last)
{
    if (first < 0 || last < first || last >= count())
        throw std::invalid_argument("CIntervalRows::EraseRows: rows outside the list");
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
}

std::string IntervalRows::cellText(const IntervalRow& row, int column)
{
    switch (static_cast<Column>(column)) {
    case Column::Date: return formatLocalDate(row.m_timeStart);
    case Column::Measurement: return std::to_string(row.m_measurement);
    case Column::Run: return std::to_string(row.m_run);
    case Column::Start: return formatLocalTimeOfDay(row.m_timeStart);
    case Column::End: return formatLocalTimeOfDay(row.m_timeEnd);
    case Column::Duration: return formatSpan(row.m_timeEnd - row.m_timeStart);
    case Column::Uddhacca: return row.m_uddhacca ? "x" : " ";
    default: return {};
    }
}
