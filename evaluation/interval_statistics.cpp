#include "evaluation/interval_statistics.h"

#include "records/training_type.h"

#include <algorithm>
#include <cmath>

namespace {

std::int64_t roundHalfUp(double value)
{
    return static_cast<std::int64_t>(value + 0.5);
}

constexpr int kXSteps[] = {25, 50, 100, 250, 500, 1000, 2500, 5000, 10000, 25000, 50000, 100000};
constexpr int kYMinutes[] = {1, 5, 10, 25, 50, 100};

} // namespace

IntervalStatistics::IntervalStatistics(const TrainingType& type, CalendarTime filter)
    : m_filterSeconds(durationSeconds(filter))
{
    const IntervalRecordList& entries = type.m_records;
    // A record counts for its measurement only while no earlier record had a
    // higher number; the highest number is therefore always found. The numbers
    // of the records found never decrease, so the qualifying lengths come
    // grouped by measurement, for the medians: those of measurement n start
    // at firstLength[n].
    std::vector<Totals> totals(1);
    std::vector<std::uint32_t> firstLength(1, 0);
    Lengths lengths;
    lengths.reserve(static_cast<std::size_t>(entries.size()));
    for (const IntervalRecord& e : entries) {
        const int n = e.m_measurement;
        if (n < m_count)
            continue;
        if (n > m_count) {
            totals.resize(static_cast<std::size_t>(n) + 1);
            firstLength.resize(static_cast<std::size_t>(n) + 1, static_cast<std::uint32_t>(lengths.size()));
            m_count = n;
        }
        addRecord(totals[static_cast<std::size_t>(n)], e);
        if (qualifies(e))
            lengths.push_back(e.length());
    }
    const std::size_t size = static_cast<std::size_t>(m_count) + 1;
    firstLength.push_back(static_cast<std::uint32_t>(lengths.size()));

    resize(size);
    for (std::size_t n = 0; n < size; ++n)
        setValues(n, totals[n], lengths.begin() + firstLength[n], lengths.begin() + firstLength[n + 1]);
    m_lastTotals = totals[size - 1];
    m_lastLengths.assign(lengths.begin() + firstLength[size - 1], lengths.end());
    sumPrefixesFrom(0);
}

void IntervalStatistics::appendRecords(const TrainingType& type, int first, int count)
{
    // After a full pass the highest number found so far is N itself.
    std::size_t changedFrom = static_cast<std::size_t>(m_count) + 1;
    for (int i = first; i < first + count; ++i) {
        const IntervalRecord& e = type.m_records[i];
        const int n = e.m_measurement;
        if (n < m_count)
            continue;
        if (n > m_count) {
            // Measurement N is complete; the ones between it and n have no records.
            if (changedFrom <= static_cast<std::size_t>(m_count))
                setValues(static_cast<std::size_t>(m_count), m_lastTotals, m_lastLengths.begin(), m_lastLengths.end());
            changedFrom = std::min(changedFrom, static_cast<std::size_t>(m_count) + 1);
            resize(static_cast<std::size_t>(n) + 1);
            m_count = n;
            m_lastTotals = Totals();
            m_lastLengths.clear();
        }
        changedFrom = std::min(changedFrom, static_cast<std::size_t>(n));
        addRecord(m_lastTotals, e);
        if (qualifies(e))
            m_lastLengths.push_back(e.length());
    }
    if (changedFrom > static_cast<std::size_t>(m_count))
        return;
    setValues(static_cast<std::size_t>(m_count), m_lastTotals, m_lastLengths.begin(), m_lastLengths.end());
    sumPrefixesFrom(changedFrom);
}

bool IntervalStatistics::qualifies(const IntervalRecord& e) const
{
    return e.m_uddhacca == 0 && (m_filterSeconds == 0 || e.length() >= m_filterSeconds);
}

void IntervalStatistics::addRecord(Totals& totals, const IntervalRecord& e) const
{
    const std::int64_t length = e.length();
    // A record that ends before it starts (a damaged file, a clock set
    // back) has no time to share out: the Sikkhati ability stays 0..100 %.
    const std::int64_t elapsed = std::max<std::int64_t>(0, length);
    totals.elapsed += elapsed;
    if (e.m_uddhacca == 0) {
        totals.calm += elapsed;
        totals.longestCalm = std::max(totals.longestCalm, length);
    }
    if (qualifies(e)) {
        totals.qualifyingSum += length;
        ++totals.qualifyingCount;
    }
}

