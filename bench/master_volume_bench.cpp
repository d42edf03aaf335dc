// Setting the master level through ALSA's PulseAudio plug-in, as a slider drag
// does for every move. Goal: under a millisecond per level on the caller's
// thread; the round trip through the sound server is measured beside it.
// Run against a sound server: tests/sound/with_pulseaudio.sh (or with_pipewire.sh) bench_master_volume
#include "sound/alsa_master_volume.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

namespace {

void setMasterLevel(benchmark::State& state)
{
    AlsaMasterVolume master;
    if (!master.hasVolumeControl()) {
        state.SkipWithError("no master volume (is a sound server running?)");
        return;
    }
    int position = 0;
    for (auto _ : state) {
        // Every position differs from the one before, so every call reaches the server.
        position = (position + 7) % 21;
        master.setLevel(position * 3277);
        // As between two mouse moves: the mixer's own events are taken in.
        QCoreApplication::processEvents();
    }
}
BENCHMARK(setMasterLevel)->Iterations(100)->Repetitions(5)->Unit(benchmark::kMicrosecond);

// From asking for a level until its change notification arrives: the server has it.
void masterLevelRoundTrip(benchmark::State& state)
{
    AlsaMasterVolume master;
    if (!master.hasVolumeControl()) {
        state.SkipWithError("no master volume (is a sound server running?)");
        return;
    }
    int changes = 0;
    QObject::connect(&master, &VolumeControl::levelChanged, [&changes] { ++changes; });
    int position = 0;
    for (auto _ : state) {
        position = (position + 7) % 21;
        if (master.level() == std::min(position * 3277, 65535))
            continue; // no change, so no notification
        const int before = changes;
        master.setLevel(position * 3277);
        while (changes == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
BENCHMARK(masterLevelRoundTrip)->Iterations(100)->Repetitions(5)->Unit(benchmark::kMicrosecond);

void openMasterVolume(benchmark::State& state)
{
    for (auto _ : state) {
        AlsaMasterVolume master;
        benchmark::DoNotOptimize(master.level());
    }
}
BENCHMARK(openMasterVolume)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("JHAVARI_PRIVATE_SOUND_SERVER")) {
        std::fprintf(stderr,
                     "This changes the volume: run it through tests/sound/with_pulseaudio.sh or with_pipewire.sh\n");
        return 77;
    }
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
