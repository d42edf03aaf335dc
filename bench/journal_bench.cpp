// The measuring tick with the journal of unsaved changes on, over a document
// that already holds a million intervals: the goal is under 1 ms for the tick
// that ends an interval (one journal write; the disk sync runs on the worker).
// "max_journal_ms" is the worst single journal write, "journal_writes_over_1ms"
// how many took longer than the goal (a write that changes the file's size
// may wait for the file system's own journal); "max_tick_ms" is the worst
// whole tick, which also holds the record list's own growth. Journal bytes per
// interval show that a change costs one record, not the document.
#include "practice/clock.h"
#include "practice/key_state.h"
#include "practice/measuring_mode.h"
#include "records/journal_writer.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

class SteppingClock : public Clock {
public:
    CalendarTime now() const override { return m_now; }
    std::int64_t steadySeconds() const override { return m_now; }
    CalendarTime m_now = 1'700'000'000;
};

class NoKeys : public KeyState {
public:
    bool takeKeyDown(WatchedKey) override { return false; }
    void forgetPresses() override { }
};

// A form that shows nothing, so that only the mode and the document are timed.
class SilentForm : public MeasuringForm {
public:
    void phaseChanged(MeasuringPhase) override { }
    void timesChanged() override { }
    void statusChanged() override { }
    void playSound(SoundEvent, PlayMode) override { }
    bool isSoundPlaying() const override { return false; }
    bool startTimer() override { return true; }
    void stopTimer() override { }
    void refuseToStart(const std::string&) override { }
};

// Passes every edit and sign of life on to the journal and keeps the longest either took.
class TimedJournal : public EditJournal {
public:
    explicit TimedJournal(EditJournal& journal) : m_journal(journal) { }
    void record(const DocumentEdit& edit) override
    {
        timed([&] { m_journal.record(edit); });
    }
    void keepRunningInterval(const AppendInterval& cutOff) override
    {
        timed([&] { m_journal.keepRunningInterval(cutOff); });
    }
    template <typename Write>
    void timed(Write write)
    {
        const auto start = std::chrono::steady_clock::now();
        write();
        const double ms = elapsedMs(start);
        m_worstMs = std::max(m_worstMs, ms);
        m_writesOver1Ms += ms > 1 ? 1 : 0;
    }

    static double elapsedMs(std::chrono::steady_clock::time_point start)
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    double m_worstMs = 0;
    int m_writesOver1Ms = 0;

private:
    EditJournal& m_journal;
};

struct JournalledRun {
    JournalledRun()
        : folder(std::filesystem::temp_directory_path() / ("jhavari-journal-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(folder);
        document.onNewDocument();
        const TrainingType& type = *document.selectTrainingType(document.trainingTypes()[0].m_name);
        for (int i = 0; i < 1'000'000; ++i)
            append(document, type, IntervalRecord{1'000'000'000 + i * 100, 1'000'000'060 + i * 100, 0, 1, 1});
        JournalHeader header;
        header.m_documentPath = (folder / "practice.con").string();
        writer.begin(
            [path = (folder / "practice.journal").string()](int number) { return number == 1 ? path : std::string(); },
            header);
        document.setJournal(&timed);
        mode.toggleMeasuringMode(); // the first interval starts
    }
    ~JournalledRun()
    {
        document.setJournal(nullptr);
        std::filesystem::remove_all(folder);
    }
    std::uintmax_t journalBytes() const { return std::filesystem::file_size(folder / "practice.journal"); }

    std::filesystem::path folder;
    TrainingDocument document;
    JournalWriter writer;
    TimedJournal timed{writer};
    SteppingClock clock;
    NoKeys keys;
    SilentForm form;
    MeasuringMode mode{document, document, form, clock, keys};
};

// Each iteration: a tick, the press that ends the running interval (journalled)
// and the press that starts the next. Paced: the previous edit's sync has
// finished, as it has when intervals last a second or more.
void BM_TickEndingAnInterval(benchmark::State& state)
{
    JournalledRun run;
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        run.writer.waitUntilSynced();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        run.clock.m_now += 1;
        run.mode.tick();
        run.mode.startOrEndInterval();
        run.mode.startOrEndInterval();
        worst = std::max(worst, TimedJournal::elapsedMs(start));
    }
    run.writer.waitUntilSynced();
    state.counters["max_tick_ms"] = worst;
    state.counters["max_journal_ms"] = run.timed.m_worstMs;
    state.counters["journal_writes_over_1ms"] = run.timed.m_writesOver1Ms;
    state.counters["journal_bytes_per_interval"] =
        static_cast<double>(run.journalBytes()) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TickEndingAnInterval)->Unit(benchmark::kMicrosecond)->Iterations(1000);

// The same without pause: each write may meet the previous edit's sync still
// running, the worst a burst of edits can see.
void BM_IntervalsEndingBackToBack(benchmark::State& state)
{
    JournalledRun run;
    for (auto _ : state) {
        run.clock.m_now += 1;
        run.mode.tick();
        run.mode.startOrEndInterval();
        run.mode.startOrEndInterval();
    }
    run.writer.waitUntilSynced();
    state.counters["max_journal_ms"] = run.timed.m_worstMs;
}
BENCHMARK(BM_IntervalsEndingBackToBack)->Unit(benchmark::kMicrosecond)->Iterations(2000);

// A tick in the running interval, no edit: the journal costs it nothing.
void BM_TickWithinAnInterval(benchmark::State& state)
{
    JournalledRun run;
    for (auto _ : state) {
        run.clock.m_now += 1;
        run.mode.tick();
    }
}
BENCHMARK(BM_TickWithinAnInterval)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
