#include "records/program_path.h"
#include "sound/alsa_sound_player.h"
#include "sound/event_sounds.h"
#include "tests/sound/capture_device.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRate = 44100;

TEST(EventSounds, AMissingFileSilencesOnlyItsEvent)
{
    CaptureDevice device;
    EventSounds sounds(createAlsaSoundPlayer());
    DocumentSettings settings;
    std::array<std::vector<std::int16_t>, kSoundEventCount> samples;
    for (std::size_t i = 0; i < kSoundEventCount; ++i) {
        samples[i] = rampSamples(300 + 100 * i, static_cast<std::int16_t>(2000 * (i + 1)));
        settings.m_soundFiles[i] = (device.folder() / ("event" + std::to_string(i) + ".wav")).string();
        writeWave16(settings.m_soundFiles[i], kRate, samples[i]);
    }

    for (int reload = 0; reload < 3; ++reload) {
        sounds.loadEventSounds(settings);
        EXPECT_EQ(sounds.m_soundId, (std::array<int, kSoundEventCount>{1, 2, 3, 4, 5}));
        EXPECT_EQ(sounds.manager().count(), 5);
    }

    std::filesystem::remove(settings.m_soundFiles[soundEventIndex(SoundEvent::EndInterval)]);
    sounds.loadEventSounds(settings);
    EXPECT_EQ(sounds.m_soundId, (std::array<int, kSoundEventCount>{1, 0, 2, 3, 4}));
    EXPECT_EQ(sounds.manager().count(), 4);

    // The "Sound test": all five in order; the missing one is skipped silently.
    std::vector<std::int16_t> expected;
    for (std::size_t event = 0; event < kSoundEventCount; ++event) {
        const bool played = sounds.play(static_cast<SoundEvent>(event), PlayMode::Sync);
        EXPECT_EQ(played, event != soundEventIndex(SoundEvent::EndInterval)) << event;
        if (event != soundEventIndex(SoundEvent::EndInterval))
            expected.insert(expected.end(), samples[event].begin(), samples[event].end());
    }
    EXPECT_EQ(device.samples(), expected);
}

TEST(EventSounds, TheDefaultSoundsLieNextToTheProgramAndPlay)
{
    ASSERT_TRUE(initProgramPath());
    CaptureDevice device;
    EventSounds sounds(createAlsaSoundPlayer());
    sounds.loadEventSounds(DocumentSettings());
    ASSERT_EQ(sounds.m_soundId, (std::array<int, kSoundEventCount>{1, 2, 3, 4, 5}));

    std::vector<std::vector<std::int16_t>> played;
    for (std::size_t event = 0; event < kSoundEventCount; ++event) {
        const std::size_t before = device.samples().size();
        ASSERT_TRUE(sounds.play(static_cast<SoundEvent>(event), PlayMode::Sync)) << event;
        const auto all = device.samples();
        played.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    }
    for (std::size_t i = 0; i < played.size(); ++i) {
        const double seconds = static_cast<double>(played[i].size()) / kRate;
        EXPECT_GE(seconds, 0.5) << kDefaultSoundFiles[i];
        EXPECT_LE(seconds, 3.0) << kDefaultSoundFiles[i];
        const auto peak = std::max_element(played[i].begin(), played[i].end(),
                                           [](auto a, auto b) { return std::abs(a) < std::abs(b); });
        EXPECT_GT(std::abs(*peak), 8000) << kDefaultSoundFiles[i] << " is too quiet";
        EXPECT_LT(std::abs(*peak), 32767) << kDefaultSoundFiles[i] << " clips";
        // The ending fades out: no click when the sound stops.
        EXPECT_LT(std::abs(played[i].back()), 200) << kDefaultSoundFiles[i];
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(played[i], played[j]) << kDefaultSoundFiles[i] << " and " << kDefaultSoundFiles[j];
    }
}

TEST(EventSounds, AnEventOutsideTheFiveIsRefused)
{
    CaptureDevice device;
    EventSounds sounds(createAlsaSoundPlayer());
    EXPECT_FALSE(sounds.play(static_cast<SoundEvent>(kSoundEventCount), PlayMode::Async));
    EXPECT_FALSE(sounds.play(SoundEvent::BeginInterval, PlayMode::Async)); // nothing loaded yet
}

} // namespace
