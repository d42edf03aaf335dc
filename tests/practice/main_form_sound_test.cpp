#include "tests/practice/main_form_fixture.h"
#include "tests/practice/measuring_doubles.h"

#include "controls/bitmap_slider.h"

#include "practice/main_form.h"
#include "sound/alsa_sound_player.h"
#include "tests/sound/capture_device.h"
#include "tests/support/document_edits.h"

#include <QTest>

#include <algorithm>
#include <filesystem>

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
    doc.apply(SetTimeSound{false});
    changeSettings(doc, [](DocumentSettings& s) { s.m_fixedExerciseTime = 0; });
    std::array<std::vector<std::int16_t>, kSoundEventCount> samples;
    for (std::size_t i = 0; i < kSoundEventCount; ++i) {
        samples[i] = rampSamples(400 + 50 * i, static_cast<std::int16_t>(2000 * (i + 1)));
        changeSettings(doc, [&](DocumentSettings& s) {
            s.m_soundFiles[soundEventIndex(static_cast<SoundEvent>(i))] =
                (device.folder() / kDefaultSoundFiles[i]).string();
        });
        writeWave16(doc.settings().m_soundFiles[i], kRate, samples[i]);
    }
    TestClock clock;
    TestKeyState keys;
    DocumentEditor editor(doc);
    MainForm view(editor, createAlsaSoundPlayer(), volumesWithoutMixer(), clock, &keys);
    doc.announceReset(DocumentReset::Loaded);

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
    view.measuring().startOrEndInterval();
    expectNext(SoundEvent::BeginInterval);
    clock.advance(3);
    view.measuring().endIntervalAsUddhacca();
    expectNext(SoundEvent::EndIntervalUddhacca);

    keys.hold(WatchedKey::F12);
    view.measuring().tick();
    keys.release(WatchedKey::F12);
    expectNext(SoundEvent::UddhaccaAlarm);

    keys.hold(WatchedKey::Escape);
    view.measuring().tick();
    expectNext(SoundEvent::EndExercise);
    EXPECT_FALSE(view.measuring().isActive());
    EXPECT_EQ(device.samples().size(), total);
}

// The wave slider's level scales every sample the device gets.
TEST(ViewSound, TheWaveSliderScalesThePlayedSamples)
{
    CaptureDevice device;
    TrainingDocument doc;
    doc.onNewDocument();
    const std::vector<std::int16_t> samples = rampSamples(600, 3000);
    const std::filesystem::path path = device.folder() / kDefaultSoundFiles[0];
    writeWave16(path, kRate, samples);
    changeSettings(
        doc, [&](DocumentSettings& s) { s.m_soundFiles[soundEventIndex(SoundEvent::BeginInterval)] = path.string(); });
    auto gain = std::make_shared<WaveGain>();
    TestClock clock;
    TestKeyState keys;
    DocumentEditor editor(doc);
    MainForm view(editor, createAlsaSoundPlayer(gain), volumesWithoutMixer(gain), clock, &keys);
    doc.announceReset(DocumentReset::Loaded);
    auto* wave = findControl<BitmapSlider>(view, IDC_WAVE_VOLUME);

    QTest::keyClick(wave, Qt::Key_Home); // position 0: the sample is silent
    std::vector<std::int16_t> heard = device.waitForSamples(samples.size());
    ASSERT_EQ(heard.size(), samples.size());
    EXPECT_TRUE(std::all_of(heard.begin(), heard.end(), [](std::int16_t sample) { return sample == 0; }));

    QTest::keyClick(wave, Qt::Key_End); // position 20: unchanged
    heard = device.waitForSamples(2 * samples.size());
    ASSERT_EQ(heard.size(), 2 * samples.size());
    const auto secondPlay = heard.begin() + static_cast<std::ptrdiff_t>(samples.size());
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), secondPlay));
}

// Sound files of this process open in the folder.
long openSoundFilesIn(const std::filesystem::path& folder)
{
    return std::count_if(std::filesystem::directory_iterator("/proc/self/fd"), {}, [&folder](const auto& entry) {
        std::error_code gone;
        const std::filesystem::path target = std::filesystem::read_symlink(entry.path(), gone);
        return target.parent_path() == folder && target.extension() == ".wav";
    });
}

// A loaded sound is read a moment later, so that no file of an event sound of
// ordinary length stays open (an open file would keep its USB stick from being unmounted).
TEST(ViewSound, TheSoundFilesAreLetGoAMomentAfterLoading)
{
    CaptureDevice device;
    TrainingDocument doc;
    doc.onNewDocument();
    for (std::size_t i = 0; i < kSoundEventCount; ++i) {
        const std::filesystem::path file = device.folder() / kDefaultSoundFiles[i];
        writeWave16(file, kRate, rampSamples(400, 1000));
        changeSettings(doc, [&](DocumentSettings& s) { s.m_soundFiles[i] = file.string(); });
    }
    TestClock clock;
    DocumentEditor editor(doc);
    MainForm view(editor, createAlsaSoundPlayer(), volumesWithoutMixer(), clock, nullptr);
    doc.announceReset(DocumentReset::Loaded);
    const std::filesystem::path folder = std::filesystem::canonical(device.folder());
    EXPECT_GT(openSoundFilesIn(folder), 0);
    for (int i = 0; i < 300 && openSoundFilesIn(folder) > 0; ++i)
        QTest::qWait(10);
    EXPECT_EQ(openSoundFilesIn(folder), 0);
}

} // namespace
