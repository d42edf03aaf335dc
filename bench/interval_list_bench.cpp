// The interval list with a million records of one training type: filling it
// must not freeze the form, sorting by duration must stay under a second.
#include "interval_list_model.h"
#include "sorted_list_ctrl.h"
#include "training_type.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

constexpr int kRecords = 1'000'000;

TrainingType& MillionRecords()
{
    static TrainingType type = [] {
        TrainingType made;
        made.m_aEntries.Reserve(kRecords);
        CalendarTime start = 1'200'000'000;
        for (int i = 0; i < kRecords; ++i) {
            CDataEntry entry;
            entry.m_timeStart = start;
            entry.m_timeEnd = start + (static_cast<std::int64_t>(i) * 7919) % 3600;
            entry.m_nMeasurement = static_cast<std::uint16_t>(i / 20 + 1);
            entry.m_nRun = static_cast<std::uint16_t>(i % 20 + 1);
            entry.m_bUddhacca = i % 9 == 0;
            made.m_aEntries.Add(entry);
            start += 4000;
        }
        return made;
    }();
    return type;
}

std::size_t HeapInUse()
{
    // Large blocks are mapped separately and counted apart.
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A shown list as the main form has it.
struct ShownList {
    ShownList()
    {
        list.SetIntervalModel(&model);
        list.resize(600, 400);
        list.show();
        QCoreApplication::processEvents();
    }
    CIntervalListModel model;
    CSortedListCtrl list;
};

void BM_FillIntervalList(benchmark::State& state)
{
    const TrainingType& type = MillionRecords();
    ShownList shown;
    const std::size_t before = HeapInUse();
    shown.model.Fill(type, std::nullopt);
    QCoreApplication::processEvents();
    const std::size_t after = HeapInUse();
    for (auto _ : state) {
        shown.model.Fill(type, std::nullopt);
        QCoreApplication::processEvents(); // the list lays out and paints its visible rows
    }
    state.counters["rows"] = shown.model.rowCount();
    state.counters["bytes_per_row"] = static_cast<double>(after - before) / kRecords;
}
BENCHMARK(BM_FillIntervalList)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortByDuration(benchmark::State& state)
{
    const TrainingType& type = MillionRecords();
    ShownList shown;
    bool ascending = true;
    for (auto _ : state) {
        state.PauseTiming();
        shown.model.Fill(type, std::nullopt);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        shown.model.SortRows(CIntervalRows::ColDuration, ascending);
        QCoreApplication::processEvents();
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortByDuration)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
