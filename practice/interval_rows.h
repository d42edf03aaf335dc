#pragma once

#include "records/calendar_time.h"
#include "records/interval_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TrainingType;

// One row of the interval list: a copy of the record it shows, and the
// position of that record in its training type.
struct IntervalRow {
    CalendarTime m_timeStart;
    CalendarTime m_timeEnd;
    std::int32_t m_record;
    std::uint16_t m_measurement;
    std::uint16_t m_run;
    bool m_uddhacca;
};

// The rows of the interval list, without any window: filling, sorting and
// following removed records, with the record positions kept right throughout.
// The rows stay where they were filled in; a sort only reorders the list of
// their indexes.
class IntervalRows {
public:
    // The columns in the order of the list's header; the functions below take
    // a column's index as the header gives it.
    enum class Column { Date, Measurement, Run, Start, End, Duration, Uddhacca };
    static constexpr int kColumnCount = 7;

    int count() const { return static_cast<int>(m_order.size()); }
    const IntervalRow& row(int index) const;

    void clear();
    // All records of the type in stored order, or only those of one measurement.
    void fill(const TrainingType& type, std::optional<std::uint16_t> onlyMeasurement);
    void add(const IntervalRecord& entry, std::int32_t record);

    // Stable sort by a column's key; returns where the followed rows went.
    std::vector<int> sort(int column, bool ascending, const std::vector<int>& followed = {});

    // The records at these positions (ascending) were removed from the type:
    // gives the rows that showed them (ascending) and moves the positions of
    // the other rows down. The rows themselves stay until eraseRows.
    std::vector<int> forgetRecords(const std::vector<int>& positions);
    // Removes the rows first..last (inclusive).
    void eraseRows(int first, int last);
    // Removes these rows (ascending) in one pass.
    void eraseRows(const std::vector<int>& rows);
    // The type's records that these rows show, ordered by position.
    std::vector<PlacedRecord> recordsOf(const std::vector<int>& rows, const TrainingType& type) const;

    static std::string cellText(const IntervalRow& row, int column);

private:
    void compactStore();

    std::vector<IntervalRow> m_store;
    // The shown rows, top to bottom, as indexes into the store.
    std::vector<std::int32_t> m_order;
};
