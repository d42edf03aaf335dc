#include "sound/alsa_sound_player.h"
#include "sound/sound_store.h"
#include "tests/sound/capture_device.h"
#include "tests/support/peak_memory.h"
#include "tests/support/scoped_environment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

namespace {

constexpr int kRate = 44100;

std::vector<std::uint8_t> littleEndianBytes(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return {bytes, bytes + size};
}

TEST(AlsaSoundPlayer, SynchronousPlayReturnsOnlyWhenEverySampleIsWritten)
{
    CaptureDevice device;
    SoundStore store(createAlsaSoundPlayer());
    const auto samples = rampSamples(kRate / 2, 100);
    writeWave16(device.folder() / "ramp.wav", kRate, samples);
    const int id = store.addSound((device.folder() / "ramp.wav").string());
    ASSERT_EQ(id, 1);

    ASSERT_TRUE(store.playSoundById(id, PlayMode::Sync));
    EXPECT_EQ(device.samples(), samples); // read right away, without waiting

    // The sound plays again through the file opened at loading: it is no longer needed on disk.
    std::filesystem::remove(device.folder() / "ramp.wav");
    ASSERT_TRUE(store.playSoundById(id, PlayMode::Sync));
    auto twice = samples;
    twice.insert(twice.end(), samples.begin(), samples.end());
    EXPECT_EQ(device.samples(), twice);
}

TEST(AlsaSoundPlayer, DecodesTheWaveFormatsAUserMayPick)
{
    CaptureDevice device;
    SoundStore store(createAlsaSoundPlayer());
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
    writeWave(device.folder() / "eight.wav", 1, 2, 22050, 8, eight);

    // 24-bit mono at 48 kHz: the top 16 bits arrive.
    std::vector<std::uint8_t> twentyFour;
    std::vector<std::int16_t> expectedTwentyFour;
    for (std::size_t i = 0; i < frames; ++i) {
        const auto value = static_cast<std::int16_t>(static_cast<int>(i * 29 % 60000) - 30000);
        twentyFour.insert(twentyFour.end(),
                          {0, static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF)});
        expectedTwentyFour.push_back(value);
    }
    writeWave(device.folder() / "twentyfour.wav", 1, 1, 48000, 24, twentyFour);

    // 32-bit float mono.
    std::vector<std::uint8_t> floats;
    std::vector<std::int16_t> expectedFloats;
    for (std::size_t i = 0; i < frames; ++i) {
        const float value = static_cast<float>(static_cast<int>(i % 200) - 100) / 128.0f;
        const auto bytes = littleEndianBytes(&value, sizeof value);
        floats.insert(floats.end(), bytes.begin(), bytes.end());
        expectedFloats.push_back(static_cast<std::int16_t>(value * 32768.0f));
    }
    writeWave(device.folder() / "float.wav", 3, 1, kRate, 32, floats);

