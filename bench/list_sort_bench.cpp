// Sorting the interval list by duration, as a click on the column's header
// does, against std::sort of the bare durations (goal: at most 1.2x at a
// million rows; at ten million no worse than n log n, which the counter
// ns_per_n_log_n shows across the sizes).
#include "bench/big_document.h"
#include "bench/side_by_side.h"
#include "editing/document_notifier.h"
#include "practice/interval_list_model.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

void BM_SortByDuration(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    TrainingDocument document;
    DocumentNotifier notifier(document);
    bench::fillBigDocument(document, records);
    IntervalListModel model(document, notifier);

    std::vector<std::int64_t> durations;
    durations.reserve(static_cast<std::size_t>(records));
    for (const IntervalRecord& record : document.trainingTypes()[0].m_records)
        durations.push_back(record.m_timeEnd - record.m_timeStart);
    std::vector<std::int64_t> keys;
    bench::timeSideBySide(
        state, [&] { model.sortRows(static_cast<int>(IntervalRows::Column::Duration), true); },
        [&] { std::sort(keys.begin(), keys.end()); },
        [&] {
            model.showRecords(0, std::nullopt);
            keys = durations;
        });
    const double n = records;
    state.counters["ns_per_n_log_n"] = state.counters["program_ms"] * 1e6 / (n * std::log2(n));
}
BENCHMARK(BM_SortByDuration)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace
