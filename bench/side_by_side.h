#pragma once

// Times the program's path and the reference it is held against alternately,
// in the same run, so that both meet the same machine load. The benchmark's
// time is the program's; the counters give both medians and their ratio.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <type_traits>
#include <vector>

namespace bench {

// The seconds the work took; work that times itself returns its seconds.
template <typename Work>
double secondsOf(Work&& work)
{
    if constexpr (std::is_same_v<std::invoke_result_t<Work>, double>) {
        return work();
    } else {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Work shorter than this is timed several times per iteration: the medians
// of a few runs of a millisecond would follow the disk's and the scheduler's
// noise more than the work.
constexpr double kShortestIterationSeconds = 0.02;

// `program` and `reference` run alternately, at least once per iteration;
// `prepare` runs untimed before each of them (for example to undo what the
// last one did).
template <typename Program, typename Reference, typename Prepare>
void timeSideBySide(benchmark::State& state, Program&& program, Reference&& reference, Prepare&& prepare)
{
    std::vector<double> programTimes;
    std::vector<double> referenceTimes;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        double programTotal = 0;
        int runs = 0;
        do {
            prepare();
            const double programSeconds = secondsOf(program);
            prepare();
            referenceTimes.push_back(secondsOf(reference));
            programTimes.push_back(programSeconds);
            programTotal += programSeconds;
            ++runs;
        } while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
                 kShortestIterationSeconds);
        state.SetIterationTime(programTotal / runs);
    }
    const double programMedian = median(programTimes);
    const double referenceMedian = median(referenceTimes);
    state.counters["program_ms"] = programMedian * 1e3;
    state.counters["reference_ms"] = referenceMedian * 1e3;
    state.counters["ratio"] = referenceMedian > 0 ? programMedian / referenceMedian : 0;
}

template <typename Program, typename Reference>
void timeSideBySide(benchmark::State& state, Program&& program, Reference&& reference)
{
    timeSideBySide(state, program, reference, [] {});
}

} // namespace bench
