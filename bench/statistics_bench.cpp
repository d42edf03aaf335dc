// All four diagrams with their moving averages: the one-pass statistics on
// 1,000,000 records in 65,535 measurements, and both the one-pass statistics
// and the plain scan per measurement on 20,000 records in 2,000 measurements.
#include "interval_statistics.h"
#include "reference_scans.h"
#include "training_type.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

TrainingType MakeType(int records, int measurements)
{
    TrainingType type;
    type.m_aEntries.Reserve(static_cast<std::size_t>(records));
    for (int i = 0; i < records; ++i) {
        CDataEntry e;
        e.m_timeStart = 1700000000 + i * 100LL;
        e.m_timeEnd = e.m_timeStart + 5 + (i * 7919) % 600;
        e.m_bUddhacca = i % 5 == 0;
        e.m_nMeasurement = static_cast<std::uint16_t>(1 + static_cast<long long>(i) * measurements / records);
        e.m_nRun = static_cast<std::uint16_t>(1 + i % 15);
        type.m_aEntries.Add(e);
    }
    return type;
}

template <typename Statistics>
std::int64_t FillDiagrams(const Statistics& statistics, int measurements)
{
    std::int64_t checksum = 0;
    for (DiagramKind kind : kDiagramKinds) {
        for (int n = 1; n <= measurements; ++n) {
            checksum += statistics.GetValue(kind, n);
            if (n >= kMovingAverageWidth)
                checksum += statistics.GetMovingAverage(kind, n);
        }
    }
    return checksum;
}

double MedianMs(int runs, const std::function<void()>& work)
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
    const CalendarTime filter = MakeDuration(0, 0, 10);
    std::int64_t sink = 0;

    const TrainingType large = MakeType(1000000, 65535);
    const double largeMs = MedianMs(5, [&] {
        const CIntervalStatistics statistics(large, filter);
        sink += FillDiagrams(statistics, statistics.GetMeasurementCount());
    });

    const TrainingType small = MakeType(20000, 2000);
    const double smallFastMs = MedianMs(5, [&] {
        const CIntervalStatistics statistics(small, filter);
        sink += FillDiagrams(statistics, statistics.GetMeasurementCount());
    });
    const double smallPlainMs = MedianMs(1, [&] {
        const ReferenceScans statistics(small, filter);
        sink += FillDiagrams(statistics, 2000);
    });

    std::printf("four diagrams with moving averages (median of runs)\n");
    std::printf("1,000,000 records, 65,535 measurements, one pass: %9.1f ms (goal: under 200 ms)\n", largeMs);
    std::printf("   20,000 records,  2,000 measurements, one pass: %9.1f ms\n", smallFastMs);
    std::printf("   20,000 records,  2,000 measurements, scan per measurement: %9.1f ms\n", smallPlainMs);
    std::printf("ratio scan / one pass on the small document: %.0fx\n", smallPlainMs / smallFastMs);
    std::printf("(checksum %lld)\n", static_cast<long long>(sink));
    return 0;
}
