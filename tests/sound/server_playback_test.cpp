// Runs against a private sound server (with_pulseaudio.sh, with_pipewire.sh): the event sounds go to ALSA's
// "default" PCM, which reaches the server's sink, and the sink's monitor tells what arrived.
#include "sound/alsa_sound_player.h"
#include "sound/sound_store.h"
#include "sound/wave_gain.h"
#include "tests/sound/capture_device.h"
#include "tests/sound/default_sink.h"
#include "tests/sound/sink_monitor.h"
#include "tests/support/scoped_environment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <future>

namespace {

constexpr double kAmplitude = 16384;

// Root mean square of each 10 ms of the samples.
std::vector<double> loudness(const std::vector<std::int16_t>& samples)
{
    constexpr std::size_t kWindow = SinkMonitor::kRate / 100;
    std::vector<double> windows;
    for (std::size_t start = 0; start + kWindow <= samples.size(); start += kWindow) {
        double squares = 0;
        for (std::size_t i = start; i < start + kWindow; ++i)
            squares += double(samples[i]) * samples[i];
        windows.push_back(std::sqrt(squares / kWindow));
    }
    return windows;
}

std::size_t windowsNear(const std::vector<double>& windows, double level)
{
    return std::count_if(windows.begin(), windows.end(),
                         [level](double rms) { return std::abs(rms - level) < level / 10; });
}

} // namespace

TEST(ServerPlayback, EventSoundsReachTheServerWholeAndAtTheWaveLevel)
{
    if (qEnvironmentVariableIsEmpty("JHAVARI_PRIVATE_SOUND_SERVER"))
        GTEST_SKIP() << "plays on the server: run through tests/sound/with_pulseaudio.sh or with_pipewire.sh";
    const ScopedEnvironment device{"JHAVARI_ALSA_DEVICE", std::nullopt};
    setSinkVolume(kServerFullVolume);
    setSinkMuted(false);
    // Half a second of 440 Hz at half scale.
    const auto folder = std::filesystem::temp_directory_path();
    std::vector<std::int16_t> tone(SinkMonitor::kRate / 2);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<std::int16_t>(kAmplitude * std::sin(2 * M_PI * 440 * double(i) / SinkMonitor::kRate));
    const auto path = folder / "jhavari-server-tone.wav";
    writeWave16(path, SinkMonitor::kRate, tone);
    auto gain = std::make_shared<WaveGain>();
    SoundStore store(createAlsaSoundPlayer(gain));
    ASSERT_EQ(store.addSound(path.string()), 1);
    std::filesystem::remove(path);

    SinkMonitor monitor;
    ASSERT_TRUE(monitor.isListening());
    ASSERT_TRUE(store.playSoundById(1, PlayMode::Sync));
    gain->setLevel(WaveGain::kFullLevel / 4);
    ASSERT_TRUE(store.playSoundById(1, PlayMode::Sync));
    const auto windows = loudness(monitor.stop());

    // Each play lasts 50 windows; a few at its edges are partly silent.
    const double sine = kAmplitude / std::sqrt(2.0);
    EXPECT_GE(windowsNear(windows, sine), 45u);
    EXPECT_GE(windowsNear(windows, sine / 4), 45u);
    EXPECT_LE(windowsNear(windows, sine) + windowsNear(windows, sine / 4), 100u);
}

TEST(ServerPlayback, AnOutputThatTakesNothingGivesUpASynchronousSound)
{
    if (qEnvironmentVariableIsEmpty("JHAVARI_PRIVATE_SOUND_SERVER"))
        GTEST_SKIP() << "plays on the server: run through tests/sound/with_pulseaudio.sh or with_pipewire.sh";
    const ScopedEnvironment device{"JHAVARI_ALSA_DEVICE", std::nullopt};
    // A sound of seconds, and a click that fits into the device's buffer at once.
    for (const int frames : {3 * SinkMonitor::kRate, SinkMonitor::kRate / 50}) {
        const auto path = std::filesystem::temp_directory_path() / "jhavari-server-still.wav";
        writeWave16(path, SinkMonitor::kRate, std::vector<std::int16_t>(static_cast<std::size_t>(frames), 1000));
        SoundStore store(createAlsaSoundPlayer());
        ASSERT_EQ(store.addSound(path.string()), 1);
        std::filesystem::remove(path);

        // PulseAudio's suspended sink takes no samples (PipeWire's wakes up for the sound).
        setSinkSuspended(true);
        auto playing = std::async(std::launch::async, [&store] { return store.playSoundById(1, PlayMode::Sync); });
        const bool returned = playing.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        setSinkSuspended(false); // a caller still held goes on now
        playing.wait();
        EXPECT_TRUE(returned) << frames
                              << " frames: the F12 alarm or \"Listen to\" would hold the program for as "
                                 "long as the output stands still";
    }
}
