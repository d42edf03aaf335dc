#include "measuring_doubles.h"

#include "alsa_sound_player.h"
#include "capture_device.h"
#include "measuring_mode_flag.h"
#include "versenkwerk_view.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRate = 44100;

// The sounds of a run reach a real ALSA device (a capture file), the F12
// alarm played to its end before the tick goes on.
TEST(ViewSound, ARunSoundsThroughTheAlsaBackEnd)
{
    CCaptureDevice device;
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    doc.m_settings.m_bTimeSound = 0;
    doc.m_settings.m_bFixedExerciseTime = 0;
    std::array<std::vector<std::int16_t>, SoundEventCount> samples;
    for (std::size_t i = 0; i < SoundEventCount; ++i) {
        samples[i] = RampSamples(400 + 50 * i, static_cast<std::int16_t>(2000 * (i + 1)));
        doc.m_settings.m_strSoundFile[i] = (device.Folder() / kDefaultSoundFiles[i]).string();
        WriteWave16(doc.m_settings.m_strSoundFile[i], kRate, samples[i]);
    }
    CTestClock clock;
    CTestKeyState keys;
    CVersenkwerkView view(doc, CreateAlsaSoundPlayer(), clock, &keys);
    doc.UpdateAllViews(0);

    // Waits for everything played so far; the newest sound is at the end.
    std::size_t total = 0;
    auto expectNext = [&](SoundEvent event) {
        total += samples[event].size();
        const std::vector<std::int16_t> all = device.WaitForSamples(total);
        ASSERT_EQ(all.size(), total);
        EXPECT_TRUE(std::equal(samples[event].rbegin(), samples[event].rend(), all.rbegin()))
            << kDefaultSoundFiles[event];
    };

    view.OnMeasuringModeCommand();
    view.Measuring().OnLeftButtonDown();
    expectNext(BeginIntervall);
    clock.Advance(3);
    view.Measuring().OnRightButtonDown();
    expectNext(EndIntervallUddhacca);

    keys.Hold(WatchedKey::F12);
    view.OnMeasureTick();
    keys.Release(WatchedKey::F12);
    total += samples[UddhaccaAlarm].size();
    const std::vector<std::int16_t> afterAlarm = device.Samples(); // no waiting: it was synchronous
    ASSERT_EQ(afterAlarm.size(), total);
    EXPECT_TRUE(std::equal(samples[UddhaccaAlarm].rbegin(), samples[UddhaccaAlarm].rend(), afterAlarm.rbegin()));

    keys.Hold(WatchedKey::Escape);
    view.OnMeasureTick();
    expectNext(EndExercise);
    EXPECT_FALSE(g_bMeasuringMode);
    EXPECT_EQ(device.Samples().size(), total);
}

} // namespace
