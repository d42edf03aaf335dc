#pragma once

#include "records/calendar_time.h"
#include "records/interval_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TrainingDocument;
class TrainingType;

// One row of the interval list: a copy of the record it shows, and the
// position of that record in its training type (kNoRecord when the row was
// added without it or its record is gone).
struct IntervalRow {
    static constexpr std::int32_t kNoRecord = -1;

    CalendarTime m_timeStart;
    CalendarTime m_timeEnd;
    std::int32_t m_record;
    std::uint16_t m_measurement;
    std::uint16_t m_run;
    bool m_uddhacca;
};

// The rows of the interval list, without any window: filling, sorting and
// deleting, with the record positions kept right through all three.
class IntervalRows {
public:
    // The columns in the order of the list's header; the functions below take
    // a column's index as the header gives it.
    enum class Column { Date, Measurement, Run, Start, End, Duration, Uddhacca };
    static constexpr int kColumnCount = 7;

    int count() const { return static_cast<int>(m_rows.size()); }
    const IntervalRow& row(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }

    void clear() { m_rows.clear(); }
    // All records of the type in stored order, or only those of one measurement.
    void fill(const TrainingType& type, std::optional<std::uint16_t> onlyMeasurement);
    void add(const IntervalRecord& entry, std::int32_t record = IntervalRow::kNoRecord);

    // Stable sort by a column's key; returns, for each old row, its new index.
    std::vector<int> sort(int column, bool ascending);

    // Removes from the document's type exactly the records of the given rows
    // (a row without a position stands for the last equal record), and gives
    // the remaining rows their records' new positions. The rows themselves
    // stay until eraseRows.
    void removeRecordsOf(TrainingDocument& document, const TrainingType& type, const std::vector<int>& rows);
    // Removes the rows first..last (inclusive).
    void eraseRows(int first, int last);

    static std::string cellText(const IntervalRow& row, int column);

private:
    std::vector<IntervalRow> m_rows;
};
