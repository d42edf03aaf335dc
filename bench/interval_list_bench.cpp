// The interval list of the main view with a million records of one training
// type: filling it must not freeze the form (goal under 200 ms and under 100
// bytes per row beyond the records), sorting by duration under a second.
// Also one 200 ms tick of the measuring mode on the shown form, with the drawn
// clock and progress bar repainted: goal under 1 ms.
#include "editing/document_editor.h"
#include "practice/interval_list_model.h"
#include "practice/interval_list_view.h"
#include "practice/main_form.h"
#include "sound/alsa_sound_player.h"
#include "tests/support/document_edits.h"

#include <QApplication>
#include <QHeaderView>

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

constexpr int kRecords = 1'000'000;

void addMillionRecords(TrainingDocument& document)
{
    const TrainingType& type = document.trainingTypes()[0];
    CalendarTime start = 1'200'000'000;
    for (int i = 0; i < kRecords; ++i) {
        IntervalRecord entry;
        entry.m_timeStart = start;
        entry.m_timeEnd = start + (static_cast<std::int64_t>(i) * 7919) % 3600;
        entry.m_measurement = static_cast<std::uint16_t>(i / 20 + 1);
        entry.m_run = static_cast<std::uint16_t>(i % 20 + 1);
        entry.m_uddhacca = i % 9 == 0;
        append(document, type, entry);
        start += 4000;
    }
}

std::size_t heapInUse()
{
    // Large blocks are mapped separately and counted apart.
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The shown main view over a document whose first training type holds a
// million records.
struct ShownView {
    ShownView() : view(editor, createAlsaSoundPlayer())
    {
        document.onNewDocument();
        addMillionRecords(document);
        view.resize(view.sizeHint());
        view.show();
        view.showSettings(); // selects the first training type
        QCoreApplication::processEvents();
    }
    // What the view does when it fills its list: all rows of the current type.
    void fillList()
    {
        list()->showGridLines(true);
        list()->intervalModel()->showRecords(document.currentTypeIndex(), std::nullopt);
    }
    IntervalListView* list() { return view.findChild<IntervalListView*>(QStringLiteral("1023")); }

    TrainingDocument document;
    DocumentEditor editor{document};
    MainForm view;
};

ShownView& view()
{
    static ShownView shown;
    return shown;
}

void BM_FillIntervalList(benchmark::State& state)
{
    ShownView& shown = view();
    shown.list()->intervalModel()->clear(); // an empty list to start from
    QCoreApplication::processEvents();
    const std::size_t before = heapInUse();
    shown.fillList();
    QCoreApplication::processEvents();
    const std::size_t after = heapInUse();
    for (auto _ : state) {
        shown.fillList();
        QCoreApplication::processEvents(); // the list lays out and paints its visible rows
    }
    const auto* list = shown.view.findChild<IntervalListView*>(QStringLiteral("1023"));
    state.counters["rows"] = list->model()->rowCount();
    state.counters["bytes_per_row"] = static_cast<double>(after - before) / kRecords;
}
BENCHMARK(BM_FillIntervalList)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortByDurationHeaderClick(benchmark::State& state)
{
    ShownView& shown = view();
    auto* list = shown.view.findChild<IntervalListView*>(QStringLiteral("1023"));
    for (auto _ : state) {
        state.PauseTiming();
        shown.fillList();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        emit list->horizontalHeader()->sectionClicked(static_cast<int>(IntervalRows::Column::Duration));
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SortByDurationHeaderClick)->Unit(benchmark::kMillisecond)->Iterations(4);

// A clock a second further at every reading, so that every tick shows a new time.
class HurryingClock : public Clock {
public:
    CalendarTime now() const override { return ++m_now; }
    std::int64_t steadySeconds() const override { return ++m_now; }
    mutable CalendarTime m_now = 1'700'000'000;
};

void BM_MeasureTickOnTheForm(benchmark::State& state)
{
    HurryingClock clock;
    TrainingDocument document;
    document.onNewDocument();
    changeSettings(document, [](DocumentSettings& s) { s.m_fixedExerciseTime = 1; });
    changeSettings(document, [&](DocumentSettings& s) { s.m_timeFixedDuration = makeDuration(10, 0, 0); });
    DocumentEditor editor(document);
    MainForm form(editor, createAlsaSoundPlayer(), {}, clock);
    form.resize(form.sizeHint());
    form.show();
    form.showSettings();
    form.onMeasuringModeCommand();
    form.measuring().startOrEndInterval(); // an interval runs: the clock is lit and blinks
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form.measuring().tick();
        QCoreApplication::processEvents(); // paints what the tick changed
    }
    form.onMeasuringModeCommand();
}
BENCHMARK(BM_MeasureTickOnTheForm)->Unit(benchmark::kMicrosecond);

} // namespace
