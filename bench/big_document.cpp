#include "bench/big_document.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace bench {

void fillBigDocument(TrainingDocument& document, int records)
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    document.onNewDocument();
    // Settings made before the zone was set hold their times in another zone:
    // the ten-second filter would read as an hour and ten seconds.
    document.apply(ReplaceSettings{DocumentSettings()});
    document.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
    const long long measurements = std::clamp(records / 15, 1, 65'535);
    // The sittings end on the last day of 2025, as measured ones lie in the
    // past: 65,535 of them begin in 1846. After 2037 the C library converts a
    // time of a zone file about thirty times slower than before.
    const CalendarTime firstMorning = makeLocalTime(2025, 12, 31, 6, 0, 0) - (measurements - 1) * 86'400;
    for (int i = 0; i < records; ++i) {
        const long long sitting = static_cast<long long>(i) * measurements / records;
        const long long firstOfSitting = (sitting * records + measurements - 1) / measurements;
        IntervalRecord record;
        record.m_timeStart = firstMorning + sitting * 86'400 + (i - firstOfSitting) * 3'700 % 60'000;
        record.m_timeEnd = record.m_timeStart + 5 + (i * 7'919LL) % 3'595;
        record.m_uddhacca = i % 7 == 0;
        record.m_measurement = static_cast<std::uint16_t>(sitting + 1);
        record.m_run = static_cast<std::uint16_t>(1 + (i - firstOfSitting) % 65'535);
        document.apply(AppendInterval{0, record});
    }
}

void bigDocumentSizes(benchmark::internal::Benchmark* benchmark)
{
    for (int records : kSizes)
        benchmark->Arg(records);
    benchmark->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
}

} // namespace bench
