// The practice summary of one training type with 1,000,000 records in 65,535
// sittings (the most measurement numbers a training type holds), six a day over
// thirty years of local days with their daylight saving changes: goal under 50 ms.
#include "evaluation/practice_summary.h"
#include "records/training_type.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

namespace {

TrainingType threeYearsOfSittings()
{
    constexpr int kRecords = 1'000'000;
    constexpr int kSittings = 65'535;
    TrainingType type;
    type.m_records.reserve(kRecords);
    const CalendarTime first = makeLocalTime(2000, 1, 1, 6, 0, 0);
    for (int i = 0; i < kRecords; ++i) {
        const int sitting = static_cast<int>(static_cast<long long>(i) * kSittings / kRecords);
        IntervalRecord record;
        record.m_timeStart = first + sitting * 14'400LL + (i % 15) * 120;
        record.m_timeEnd = record.m_timeStart + 5 + (i * 7919LL) % 110;
        record.m_uddhacca = i % 5 == 0;
        record.m_measurement = static_cast<std::uint16_t>(sitting + 1);
        record.m_run = static_cast<std::uint16_t>(1 + i % 15);
        type.m_records.add(record);
    }
    return type;
}

void summarizeMillionRecords(benchmark::State& state)
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    const TrainingType type = threeYearsOfSittings();
    const CalendarTime today = type.m_records.at(type.m_records.size() - 1).m_timeStart;
    for (auto _ : state) {
        const PracticeSummary summary(type, today);
        benchmark::DoNotOptimize(summary.days().data());
        benchmark::DoNotOptimize(summary.currentStreak());
    }
}
BENCHMARK(summarizeMillionRecords)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
