#include "tests/practice/measuring_doubles.h"

#include "sound/alsa_sound_player.h"
#include "tests/sound/capture_device.h"
#include "practice/main_form.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRate = 44100;

// The sounds of a run reach a real ALSA device (a capture file), the F12
// alarm played to its end before the tick goes on.
TEST(ViewSound, ARunSoundsThroughTheAlsaBackEnd)
{
    CaptureDevice device;
    TrainingDocument doc;
    doc.onNewDocument();
    doc.setTimeSound(false);
    doc.setFixedExerciseTime(false);
    std::array<std::vector<std::int16_t>, kSoundEventCount> samples;
    for (std::size_t i = 0; i < kSoundEventCount; ++i) {
        samples[i] = rampSamples(400 + 50 * i, static_cast<std::int16_t>(2000 * (i + 1)));
        doc.setSoundFile(static_cast<SoundEvent>(i), (device.folder() / kDefaultSoundFiles[i]).string());
        writeWave16(doc.settings().m_soundFiles[i], kRate, samples[i]);
    }
    TestClock clock;
    TestKeyState keys;
    MainForm view(doc, createAlsaSoundPlayer(), clock, &keys);
    doc.notifyObservers();

    // Waits for everything played so far; the newest sound is at the end.
    std::size_t total = 0;
    auto expectNext = [&](SoundEvent played) {
        const std::size_t event = soundEventIndex(played);
        total += samples[event].size();
        const std::vector<std::int16_t> all = device.waitForSamples(total);
        ASSERT_EQ(all.size(), total);
        EXPECT_TRUE(std::equal(samples[event].rbegin(), samples[event].rend(), all.rbegin()))
            << kDefaultSoundFiles[event];
    };

    view.onMeasuringModeCommand();
    view.measuring().onLeftButtonDown();
    expectNext(SoundEvent::BeginInterval);
    clock.advance(3);
    view.measuring().onRightButtonDown();
    expectNext(SoundEvent::EndIntervalUddhacca);

    keys.hold(WatchedKey::F12);
    view.measuring().onMeasureTick();
    keys.release(WatchedKey::F12);
    total += samples[soundEventIndex(SoundEvent::UddhaccaAlarm)].size();
    const std::vector<std::int16_t> afterAlarm = device.samples(); // no waiting: it was synchronous
    ASSERT_EQ(afterAlarm.size(), total);
    EXPECT_TRUE(std::equal(samples[soundEventIndex(SoundEvent::UddhaccaAlarm)].rbegin(), samples[soundEventIndex(SoundEvent::UddhaccaAlarm)].rend(), afterAlarm.rbegin()));

    keys.hold(WatchedKey::Escape);
    view.measuring().onMeasureTick();
    expectNext(SoundEvent::EndExercise);
    EXPECT_FALSE(view.measuring().isActive());
    EXPECT_EQ(device.samples().size(), total);
}

} // namespace