    std::vector<std::int16_t> expected;
    for (const auto& [name, samples] :
         {std::pair{"eight.wav", expectedEight}, std::pair{"twentyfour.wav", expectedTwentyFour},
          std::pair{"float.wav", expectedFloats}}) {
        const int id = store.addSound((device.folder() / name).string());
        ASSERT_NE(id, 0) << name;
        EXPECT_TRUE(store.playSoundById(id, PlayMode::Sync)) << name;
        expected.insert(expected.end(), samples.begin(), samples.end());
    }
    const auto captured = device.samples();
    ASSERT_EQ(captured.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_NEAR(captured[i], expected[i], 1) << "sample " << i;
}

TEST(AlsaSoundPlayer, DecodesCompressedAdpcmWaves)
{
    // 0.2 s of a 440 Hz sine at half scale, 22050 Hz, encoded with sox.
    const std::size_t frames = 22050 / 5;
    for (const char* name : {"ima_adpcm.wav", "ms_adpcm.wav"}) {
        CaptureDevice device;
        SoundStore store(createAlsaSoundPlayer());
        const int id = store.addSound(std::string(SOUND_TEST_DATA_DIR "/") + name);
        ASSERT_EQ(id, 1) << name;
        ASSERT_TRUE(store.playSoundById(id, PlayMode::Sync)) << name;
        const auto captured = device.samples();
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
    CaptureDevice device(CaptureDevice::Kind::Paced, 4 * 2 * kRate);
    SoundStore store(createAlsaSoundPlayer());
    const auto begin = rampSamples(3 * kRate, 1000); // 3 s of positive samples
    const auto end = rampSamples(kRate / 4, -3000);  // 0.25 s of negative samples
    writeWave16(device.folder() / "begin.wav", kRate, begin);
    writeWave16(device.folder() / "end.wav", kRate, end);
    ASSERT_EQ(store.addSound((device.folder() / "begin.wav").string()), 1);
    ASSERT_EQ(store.addSound((device.folder() / "end.wav").string()), 2);

    ASSERT_TRUE(store.playSoundById(1, PlayMode::Async));
    device.waitForSamples(kRate / 4); // the begin sound is audibly under way
    ASSERT_TRUE(store.playSoundById(2, PlayMode::Async));

    const auto isBegin = [](std::int16_t s) { return s > 0; };
    const auto endSamplesIn = [&](const std::vector<std::int16_t>& v) {
        return v.size() - static_cast<std::size_t>(std::count_if(v.begin(), v.end(), isBegin));
    };
    std::vector<std::int16_t> captured;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (endSamplesIn(captured) < end.size() && std::chrono::steady_clock::now() < deadline)
        captured = device.waitForSamples(captured.size() + 1);

    const auto firstEnd = std::find_if_not(captured.begin(), captured.end(), isBegin);
    const std::vector<std::int16_t> beginPart(captured.begin(), firstEnd);
    const std::vector<std::int16_t> endPart(firstEnd, captured.end());
    EXPECT_GE(beginPart.size(), static_cast<std::size_t>(kRate / 4));
    EXPECT_LT(beginPart.size(), begin.size());
    EXPECT_TRUE(std::equal(beginPart.begin(), beginPart.end(), begin.begin()));
    EXPECT_EQ(endPart, end);
}

TEST(AlsaSoundPlayer, SoundsInTurnPlayWholeWithoutWaitingUntilAnotherSoundEndsThem)
{
    // A pipe emptied at four times the speed of a mono 44.1 kHz card.
    CaptureDevice device(CaptureDevice::Kind::Paced, 4 * 2 * kRate);
    SoundStore store(createAlsaSoundPlayer());
    // Each of the three longer than what the pipe and the device buffer hold.
    const std::vector<std::vector<std::int16_t>> sounds = {rampSamples(2 * kRate, 1000), rampSamples(2 * kRate, 3000),
                                                           rampSamples(2 * kRate, 5000), rampSamples(kRate / 4, -3000)};
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        const auto path = device.folder() / ("sound" + std::to_string(i) + ".wav");
        writeWave16(path, kRate, sounds[i]);
        ASSERT_EQ(store.addSound(path.string()), static_cast<int>(i + 1));
    }
    std::vector<std::int16_t> sequence;
    for (std::size_t i = 0; i < 3; ++i)
        sequence.insert(sequence.end(), sounds[i].begin(), sounds[i].end());

    ASSERT_TRUE(store.playInTurn({1, 0, 2, 3}));
    EXPECT_LT(device.samples().size(), sequence.size()) << "the call returns while the sounds play";
    EXPECT_EQ(device.waitForSamples(sequence.size()), sequence) << "each whole, in turn; a silent id is left out";

    ASSERT_TRUE(store.playInTurn({1, 2, 3}));
    device.waitForSamples(sequence.size() + kRate / 8); // the first sound is under way
    ASSERT_TRUE(store.playSoundById(4, PlayMode::Async));
    device.waitForSamples(sequence.size() + sounds[0].size() + sounds[3].size());
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // time enough for the sequence to go on
    const std::vector<std::int16_t> captured = device.samples();
    EXPECT_TRUE(std::none_of(captured.begin() + static_cast<std::ptrdiff_t>(sequence.size()), captured.end(),
                             [](std::int16_t sample) { return sample >= 3000; }))
        << "the sequence went no further";
    EXPECT_TRUE(std::equal(sounds[3].rbegin(), sounds[3].rend(), captured.rbegin())) << "the later sound, whole";
}

TEST(AlsaSoundPlayer, ReadableFilesThatAreNoSoundLoadAndStaySilent)
{
    CaptureDevice device;
    SoundStore store(createAlsaSoundPlayer());
    writeBytes(device.folder() / "empty.wav", "");
    writeBytes(device.folder() / "notes.wav", "These are my notes, not a sound.\n");
    writeBytes(device.folder() / "cut.wav", "RIFF\x24\x00\x00\x00WAVEfmt ");
    const auto samples = rampSamples(1000, 10);
    writeWave16(device.folder() / "real.wav", kRate, samples);

    EXPECT_EQ(store.addSound((device.folder() / "empty.wav").string()), 1);
    EXPECT_EQ(store.addSound((device.folder() / "notes.wav").string()), 2);
    EXPECT_EQ(store.addSound((device.folder() / "cut.wav").string()), 3);
    EXPECT_EQ(store.addSound((device.folder() / "real.wav").string()), 4);
    for (int id = 1; id <= 3; ++id) {
        EXPECT_FALSE(store.playSoundById(id, PlayMode::Sync)) << id;
        EXPECT_FALSE(store.playSoundById(id, PlayMode::Async)) << id;
    }
    EXPECT_TRUE(device.samples().empty());
    // The silent sounds did not disturb the device for the real one.
    ASSERT_TRUE(store.playSoundById(4, PlayMode::Sync));
    EXPECT_EQ(device.samples(), samples);
}

TEST(AlsaSoundPlayer, SoundsOfAnyLengthPlayFromTheirFilesInBoundedMemory)
{
    CaptureDevice device;
    SoundStore store(createAlsaSoundPlayer());
    // Three minutes of a 440 Hz sine at a low rate.
    constexpr int kLowRate = 8000;
    std::vector<std::int16_t> sine(180 * kLowRate);
    for (std::size_t i = 0; i < sine.size(); ++i)
        sine[i] = static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * 440 * static_cast<double>(i) / kLowRate));
    writeWave16(device.folder() / "gong.wav", kLowRate, sine);
    ASSERT_EQ(store.addSound((device.folder() / "gong.wav").string()), 1);
    std::filesystem::remove(device.folder() / "gong.wav");
    store.letGoOfSmallFiles();
    ASSERT_TRUE(store.playSoundById(1, PlayMode::Sync));
    EXPECT_EQ(device.samples(), sine) << "the sound loaded, whole";

    // Two gigabytes of silence, into a device that takes them as fast as they come.
    writeSparseWave16(device.folder() / "huge.wav", kRate, 0x7FFF'0000);
    const ScopedEnvironment systemDevices("ALSA_CONFIG_PATH", std::nullopt);
    const ScopedEnvironment nullDevice("JHAVARI_ALSA_DEVICE", "null");
    SoundStore huge(createAlsaSoundPlayer());
    resetPeakResident();
    const long before = peakResidentKib();
    ASSERT_EQ(huge.addSound((device.folder() / "huge.wav").string()), 1);
    huge.letGoOfSmallFiles();
    ASSERT_TRUE(huge.playSoundById(1, PlayMode::Async));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    // A few megabytes, reading ALSA's own configuration for the null device included.
    EXPECT_LT(peakResidentKib() - before, 8192);
} // the player going stops the sound at once, as at the program's end

