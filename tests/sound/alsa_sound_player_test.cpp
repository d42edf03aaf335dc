#include "alsa_sound_player.h"
#include "capture_device.h"
#include "sound_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kRate = 44100;

std::vector<std::uint8_t> LittleEndianBytes(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return {bytes, bytes + size};
}

TEST(AlsaSoundPlayer, SynchronousPlayReturnsOnlyWhenEverySampleIsWritten)
{
    CCaptureDevice device;
    CSoundManager store(CreateAlsaSoundPlayer());
    const auto samples = RampSamples(kRate / 2, 100);
    WriteWave16(device.Folder() / "ramp.wav", kRate, samples);
    const int id = store.AddSound((device.Folder() / "ramp.wav").string());
    ASSERT_EQ(id, 1);

    ASSERT_TRUE(store.PlaySoundById(id, SND_SYNC));
    EXPECT_EQ(device.Samples(), samples); // read right away, without waiting

    // The sound plays again from memory: the file on disk is no longer needed.
    std::filesystem::remove(device.Folder() / "ramp.wav");
    ASSERT_TRUE(store.PlaySoundById(id, SND_SYNC));
    auto twice = samples;
    twice.insert(twice.end(), samples.begin(), samples.end());
    EXPECT_EQ(device.Samples(), twice);
}

