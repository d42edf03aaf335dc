#include "controls/shade_pictures.h"

#include <benchmark/benchmark.h>

namespace {

// The shaded buttons of the main form at their usual sizes: the four diagram
// buttons, the three check boxes, the measuring-mode, alarm, delete, sound
// test and sound choice buttons.
const QSize kButtonSizes[] = {QSize(100, 24), QSize(100, 24), QSize(100, 24), QSize(100, 24),
                              QSize(150, 22), QSize(150, 22), QSize(150, 22), QSize(130, 24),
                              QSize(150, 30), QSize(120, 24), QSize(110, 24), QSize(110, 24)};

void makePicturesOfAForm(benchmark::State& state)
{
    const ShadePictures::Colours colours{QColor(160, 160, 160), QColor(239, 239, 239), QColor(255, 255, 255)};
    for (auto _ : state) {
        for (const QSize& size : kButtonSizes) {
            ShadePictures pictures(size, 4, colours);
            benchmark::DoNotOptimize(pictures.normal().constBits());
        }
    }
}
BENCHMARK(makePicturesOfAForm)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
