#include "tests/practice/measuring_doubles.h"

#include "records/training_document.h"
#include "tests/support/document_edits.h"

#include <gtest/gtest.h>

namespace {

// A form that keeps what the measuring mode told it.
class RecordingForm : public MeasuringForm {
public:
    void phaseChanged(MeasuringPhase previous) override { m_phases.push_back(previous); }
    void timesChanged() override { ++m_timesShown; }
    // As the view does, the status text is read when the mode says it changed.
    void statusChanged() override { m_status = m_mode ? m_mode->statusText() : std::string(); }
    void playSound(SoundEvent event, PlayMode mode) override { m_sounds.emplace_back(event, mode); }
    bool isSoundPlaying() const override { return m_soundPlaying; }
    bool startTimer() override
    {
        m_timerRunning = m_timerCanStart;
        return m_timerCanStart;
    }
    void stopTimer() override { m_timerRunning = false; }
    void refuseToStart(const std::string& message) override { m_refusals.push_back(message); }

    const MeasuringMode* m_mode = nullptr;
    int m_timesShown = 0;
    std::string m_status;
    std::vector<MeasuringPhase> m_phases; // the phase left at each change
    std::vector<PlayedSound> m_sounds;
    std::vector<std::string> m_refusals;
    bool m_timerCanStart = true;
    bool m_timerRunning = false;
    bool m_soundPlaying = false;
};

class MeasuringModeTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_doc.onNewDocument();
        m_doc.apply(SetTimeSound{false});
        changeSettings(m_doc, [](DocumentSettings& settings) { settings.m_fixedExerciseTime = 0; });
        m_doc.setModified(false);
        m_doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
        m_form.m_mode = &m_mode;
    }

    // Ticks every 200 ms for the given seconds (five ticks a second).
    void runFor(TimeSpan seconds)
    {
        for (TimeSpan s = 0; s < seconds; ++s) {
            m_clock.advance(1);
            for (int t = 0; t < 5 && m_form.m_timerRunning; ++t)
                m_mode.tick();
        }
    }
    std::vector<PlayedSound> takeSounds() { return std::exchange(m_form.m_sounds, {}); }
    const IntervalRecordList& records() const { return m_doc.trainingTypes()[0].m_records; }
    void addRecord(std::uint16_t measurement)
    {
        IntervalRecord entry;
        entry.m_timeStart = 1'600'000'000;
        entry.m_timeEnd = entry.m_timeStart + 60;
        entry.m_measurement = measurement;
        entry.m_run = 1;
        append(m_doc, m_doc.trainingTypes()[0], entry);
        m_doc.setModified(false); // as loaded from a file
    }

    TrainingDocument m_doc;
    TestClock m_clock;
    TestKeyState m_keys;
    RecordingForm m_form;
    MeasuringMode m_mode{m_doc, m_doc, m_form, m_clock, m_keys};
};

TEST_F(MeasuringModeTest, SwitchingOnAndOffWithoutPressesRecordsNothing)
{
    addRecord(4);
    m_mode.toggleMeasuringMode();
    EXPECT_TRUE(m_mode.isActive());
    EXPECT_EQ(m_mode.phase(), MeasuringPhase::Waiting);
    EXPECT_TRUE(m_form.m_timerRunning);
    EXPECT_EQ(m_mode.statusText(), std::string(kStatusModeActive) + kStatusModeHint);
    runFor(3);
    m_mode.toggleMeasuringMode();
    EXPECT_FALSE(m_mode.isActive());
    EXPECT_FALSE(m_form.m_timerRunning);
    EXPECT_EQ(m_mode.statusText(), kStatusModeOff);
    EXPECT_EQ(m_form.m_phases, (std::vector<MeasuringPhase>{MeasuringPhase::Off, MeasuringPhase::Waiting}));
    EXPECT_EQ(records().size(), 1);
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_TRUE(takeSounds().empty());
    // The next run still takes number 5: the empty run used none.
    m_mode.toggleMeasuringMode();
    m_mode.startOrEndInterval();
    m_mode.startOrEndInterval();
    EXPECT_EQ(records()[1].m_measurement, 5);
}