TEST(AlsaSoundPlayer, EmptyingTheStoreWhileASoundPlaysLetsItPlayToTheEnd)
{
    CaptureDevice device(CaptureDevice::Kind::Paced, 4 * 2 * kRate);
    const auto samples = rampSamples(kRate, 500);
    writeWave16(device.folder() / "long.wav", kRate, samples);
    auto player = createAlsaSoundPlayer();
    {
        SoundStore store(player);
        ASSERT_EQ(store.addSound((device.folder() / "long.wav").string()), 1);
        ASSERT_TRUE(store.playSoundById(1, PlayMode::Async));
        EXPECT_TRUE(store.removeSound(1));
        EXPECT_EQ(store.count(), 0);
        ASSERT_EQ(store.addSound((device.folder() / "long.wav").string()), 1);
    } // the store is gone while the sound still plays
    EXPECT_EQ(device.waitForSamples(samples.size()), samples);
}

TEST(AlsaSoundPlayer, AMissingDeviceFailsAtOnceWithoutAWord)
{
    CaptureDevice device; // defines only "jhavari_capture"
    const ScopedEnvironment missingDevice("JHAVARI_ALSA_DEVICE", "jhavari_no_such_device");
    SoundStore store(createAlsaSoundPlayer());
    writeWave16(device.folder() / "tone.wav", kRate, rampSamples(1000, 1));
    ASSERT_EQ(store.addSound((device.folder() / "tone.wav").string()), 1);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.playSoundById(1, PlayMode::Sync));
    EXPECT_FALSE(store.playSoundById(1, PlayMode::Async));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(device.samples().empty());
}

} // namespace
