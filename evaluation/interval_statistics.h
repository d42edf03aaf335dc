#pragma once

#include "evaluation/diagram_kind.h"
#include "records/calendar_time.h"
#include "records/interval_record.h"

#include <cstdint>
#include <vector>

class TrainingType;

// The axis ranges of a diagram: x in measurements, y in whole minutes (or
// percent for the Sikkhati ability).
struct AxisRanges {
    int x = 0;
    int y = 0;
};

// The per-measurement values of one training type for all four diagrams,
// made in one pass over its records. The values equal a scan per measurement
// that starts at the first record, passes over lower measurement numbers,
// takes its own and stops at the first higher number: so a record standing
// after a higher measurement number is not found for its own measurement.
class IntervalStatistics {
public:
    // filter: the filter time as a duration of the settings; 00:00:00 is off.
    IntervalStatistics(const TrainingType& type, CalendarTime filter);

    // Takes in the records first .. first + count - 1, appended to the type
    // after the records these statistics were made from. Only the highest
    // measurement and new ones can change, so the cost is that of the records
    // of the highest measurement, not of the whole type.
    void appendRecords(const TrainingType& type, int first, int count);

    // The highest measurement number, N; the values exist for 1..N.
    int measurementCount() const { return m_count; }
    bool isFilterOn() const { return m_filterSeconds > 0; }

    std::int64_t maximum(int n) const;  // seconds
    std::int64_t average(int n) const;  // seconds, halves going up
    std::int64_t median(int n) const;   // seconds, the larger middle for an even count
    std::int64_t sikkhati(int n) const; // whole percent x 60
    std::int64_t value(DiagramKind kind, int n) const;
    // The mean of the kind's values for n-29..n, divided by 30 and truncated.
    std::int64_t movingAverage(DiagramKind kind, int n) const;
    std::int64_t overallMaximum(DiagramKind kind) const;
    AxisRanges axisRanges(DiagramKind kind) const;

private:
    // What the found records of one measurement add up to.
    struct Totals {
        std::int64_t elapsed = 0; // all found records, none below 0
        std::int64_t calm = 0;    // those not ended by uddhacca
        std::int64_t longestCalm = 0;
        std::int64_t qualifyingSum = 0;
        std::int64_t qualifyingCount = 0;
    };
    using Lengths = std::vector<std::int64_t>;

    const std::vector<std::int64_t>& values(DiagramKind kind) const;
    bool qualifies(const IntervalRecord& record) const;
    void addRecord(Totals& totals, const IntervalRecord& record) const;
    // Values for measurements 0..size-1, all 0.
    void resize(std::size_t size);
    // The values of measurement n from its totals and its qualifying lengths, which it reorders.
    void setValues(std::size_t n, const Totals& totals, Lengths::iterator first, Lengths::iterator last);
    void sumPrefixesFrom(std::size_t n);

    int m_count = 0;
    std::int64_t m_filterSeconds = 0;
    // Index n holds measurement n; index 0 is measurement 0, never shown.
    std::vector<std::int64_t> m_maximum, m_average, m_median, m_sikkhati;
    // Prefix sums per kind for the moving average: m_prefix[k][n] = sum of values 0..n-1.
    std::vector<std::int64_t> m_prefix[4];
    // Of measurement N, the only one that appended records can add to.
    Totals m_lastTotals;
    Lengths m_lastLengths;
};

// The moving average is drawn from this measurement on.
constexpr int kMovingAverageWidth = 30;
