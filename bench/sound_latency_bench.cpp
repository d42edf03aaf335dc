// How long a sound takes to start: from playSoundById to the moment the first
// frames are handed to ALSA, over 1,000 plays into ALSA's "null" device, for
// an event sound held in memory and for a 2 GB sound read from its file as it
// plays (with the growth of the process's peak memory meanwhile); and how long
// a play takes to fail on a machine without that sound card.
#include "sound/alsa_sound_player.h"
#include "sound/sound_store.h"
#include "tests/sound/capture_device.h"
#include "tests/support/peak_memory.h"

#include <alsa/asoundlib.h>
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// What the interposed ALSA functions note for the play being timed.
struct FirstWriteProbe {
    std::atomic<bool> waitingForFirstWrite{false};
    std::atomic<Clock::rep> firstWrite{0};
    // The stream opened by the play being timed: a sound still ending is not counted.
    std::atomic<snd_pcm_t*> timedStream{nullptr};
};

FirstWriteProbe& probe()
{
    static FirstWriteProbe instance;
    return instance;
}

} // namespace

// These two stand in front of ALSA's own functions to note when the first
// frames of the timed play arrive.
extern "C" int snd_pcm_open(snd_pcm_t** pcm, const char* name, snd_pcm_stream_t stream, int mode)
{
    using Open = int (*)(snd_pcm_t**, const char*, snd_pcm_stream_t, int);
    static const auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "snd_pcm_open"));
    const int result = real(pcm, name, stream, mode);
    if (result == 0)
        probe().timedStream = *pcm;
    return result;
}

extern "C" snd_pcm_sframes_t snd_pcm_writei(snd_pcm_t* pcm, const void* buffer, snd_pcm_uframes_t size)
{
    using Write = snd_pcm_sframes_t (*)(snd_pcm_t*, const void*, snd_pcm_uframes_t);
    static const auto real = reinterpret_cast<Write>(dlsym(RTLD_NEXT, "snd_pcm_writei"));
    if (pcm == probe().timedStream && probe().waitingForFirstWrite) {
        probe().firstWrite = Clock::now().time_since_epoch().count();
        probe().waitingForFirstWrite = false;
    }
    return real(pcm, buffer, size);
}

namespace {

constexpr int kPlays = 1000;

// A half-second bell-like tone, as a user's event sound would be.
std::filesystem::path writeToneFile()
{
    const auto path = std::filesystem::temp_directory_path() / "jhavari-bench-tone.wav";
    const int rate = 44100;
    std::vector<std::int16_t> samples(rate / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(20000 * std::exp(-3.0 * i / rate) * std::sin(2 * M_PI * 528 * i / rate));
    writeWave16(path, rate, samples);
    return path;
}

// Two gigabytes of silence at 44.1 kHz, over six hours, in a sparse file.
std::filesystem::path writeHugeFile()
{
    const auto path = std::filesystem::temp_directory_path() / "jhavari-bench-huge.wav";
    writeSparseWave16(path, 44100, 0x7FFF'0000);
    return path;
}

// Loads the sound as the program does, letting go of its file if it is
// small; the sound stays the one loaded when the file goes.
int loadSound(SoundStore& store, const std::filesystem::path& path)
{
    const int id = store.addSound(path.string());
    store.letGoOfSmallFiles();
    std::filesystem::remove(path);
    return id;
}

void reportPercentiles(benchmark::State& state, std::vector<double> microseconds)
{
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["p99_us"] = microseconds[microseconds.size() * 99 / 100];
    state.counters["max_us"] = microseconds.back();
}

void startLatency(benchmark::State& state, PlayMode mode, const std::filesystem::path& file)
{
    setenv("JHAVARI_ALSA_DEVICE", "null", 1);
    SoundStore store(createAlsaSoundPlayer());
    const int id = loadSound(store, file);
    std::vector<double> latencies;
    for (auto _ : state) {
        probe().timedStream = nullptr;
        probe().waitingForFirstWrite = true;
        const auto start = Clock::now();
        if (!store.playSoundById(id, mode)) {
            state.SkipWithError("the null device did not play");
            break;
        }
        while (probe().waitingForFirstWrite)
            std::this_thread::yield();
        const std::chrono::duration<double> latency(Clock::time_point(Clock::duration(probe().firstWrite.load())) -
                                                    start);
        state.SetIterationTime(latency.count());
        latencies.push_back(latency.count() * 1e6);
    }
    if (!latencies.empty())
        reportPercentiles(state, latencies);
}

void BM_AsyncStartToFirstFrame(benchmark::State& state)
{
    startLatency(state, PlayMode::Async, writeToneFile());
}
BENCHMARK(BM_AsyncStartToFirstFrame)->Iterations(kPlays)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_SyncStartToFirstFrame(benchmark::State& state)
{
    startLatency(state, PlayMode::Sync, writeToneFile());
}
BENCHMARK(BM_SyncStartToFirstFrame)->Iterations(kPlays)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Each play also stops the one before, which the device takes as fast as it is decoded.
void BM_AsyncStartToFirstFrameOfTwoGigabytes(benchmark::State& state)
{
    resetPeakResident();
    const long peakBefore = peakResidentKib();
    startLatency(state, PlayMode::Async, writeHugeFile());
    state.counters["peak_growth_kib"] = static_cast<double>(peakResidentKib() - peakBefore);
}
BENCHMARK(BM_AsyncStartToFirstFrameOfTwoGigabytes)->Iterations(kPlays)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A machine without this card: the play must fail at once.
void BM_FailWithoutSoundCard(benchmark::State& state)
{
    setenv("JHAVARI_ALSA_DEVICE", "hw:99,0", 1);
    SoundStore store(createAlsaSoundPlayer());
    const int id = loadSound(store, writeToneFile());
    std::vector<double> durations;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (store.playSoundById(id, PlayMode::Async)) {
            state.SkipWithError("hw:99,0 played");
            break;
        }
        const std::chrono::duration<double> duration(Clock::now() - start);
        state.SetIterationTime(duration.count());
        durations.push_back(duration.count() * 1e6);
    }
    if (!durations.empty())
        reportPercentiles(state, durations);
}
BENCHMARK(BM_FailWithoutSoundCard)->Iterations(kPlays)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