TEST_F(MeasuringModeTest, IntervalsOfARunAreNumberedAndTimedFromTheClock)
{
    addRecord(7);
    m_mode.toggleMeasuringMode();
    runFor(2);
    m_mode.startOrEndInterval();
    EXPECT_EQ(m_mode.phase(), MeasuringPhase::Recording);
    EXPECT_EQ(m_mode.numbers().measurement, 8);
    EXPECT_TRUE(m_doc.isModified());
    runFor(30);
    EXPECT_EQ(m_mode.times().current, 30);
    m_mode.startOrEndInterval();
    EXPECT_EQ(m_mode.phase(), MeasuringPhase::Waiting);
    runFor(60); // pauses do not count
    m_mode.startOrEndInterval();
    // A late timer does not shorten an interval: no ticks at all for 30 s.
    m_clock.advance(30);
    m_mode.startOrEndInterval();
    ASSERT_EQ(records().size(), 3);
    EXPECT_EQ(records()[1].m_measurement, 8);
    EXPECT_EQ(records()[1].m_run, 1);
    EXPECT_EQ(records()[1].length(), 30);
    EXPECT_EQ(records()[2].m_measurement, 8);
    EXPECT_EQ(records()[2].m_run, 2);
    EXPECT_EQ(records()[2].length(), 30);
    EXPECT_EQ(records()[2].m_uddhacca, 0);
    EXPECT_EQ(m_mode.times().total, 60);
    EXPECT_EQ(m_mode.times().longest, 30);
    EXPECT_EQ(m_mode.numbers().run, 2);
    const std::vector<PlayedSound> expected = {{SoundEvent::BeginInterval, PlayMode::Async},
                                               {SoundEvent::EndInterval, PlayMode::Async},
                                               {SoundEvent::BeginInterval, PlayMode::Async},
                                               {SoundEvent::EndInterval, PlayMode::Async}};
    EXPECT_EQ(takeSounds(), expected);
    // Off: the list is rebuilt, the displays keep the run's values.
    m_mode.toggleMeasuringMode();
    EXPECT_EQ(m_mode.times().total, 60);
}

TEST_F(MeasuringModeTest, SettingTheWallClockChangesNoDurationAndNoStart)
{
    m_mode.toggleMeasuringMode();
    runFor(2);
    m_mode.startOrEndInterval();
    const CalendarTime pressed = m_clock.now();
    runFor(2);
    m_clock.jumpWallClock(3600); // a time server corrects the clock
    runFor(1);
    m_mode.startOrEndInterval();
    m_mode.startOrEndInterval();
    runFor(2);
    m_clock.jumpWallClock(-3600);
    runFor(1);
    m_mode.startOrEndInterval();
    ASSERT_EQ(records().size(), 2);
    EXPECT_EQ(records()[0].m_timeStart, pressed) << "the start is the wall time at the press";
    EXPECT_EQ(records()[0].length(), 3);
    EXPECT_EQ(records()[1].length(), 3);
    EXPECT_EQ(m_mode.times().total, 6);
}

TEST_F(MeasuringModeTest, AfterMeasurement65535NoSittingStarts)
{
    addRecord(65535);
    m_mode.toggleMeasuringMode();
    EXPECT_FALSE(m_mode.isActive());
    EXPECT_FALSE(m_form.m_timerRunning);
    EXPECT_EQ(m_form.m_refusals, std::vector<std::string>{kNoMeasurementNumberLeft});
    EXPECT_EQ(records().size(), 1);
}

TEST_F(MeasuringModeTest, RightButtonEndsAsUddhaccaAndLongestNeedsAStrictlyLongerInterval)
{
    m_mode.toggleMeasuringMode();
    m_mode.endIntervalAsUddhacca(); // waiting: nothing
    EXPECT_TRUE(takeSounds().empty());
    EXPECT_EQ(records().size(), 0);
    EXPECT_FALSE(m_doc.isModified());

    m_mode.startOrEndInterval();
    runFor(20);
    m_mode.startOrEndInterval();
    m_mode.startOrEndInterval();
    runFor(50);
    m_mode.endIntervalAsUddhacca();
    EXPECT_EQ(m_mode.phase(), MeasuringPhase::Waiting);
    EXPECT_EQ(m_mode.times().longest, 20);
    EXPECT_EQ(takeSounds().back(), PlayedSound(SoundEvent::EndIntervalUddhacca, PlayMode::Async));
    m_mode.startOrEndInterval();
    runFor(20);
    m_mode.startOrEndInterval();
    m_mode.toggleMeasuringMode();
    ASSERT_EQ(records().size(), 3);
    EXPECT_EQ(records()[1].m_uddhacca, 1);
    EXPECT_EQ(records()[1].m_run, 2);
    EXPECT_EQ(records()[2].m_uddhacca, 0);
    EXPECT_EQ(m_mode.times().longest, 20);
    EXPECT_EQ(m_mode.times().total, 90);
}

