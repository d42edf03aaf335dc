#pragma once

#include "records/training_document.h"

#include <benchmark/benchmark.h>

namespace bench {

// The document sizes the benchmarks compare: ten thousand to ten million records.
constexpr int kSizes[] = {10'000, 100'000, 1'000'000, 10'000'000};

// A benchmark run at each size, five times, timed by hand.
void bigDocumentSizes(benchmark::internal::Benchmark* benchmark);

// Fills the first training type, which becomes the current one, with
// `records` intervals: one sitting a day of about fifteen intervals, in as
// many measurements as a training type can number (at most 65,535), the last
// sitting on 31 December 2025, times in the local time zone, which the
// benchmarks set to Europe/Berlin for its daylight saving changes.
void fillBigDocument(TrainingDocument& document, int records);

} // namespace bench