void IntervalStatistics::resize(std::size_t size)
{
    for (std::vector<std::int64_t>* series : {&m_maximum, &m_average, &m_median, &m_sikkhati})
        series->resize(size, 0);
}

void IntervalStatistics::setValues(std::size_t n, const Totals& totals, Lengths::iterator first, Lengths::iterator last)
{
    const bool tooShort = m_filterSeconds > 0 && totals.longestCalm < m_filterSeconds;
    m_maximum[n] = tooShort ? 0 : totals.longestCalm;
    m_average[n] =
        totals.qualifyingCount > 0
            ? roundHalfUp(static_cast<double>(totals.qualifyingSum) / static_cast<double>(totals.qualifyingCount))
            : 0;
    m_median[n] = 0;
    if (first != last) {
        // The k-th largest, k = (c + 1) / 2: the larger middle for an even count.
        const auto kth = first + (last - first - 1) / 2;
        std::nth_element(first, kth, last, std::greater<>());
        m_median[n] = *kth;
    }
    const double divisor =
        std::fabs(static_cast<double>(totals.elapsed)) > 0.00000025 ? static_cast<double>(totals.elapsed) : 1.0;
    m_sikkhati[n] = roundHalfUp(static_cast<double>(totals.calm) * 100.0 / divisor) * 60;
}

void IntervalStatistics::sumPrefixesFrom(std::size_t n)
{
    for (DiagramKind kind : kDiagramKinds) {
        const std::vector<std::int64_t>& series = values(kind);
        std::vector<std::int64_t>& prefix = m_prefix[diagramIndex(kind)];
        prefix.resize(series.size() + 1, 0);
        for (std::size_t k = n; k < series.size(); ++k)
            prefix[k + 1] = prefix[k] + series[k];
    }
}

const std::vector<std::int64_t>& IntervalStatistics::values(DiagramKind kind) const
{
    switch (kind) {
    case DiagramKind::Maximum: return m_maximum;
    case DiagramKind::Average: return m_average;
    case DiagramKind::Median: return m_median;
    case DiagramKind::Sikkhati: break;
    }
    return m_sikkhati;
}

std::int64_t IntervalStatistics::value(DiagramKind kind, int n) const
{
    if (n < 0 || n > m_count)
        return 0;
    return values(kind)[static_cast<std::size_t>(n)];
}

std::int64_t IntervalStatistics::maximum(int n) const
{
    return value(DiagramKind::Maximum, n);
}
std::int64_t IntervalStatistics::average(int n) const
{
    return value(DiagramKind::Average, n);
}
std::int64_t IntervalStatistics::median(int n) const
{
    return value(DiagramKind::Median, n);
}
std::int64_t IntervalStatistics::sikkhati(int n) const
{
    return value(DiagramKind::Sikkhati, n);
}

std::int64_t IntervalStatistics::movingAverage(DiagramKind kind, int n) const
{
    // Numbers outside 0..N have no records and add 0.
    const int last = std::min(n, m_count);
    const int first = std::max(n - (kMovingAverageWidth - 1), 0);
    std::int64_t sum = 0;
    if (first <= last) {
        const std::vector<std::int64_t>& prefix = m_prefix[diagramIndex(kind)];
        sum = prefix[static_cast<std::size_t>(last) + 1] - prefix[static_cast<std::size_t>(first)];
    }
    return static_cast<std::int64_t>(static_cast<double>(sum) / kMovingAverageWidth);
}

std::int64_t IntervalStatistics::overallMaximum(DiagramKind kind) const
{
    const std::vector<std::int64_t>& series = values(kind);
    if (m_count == 0)
        return 0;
    return *std::max_element(series.begin() + 1, series.end());
}

AxisRanges IntervalStatistics::axisRanges(DiagramKind kind) const
{
    AxisRanges ranges;
    ranges.x = kXSteps[std::size(kXSteps) - 1];
    for (int step : kXSteps) {
        if (step >= m_count) {
            ranges.x = step;
            break;
        }
    }
    if (kind == DiagramKind::Sikkhati) {
        ranges.y = 125;
        return ranges;
    }
    const std::int64_t highest = overallMaximum(kind);
    ranges.y = 250;
    for (int minutes : kYMinutes) {
        if (minutes * 60 > highest) {
            ranges.y = minutes;
            break;
        }
    }
    return ranges;
}