TEST_F(MeasuringModeTest, EscapeAndF11CutTheIntervalOffSilentlyAsUddhacca)
{
    for (WatchedKey key : {WatchedKey::Escape, WatchedKey::F11}) {
        m_mode.toggleMeasuringMode();
        m_mode.startOrEndInterval();
        runFor(10);
        takeSounds();
        m_keys.hold(key);
        m_mode.tick();
        m_keys.release(key);
        EXPECT_FALSE(m_mode.isActive());
        EXPECT_FALSE(m_form.m_timerRunning);
        EXPECT_EQ(m_mode.statusText(), kStatusModeOff);
        const std::vector<PlayedSound> expected = {{SoundEvent::EndExercise, PlayMode::Async}};
        EXPECT_EQ(takeSounds(), expected);
        EXPECT_EQ(records()[records().size() - 1].m_uddhacca, 1);
        EXPECT_EQ(m_mode.times().longest, 0);
    }
    EXPECT_EQ(records()[0].m_measurement, 1);
    EXPECT_EQ(records()[1].m_measurement, 2);
}

TEST_F(MeasuringModeTest, StatusTextGrowsOneDotPerTickUpToNine)
{
    m_mode.toggleMeasuringMode();
    for (int tick = 0; tick < 12; ++tick) {
        m_mode.tick();
        const std::size_t dots = static_cast<std::size_t>(tick % 10);
        EXPECT_EQ(m_form.m_status, std::string(kStatusModeActive) + std::string(dots, '.') + kStatusModeHint);
    }
}

TEST_F(MeasuringModeTest, TicksShowTheTimesAnewOnlyWhileAnIntervalRuns)
{
    m_mode.toggleMeasuringMode();
    const int shown = m_form.m_timesShown;
    runFor(2);
    EXPECT_EQ(m_form.m_timesShown, shown);
    m_mode.startOrEndInterval();
    runFor(2);
    EXPECT_EQ(m_form.m_timesShown, shown + 1 + 10);
    m_mode.startOrEndInterval();
    runFor(2);
    EXPECT_EQ(m_form.m_timesShown, shown + 1 + 10 + 1);
}

TEST_F(MeasuringModeTest, FixedTotalTimeEndsTheRunWithANormalInterval)
{
    changeSettings(m_doc, [](DocumentSettings& settings) { settings.m_fixedExerciseTime = 1; });
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_timeFixedDuration = makeDuration(0, 10, 0); });
    m_mode.toggleMeasuringMode();
    m_mode.startOrEndInterval();
    runFor(6 * 60);
    m_mode.startOrEndInterval();
    EXPECT_EQ(m_mode.progressPercent(), 60);
    runFor(120);
    m_mode.startOrEndInterval();
    takeSounds();
    // Changing the setting during the run does not move the end.
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_timeFixedDuration = makeDuration(1, 0, 0); });
    runFor(4 * 60 - 1);
    EXPECT_TRUE(m_mode.isActive());
    m_clock.advance(1);
    m_mode.tick();
    EXPECT_FALSE(m_mode.isActive());
    EXPECT_FALSE(m_form.m_timerRunning);
    ASSERT_EQ(records().size(), 2);
    EXPECT_EQ(records()[1].length(), 4 * 60);
    EXPECT_EQ(records()[1].m_uddhacca, 0);
    EXPECT_EQ(m_mode.times().longest, 6 * 60);
    const std::vector<PlayedSound> expected = {{SoundEvent::EndExercise, PlayMode::Async}};
    EXPECT_EQ(takeSounds(), expected);
}

TEST_F(MeasuringModeTest, FixedTotalTimeOfZeroEndsTheRunAtTheFirstTick)
{
    changeSettings(m_doc, [](DocumentSettings& settings) { settings.m_fixedExerciseTime = 1; });
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_timeFixedDuration = makeDuration(0, 0, 0); });
    m_mode.toggleMeasuringMode();
    EXPECT_EQ(m_mode.progressPercent(), 100);
    m_mode.tick();
    EXPECT_FALSE(m_mode.isActive());
    EXPECT_EQ(records().size(), 0);
    const std::vector<PlayedSound> expected = {{SoundEvent::EndExercise, PlayMode::Async}};
    EXPECT_EQ(takeSounds(), expected);
    // Unticked, the same setting does not end anything.
    changeSettings(m_doc, [](DocumentSettings& settings) { settings.m_fixedExerciseTime = 0; });
    m_mode.toggleMeasuringMode();
    runFor(5);
    EXPECT_TRUE(m_mode.isActive());
}

TEST_F(MeasuringModeTest, AutomaticAlarmSoundsAtEveryStepOfEachInterval)
{
    changeSettings(m_doc, [](DocumentSettings& settings) { settings.m_autoUddhaccaAlarm = 1; });
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_timeAlarmInterval = makeDuration(0, 5, 0); });
    m_mode.toggleMeasuringMode();
    m_mode.startOrEndInterval();
    takeSounds();
    std::vector<TimeSpan> alarmsAt;
    for (int second = 1; second <= 12 * 60; ++second) {
        runFor(1);
        for (const PlayedSound& sound : takeSounds()) {
            EXPECT_EQ(sound, PlayedSound(SoundEvent::UddhaccaAlarm, PlayMode::Async));
            alarmsAt.push_back(m_mode.times().current);
        }
    }
    EXPECT_EQ(alarmsAt, (std::vector<TimeSpan>{300, 600}));
    m_mode.startOrEndInterval();
    m_mode.startOrEndInterval();
    takeSounds();
    runFor(299);
    EXPECT_TRUE(takeSounds().empty());
    runFor(1);
    EXPECT_EQ(takeSounds(), (std::vector<PlayedSound>{{SoundEvent::UddhaccaAlarm, PlayMode::Async}}));
}

