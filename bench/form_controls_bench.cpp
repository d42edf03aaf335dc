// The drawing work of one 200 ms tick of the measuring mode on the interval
// clock and the progress bar: the new values and a synchronous repaint of both.
// A tick must stay far below its period so that key polling keeps pace.
#include "controls/bevel_progress_bar.h"
#include "controls/interval_clock.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

void BM_TickOnClockAndProgressBar(benchmark::State& state)
{
    QWidget form;
    auto* clock = new IntervalClock(&form);
    clock->setPictures();
    clock->setLit(true);
    clock->setRunning(true);
    auto* bar = new BevelProgressBar(&form);
    bar->setGeometry(0, 80, 190, 13);
    form.resize(200, 100);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the form was not shown");
        return;
    }
    std::int64_t span = 0;
    for (auto _ : state) {
        ++span;
        clock->setTime(span);
        bar->setValue(static_cast<int>(span % 101));
        clock->repaint();
        bar->repaint();
    }
}
BENCHMARK(BM_TickOnClockAndProgressBar)->Unit(benchmark::kMicrosecond);

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
