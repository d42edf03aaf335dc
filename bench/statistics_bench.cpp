// All four diagrams with their moving averages: the one-pass statistics on
// 1,000,000 records in 65,535 measurements, and both the one-pass statistics
// and the plain scan per measurement on 20,000 records in 2,000 measurements.
#include "evaluation/interval_statistics.h"
#include "records/training_type.h"
#include "tests/evaluation/reference_scans.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

TrainingType makeType(int records, int measurements)
{
    TrainingType type;
    type.m_records.reserve(static_cast<std::size_t>(records));
    for (int i = 0; i < records; ++i) {
        IntervalRecord e;
        e.m_timeStart = 1700000000 + i * 100LL;
        e.m_timeEnd = e.m_timeStart + 5 + (i * 7919) % 600;
        e.m_uddhacca = i % 5 == 0;
        e.m_measurement = static_cast<std::uint16_t>(1 + static_cast<long long>(i) * measurements / records);
        e.m_run = static_cast<std::uint16_t>(1 + i % 15);
        type.m_records.add(e);
    }
    return type;
}

template <typename Statistics>
std::int64_t fillDiagrams(const Statistics& statistics, int measurements)
{
    std::int64_t checksum = 0;
    for (DiagramKind kind : kDiagramKinds) {
        for (int n = 1; n <= measurements; ++n) {
            checksum += statistics.value(kind, n);
            if (n >= kMovingAverageWidth)
                checksum += statistics.movingAverage(kind, n);
        }
    }
    return checksum;
}

double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    const CalendarTime filter = makeDuration(0, 0, 10);
    std::int64_t sink = 0;

    const TrainingType large = makeType(1000000, 65535);
    const double largeMs = medianMs(5, [&] {
        const IntervalStatistics statistics(large, filter);
        sink += fillDiagrams(statistics, statistics.measurementCount());
    });

    const TrainingType small = makeType(20000, 2000);
    const double smallFastMs = medianMs(5, [&] {
        const IntervalStatistics statistics(small, filter);
        sink += fillDiagrams(statistics, statistics.measurementCount());
    });
    const double smallPlainMs = medianMs(1, [&] {
        const ReferenceScans statistics(small, filter);
        sink += fillDiagrams(statistics, 2000);
    });

    std::printf("four diagrams with moving averages (median of runs)\n");
    std::printf("1,000,000 records, 65,535 measurements, one pass: %9.1f ms (goal: under 200 ms)\n", largeMs);
    std::printf("   20,000 records,  2,000 measurements, one pass: %9.1f ms\n", smallFastMs);
    std::printf("   20,000 records,  2,000 measurements, scan per measurement: %9.1f ms\n", smallPlainMs);
    std::printf("ratio scan / one pass on the small document: %.0fx\n", smallPlainMs / smallFastMs);
    std::printf("(checksum %lld)\n", static_cast<long long>(sink));
    return 0;
}