TEST_F(MeasuringModeTest, AlarmStepOfZeroSoundsAtEveryTickAlsoWhileWaiting)
{
    changeSettings(m_doc, [](DocumentSettings& settings) { settings.m_autoUddhaccaAlarm = 1; });
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_timeAlarmInterval = makeDuration(0, 0, 0); });
    m_mode.toggleMeasuringMode();
    runFor(1);
    EXPECT_EQ(takeSounds().size(), 5u);
}

TEST_F(MeasuringModeTest, TimeSoundMarksEveryFiveMinutesOfIntervalTime)
{
    m_doc.apply(SetTimeSound{true});
    m_mode.toggleMeasuringMode();
    std::vector<TimeSpan> soundsAtTotal;
    for (int interval = 0; interval < 3; ++interval) {
        m_mode.startOrEndInterval();
        takeSounds();
        for (int second = 0; second < 180; ++second) {
            runFor(1);
            for (const PlayedSound& sound : takeSounds()) {
                EXPECT_EQ(sound, PlayedSound(SoundEvent::BeginInterval, PlayMode::Async));
                soundsAtTotal.push_back(m_mode.times().total);
            }
        }
        m_mode.startOrEndInterval();
        runFor(30);
    }
    EXPECT_EQ(soundsAtTotal, (std::vector<TimeSpan>{300}));

    // Switched off, the mark does not move; switched on again it sounds at once.
    m_doc.apply(SetTimeSound{false});
    m_mode.startOrEndInterval();
    runFor(90);
    EXPECT_EQ(m_mode.times().total, 630);
    takeSounds();
    m_doc.apply(SetTimeSound{true});
    m_mode.tick();
    EXPECT_EQ(takeSounds(), (std::vector<PlayedSound>{{SoundEvent::BeginInterval, PlayMode::Async}}));
    m_mode.tick();
    EXPECT_TRUE(takeSounds().empty());
}

TEST_F(MeasuringModeTest, F12HeldSoundsTheAlarmAgainAtTheFirstTickAfterItEnded)
{
    const std::vector<PlayedSound> alarm = {{SoundEvent::UddhaccaAlarm, PlayMode::Async}};
    m_mode.toggleMeasuringMode();
    m_keys.hold(WatchedKey::F12);
    m_form.m_soundPlaying = true;
    runFor(2);
    EXPECT_EQ(takeSounds(), alarm);
    m_form.m_soundPlaying = false;
    m_mode.tick();
    EXPECT_EQ(takeSounds(), alarm);
    // Another sound ends the alarm: held, F12 sounds it again.
    m_form.m_soundPlaying = true;
    m_mode.startOrEndInterval();
    m_mode.tick();
    EXPECT_EQ(takeSounds().back(), alarm.back());
    m_keys.release(WatchedKey::F12);
    m_form.m_soundPlaying = false;
    runFor(1);
    EXPECT_TRUE(takeSounds().empty());
}

TEST(MeasuringMode, WithoutATrainingTypeIntervalsAreTimedAndSoundedButNotStored)
{
    TrainingDocument doc;
    doc.onNewDocument();
    TestClock clock;
    TestKeyState keys;
    RecordingForm form;
    MeasuringMode mode(doc, doc, form, clock, keys);
    mode.toggleMeasuringMode();
    mode.startOrEndInterval();
    clock.advance(10);
    mode.startOrEndInterval();
    EXPECT_EQ(mode.times().longest, 10);
    EXPECT_EQ(form.m_sounds.size(), 2u);
    for (const TrainingType& type : doc.trainingTypes())
        EXPECT_EQ(type.m_records.size(), 0);
}

TEST_F(MeasuringModeTest, WithoutItsTimerTheModeIsNotEntered)
{
    m_form.m_timerCanStart = false;
    m_mode.toggleMeasuringMode();
    EXPECT_FALSE(m_mode.isActive());
    EXPECT_TRUE(m_form.m_phases.empty()) << "the form saw no change";
    EXPECT_EQ(m_mode.statusText(), kStatusModeOff);
    m_mode.startOrEndInterval();
    EXPECT_EQ(m_mode.phase(), MeasuringPhase::Off);
}

} // namespace