TEST(AlsaSoundPlayer, DecodesTheWaveFormatsAUserMayPick)
{
    CCaptureDevice device;
    CSoundManager store(CreateAlsaSoundPlayer());
    const std::size_t frames = 2000;

    // 8-bit unsigned stereo at 22050 Hz: 128 is silence, each step is 256 in 16 bits.
    std::vector<std::uint8_t> eight;
    std::vector<std::int16_t> expectedEight;
    for (std::size_t i = 0; i < frames; ++i) {
        const auto left = static_cast<std::uint8_t>(i % 256);
        const auto right = static_cast<std::uint8_t>(255 - i % 256);
        eight.insert(eight.end(), {left, right});
        expectedEight.push_back(static_cast<std::int16_t>((left - 128) * 256));
        expectedEight.push_back(static_cast<std::int16_t>((right - 128) * 256));
    }
    WriteWave(device.Folder() / "eight.wav", 1, 2, 22050, 8, eight);

    // 24-bit mono at 48 kHz: the top 16 bits arrive.
    std::vector<std::uint8_t> twentyFour;
    std::vector<std::int16_t> expectedTwentyFour;
    for (std::size_t i = 0; i < frames; ++i) {
        const auto value = static_cast<std::int16_t>(static_cast<int>(i * 29 % 60000) - 30000);
        twentyFour.insert(twentyFour.end(), {0, static_cast<std::uint8_t>(value & 0xFF),
                                             static_cast<std::uint8_t>((value >> 8) & 0xFF)});
        expectedTwentyFour.push_back(value);
    }
    WriteWave(device.Folder() / "twentyfour.wav", 1, 1, 48000, 24, twentyFour);

    // 32-bit float mono.
    std::vector<std::uint8_t> floats;
    std::vector<std::int16_t> expectedFloats;
    for (std::size_t i = 0; i < frames; ++i) {
        const float value = static_cast<float>(static_cast<int>(i % 200) - 100) / 128.0f;
        const auto bytes = LittleEndianBytes(&value, sizeof value);
        floats.insert(floats.end(), bytes.begin(), bytes.end());
        expectedFloats.push_back(static_cast<std::int16_t>(value * 32768.0f));
    }
    WriteWave(device.Folder() / "float.wav", 3, 1, kRate, 32, floats);

    std::vector<std::int16_t> expected;
    for (const auto& [name, samples] : {std::pair{"eight.wav", expectedEight},
                                        std::pair{"twentyfour.wav", expectedTwentyFour},
                                        std::pair{"float.wav", expectedFloats}}) {
        const int id = store.AddSound((device.Folder() / name).string());
        ASSERT_NE(id, 0) << name;
        EXPECT_TRUE(store.PlaySoundById(id, SND_SYNC)) << name;
        expected.insert(expected.end(), samples.begin(), samples.end());
    }
    const auto captured = device.Samples();
    ASSERT_EQ(captured.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_NEAR(captured[i], expected[i], 1) << "sample " << i;
}

TEST(AlsaSoundPlayer, DecodesCompressedAdpcmWaves)
{
    // 0.2 s of a 440 Hz sine at half scale, 22050 Hz, encoded with sox.
    const std::size_t frames = 22050 / 5;
    for (const char* name : {"ima_adpcm.wav", "ms_adpcm.wav"}) {
        CCaptureDevice device;
        CSoundManager store(CreateAlsaSoundPlayer());
        const int id = store.AddSound(std::string(SOUND_TEST_DATA_DIR "/") + name);
        ASSERT_EQ(id, 1) << name;
        ASSERT_TRUE(store.PlaySoundById(id, SND_SYNC)) << name;
        const auto captured = device.Samples();
        // ADPCM ends on a whole block, so a little padding may follow.
        ASSERT_GE(captured.size(), frames) << name;
        EXPECT_LT(captured.size(), frames + 1024) << name;
        double errorSquares = 0;
        for (std::size_t i = 0; i < frames; ++i) {
            const double expected = 16384 * std::sin(2 * M_PI * 440 * static_cast<double>(i) / 22050);
            errorSquares += (captured[i] - expected) * (captured[i] - expected);
        }
        EXPECT_LT(std::sqrt(errorSquares / frames), 16384 * 0.05) << name;
    }
}

TEST(AlsaSoundPlayer, ANewSoundCutsOffTheRunningOneAndPlaysWhole)
{
    // A pipe emptied at four times the speed of a mono 44.1 kHz card.
    CCaptureDevice device(CCaptureDevice::Kind::Paced, 4 * 2 * kRate);
    CSoundManager store(CreateAlsaSoundPlayer());
    const auto begin = RampSamples(3 * kRate, 1000);  // 3 s of positive samples
    const auto end = RampSamples(kRate / 4, -3000);   // 0.25 s of negative samples
    WriteWave16(device.Folder() / "begin.wav", kRate, begin);
    WriteWave16(device.Folder() / "end.wav", kRate, end);
    ASSERT_EQ(store.AddSound((device.Folder() / "begin.wav").string()), 1);
    ASSERT_EQ(store.AddSound((device.Folder() / "end.wav").string()), 2);

    ASSERT_TRUE(store.PlaySoundById(1, SND_ASYNC));
    device.WaitForSamples(kRate / 4); // the begin sound is audibly under way
    ASSERT_TRUE(store.PlaySoundById(2, SND_ASYNC));

    const auto isBegin = [](std::int16_t s) { return s > 0; };
    const auto endSamplesIn = [&](const std::vector<std::int16_t>& v) {
        return v.size() - static_cast<std::size_t>(std::count_if(v.begin(), v.end(), isBegin));
    };
    std::vector<std::int16_t> captured;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (endSamplesIn(captured) < end.size() && std::chrono::steady_clock::now() < deadline)
        captured = device.WaitForSamples(captured.size() + 1);

    const auto firstEnd = std::find_if_not(captured.begin(), captured.end(), isBegin);
    const std::vector<std::int16_t> beginPart(captured.begin(), firstEnd);
    const std::vector<std::int16_t> endPart(firstEnd, captured.end());
    EXPECT_GE(beginPart.size(), static_cast<std::size_t>(kRate / 4));
    EXPECT_LT(beginPart.size(), begin.size());
    EXPECT_TRUE(std::equal(beginPart.begin(), beginPart.end(), begin.begin()));
    EXPECT_EQ(endPart, end);
}

TEST(AlsaSoundPlayer, ReadableFilesThatAreNoSoundLoadAndStaySilent)
{
    CCaptureDevice device;
    CSoundManager store(CreateAlsaSoundPlayer());
    WriteBytes(device.Folder() / "empty.wav", "");
    WriteBytes(device.Folder() / "notes.wav", "These are my notes, not a sound.\n");
    WriteBytes(device.Folder() / "cut.wav", "RIFF\x24\x00\x00\x00WAVEfmt ");
    const auto samples = RampSamples(1000, 10);
    WriteWave16(device.Folder() / "real.wav", kRate, samples);

    EXPECT_EQ(store.AddSound((device.Folder() / "empty.wav").string()), 1);
    EXPECT_EQ(store.AddSound((device.Folder() / "notes.wav").string()), 2);
    EXPECT_EQ(store.AddSound((device.Folder() / "cut.wav").string()), 3);
    EXPECT_EQ(store.AddSound((device.Folder() / "real.wav").string()), 4);
    for (int id = 1; id <= 3; ++id) {
        EXPECT_FALSE(store.PlaySoundById(id, SND_SYNC)) << id;
        EXPECT_FALSE(store.PlaySoundById(id, SND_ASYNC)) << id;
    }
    EXPECT_TRUE(device.Samples().empty());
    // The silent sounds did not disturb the device for the real one.
    ASSERT_TRUE(store.PlaySoundById(4, SND_SYNC));
    EXPECT_EQ(device.Samples(), samples);
}

TEST(AlsaSoundPlayer, EmptyingTheStoreWhileASoundPlaysLetsItPlayToTheEnd)
{
    CCaptureDevice device(CCaptureDevice::Kind::Paced, 4 * 2 * kRate);
    const auto samples = RampSamples(kRate, 500);
    WriteWave16(device.Folder() / "long.wav", kRate, samples);
    auto player = CreateAlsaSoundPlayer();
    {
        CSoundManager store(player);
        ASSERT_EQ(store.AddSound((device.Folder() / "long.wav").string()), 1);
        ASSERT_TRUE(store.PlaySoundById(1, SND_ASYNC));
        EXPECT_TRUE(store.RemoveSound(1));
        EXPECT_EQ(store.GetCount(), 0);
        ASSERT_EQ(store.AddSound((device.Folder() / "long.wav").string()), 1);
    } // the store and every image are gone while the sound still plays
    EXPECT_EQ(device.WaitForSamples(samples.size()), samples);
}

TEST(AlsaSoundPlayer, AMissingDeviceFailsAtOnceWithoutAWord)
{
    CCaptureDevice device; // defines only "jhavari_capture"
    setenv("JHAVARI_ALSA_DEVICE", "jhavari_no_such_device", 1);
    CSoundManager store(CreateAlsaSoundPlayer());
    WriteWave16(device.Folder() / "tone.wav", kRate, RampSamples(1000, 1));
    ASSERT_EQ(store.AddSound((device.Folder() / "tone.wav").string()), 1);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.PlaySoundById(1, SND_SYNC));
    EXPECT_FALSE(store.PlaySoundById(1, SND_ASYNC));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(device.Samples().empty());
}

} // namespace
