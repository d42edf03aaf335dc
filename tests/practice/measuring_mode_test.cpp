#include "measuring_doubles.h"

#include "document.h"
#include "measuring_mode_flag.h"

#include <gtest/gtest.h>

namespace {

// A form that keeps what the measuring mode showed and played.
class CRecordingForm : public IMeasuringForm {
public:
    void SetProgressPos(int percent) override { m_nProgress = percent; }
    void CloseDiagrams() override { ++m_nDiagramCloses; }
    void SetStatusPanel(StatusPanelState state) override { m_panel = state; }
    void TickShowLastMeasurement() override { m_bShowLast = true; }
    void FillIntervalList() override
    {
        ++m_nFills;
        m_aRows.clear();
    }
    void AddIntervalRow(const CDataEntry& entry) override { m_aRows.push_back(entry); }
    unsigned StartMeasureTimer() override
    {
        m_bTimerRunning = m_bTimerCanStart;
        return m_bTimerCanStart ? 100 : 0;
    }
    void StopMeasureTimer() override { m_bTimerRunning = false; }
    void SetStatusText(const std::string& text) override { m_strStatus = text; }
    void ConfinePointer(bool on) override { m_bConfined = on; }
    void ReleaseMouseCapture() override {}
    void LockSettingsControls(bool enable) override { m_bSettingsEnabled = enable; }
    void UpdateTimeDisplays() override { ++m_nDisplayUpdates; }
    void SetClockRunning(bool running) override { m_bClockRunning = running; }
    void PlaySoundEvent(SoundEvent event, int mode) override { m_aSounds.emplace_back(event, mode); }
    bool IsFixedTotalTimeTicked() const override { return m_bFixedTicked; }
    bool IsAutoAlarmTicked() const override { return m_bAlarmTicked; }

    int m_nProgress = -1;
    int m_nDiagramCloses = 0;
    StatusPanelState m_panel = PanelSettings;
    bool m_bShowLast = false;
    int m_nFills = 0;
    std::vector<CDataEntry> m_aRows;
    bool m_bTimerCanStart = true;
    bool m_bTimerRunning = false;
    std::string m_strStatus;
    bool m_bConfined = false;
    bool m_bSettingsEnabled = true;
    int m_nDisplayUpdates = 0;
    bool m_bClockRunning = false;
    std::vector<PlayedSound> m_aSounds;
    bool m_bFixedTicked = false;
    bool m_bAlarmTicked = false;
};

class MeasuringModeTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_bMeasuringMode = false;
        m_doc.OnNewDocument();
        m_doc.m_settings.m_bTimeSound = 0;
        m_doc.m_pCurrentType = &m_doc.m_aTrainingTypes[0];
        m_mode.m_pTrainingType = m_doc.m_pCurrentType;
    }
    void TearDown() override { g_bMeasuringMode = false; }

    // Ticks every 200 ms for the given seconds (five ticks a second).
    void RunFor(TimeSpan seconds)
    {
        for (TimeSpan s = 0; s < seconds; ++s) {
            m_clock.Advance(1);
            for (int t = 0; t < 5 && m_form.m_bTimerRunning; ++t)
                m_mode.OnMeasureTick();
        }
    }
    std::vector<PlayedSound> TakeSounds() { return std::exchange(m_form.m_aSounds, {}); }
    const CDataEntryArray& Records() const { return m_doc.m_aTrainingTypes[0].m_aEntries; }
    void AddRecord(std::uint16_t measurement)
    {
        CDataEntry entry;
        entry.m_timeStart = 1'600'000'000;
        entry.m_timeEnd = entry.m_timeStart + 60;
        entry.m_nMeasurement = measurement;
        entry.m_nRun = 1;
        m_doc.m_aTrainingTypes[0].m_aEntries.Add(entry);
    }

    CVersenkwerkDoc m_doc;
    CTestClock m_clock;
    CTestKeyState m_keys;
    CRecordingForm m_form;
    CMeasuringMode m_mode{m_doc, m_form, m_clock, m_keys};
};

TEST_F(MeasuringModeTest, SwitchingOnAndOffWithoutPressesRecordsNothing)
{
    AddRecord(4);
    m_mode.ToggleMeasuringMode();
    EXPECT_TRUE(g_bMeasuringMode);
    EXPECT_EQ(m_form.m_panel, PanelWaiting);
    EXPECT_TRUE(m_form.m_bShowLast);
    EXPECT_TRUE(m_form.m_bTimerRunning);
    EXPECT_TRUE(m_form.m_bConfined);
    EXPECT_FALSE(m_form.m_bSettingsEnabled);
    EXPECT_EQ(m_form.m_nProgress, 0);
    EXPECT_EQ(m_form.m_nDiagramCloses, 1);
    EXPECT_EQ(m_form.m_strStatus, std::string(kStatusModeActive) + kStatusModeHint);
    RunFor(3);
    m_mode.ToggleMeasuringMode();
    EXPECT_FALSE(g_bMeasuringMode);
    EXPECT_EQ(m_form.m_panel, PanelSettings);
    EXPECT_FALSE(m_form.m_bTimerRunning);
    EXPECT_FALSE(m_form.m_bConfined);
    EXPECT_TRUE(m_form.m_bSettingsEnabled);
    EXPECT_EQ(m_form.m_strStatus, kStatusModeOff);
    EXPECT_EQ(Records().GetSize(), 1);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(TakeSounds().empty());
    // The next run still takes number 5: the empty run used none.
    m_mode.ToggleMeasuringMode();
    m_mode.OnLeftButtonDown();
    m_mode.OnLeftButtonDown();
    EXPECT_EQ(Records()[1].m_nMeasurement, 5);
}

TEST_F(MeasuringModeTest, IntervalsOfARunAreNumberedAndTimedFromTheClock)
{
    AddRecord(7);
    m_mode.ToggleMeasuringMode();
    RunFor(2);
    m_mode.OnLeftButtonDown();
    EXPECT_EQ(m_form.m_panel, PanelRecording);
    EXPECT_TRUE(m_form.m_bClockRunning);
    EXPECT_TRUE(m_doc.IsModified());
    RunFor(30);
    EXPECT_EQ(m_mode.m_spanCurrent, 30);
    m_mode.OnLeftButtonDown();
    EXPECT_EQ(m_form.m_panel, PanelWaiting);
    EXPECT_FALSE(m_form.m_bClockRunning);
    RunFor(60); // pauses do not count
    m_mode.OnLeftButtonDown();
    // A late timer does not shorten an interval: no ticks at all for 30 s.
    m_clock.Advance(30);
    m_mode.OnLeftButtonDown();
    ASSERT_EQ(Records().GetSize(), 3);
    EXPECT_EQ(Records()[1].m_nMeasurement, 8);
    EXPECT_EQ(Records()[1].m_nRun, 1);
    EXPECT_EQ(Records()[1].Length(), 30);
    EXPECT_EQ(Records()[2].m_nMeasurement, 8);
    EXPECT_EQ(Records()[2].m_nRun, 2);
    EXPECT_EQ(Records()[2].Length(), 30);
    EXPECT_EQ(Records()[2].m_bUddhacca, 0);
    EXPECT_EQ(m_mode.m_spanTotal, 60);
    EXPECT_EQ(m_mode.m_spanLongest, 30);
    ASSERT_EQ(m_form.m_aRows.size(), 2u);
    EXPECT_EQ(m_form.m_aRows[1], Records()[2]);
    const std::vector<PlayedSound> expected = {{BeginIntervall, kPlayAsync},
                                               {EndIntervall, kPlayAsync},
                                               {BeginIntervall, kPlayAsync},
                                               {EndIntervall, kPlayAsync}};
    EXPECT_EQ(TakeSounds(), expected);
    // Off: the list is rebuilt, the displays keep the run's values.
    m_mode.ToggleMeasuringMode();
    EXPECT_EQ(m_mode.m_spanTotal, 60);
}

TEST_F(MeasuringModeTest, RightButtonEndsAsUddhaccaAndLongestNeedsAStrictlyLongerInterval)
{
    m_mode.ToggleMeasuringMode();
    m_mode.OnRightButtonDown(); // waiting: nothing
    EXPECT_TRUE(TakeSounds().empty());
    EXPECT_EQ(Records().GetSize(), 0);
    EXPECT_FALSE(m_doc.IsModified());

    m_mode.OnLeftButtonDown();
    RunFor(20);
    m_mode.OnLeftButtonDown();
    m_mode.OnLeftButtonDown();
    RunFor(50);
    m_mode.OnRightButtonDown();
    EXPECT_EQ(m_form.m_panel, PanelWaiting);
    EXPECT_EQ(m_mode.m_spanLongest, 20);
    EXPECT_EQ(TakeSounds().back(), PlayedSound(EndIntervallUddhacca, kPlayAsync));
    m_mode.OnLeftButtonDown();
    RunFor(20);
    m_mode.OnLeftButtonDown();
    m_mode.ToggleMeasuringMode();
    ASSERT_EQ(Records().GetSize(), 3);
    EXPECT_EQ(Records()[1].m_bUddhacca, 1);
    EXPECT_EQ(Records()[1].m_nRun, 2);
    EXPECT_EQ(Records()[2].m_bUddhacca, 0);
    EXPECT_EQ(m_mode.m_spanLongest, 20);
    EXPECT_EQ(m_mode.m_spanTotal, 90);
}

TEST_F(MeasuringModeTest, EscapeAndF11CutTheIntervalOffSilentlyAsUddhacca)
{
    for (WatchedKey key : {WatchedKey::Escape, WatchedKey::F11}) {
        m_mode.ToggleMeasuringMode();
        m_mode.OnLeftButtonDown();
        RunFor(10);
        TakeSounds();
        m_keys.Hold(key);
        m_mode.OnMeasureTick();
        m_keys.Release(key);
        EXPECT_FALSE(g_bMeasuringMode);
        EXPECT_FALSE(m_form.m_bTimerRunning);
        EXPECT_EQ(m_form.m_strStatus, kStatusModeOff);
        const std::vector<PlayedSound> expected = {{EndExercise, kPlayAsync}};
        EXPECT_EQ(TakeSounds(), expected);
        EXPECT_EQ(Records()[Records().GetSize() - 1].m_bUddhacca, 1);
        EXPECT_EQ(m_mode.m_spanLongest, 0);
    }
    EXPECT_EQ(Records()[0].m_nMeasurement, 1);
    EXPECT_EQ(Records()[1].m_nMeasurement, 2);
}

TEST_F(MeasuringModeTest, StatusTextGrowsOneDotPerTickUpToNine)
{
    m_mode.ToggleMeasuringMode();
    for (int tick = 0; tick < 12; ++tick) {
        m_mode.OnMeasureTick();
        const std::size_t dots = static_cast<std::size_t>(tick % 10);
        EXPECT_EQ(m_form.m_strStatus,
                  std::string(kStatusModeActive) + std::string(dots, '.') + kStatusModeHint);
    }
}

TEST_F(MeasuringModeTest, FixedTotalTimeEndsTheRunWithANormalInterval)
{
    m_form.m_bFixedTicked = true;
    m_doc.m_settings.m_timeFixedDuration = MakeDuration(0, 10, 0);
    m_mode.ToggleMeasuringMode();
    m_mode.OnLeftButtonDown();
    RunFor(6 * 60);
    m_mode.OnLeftButtonDown();
    EXPECT_EQ(m_mode.ProgressPercent(), 60);
    RunFor(120);
    m_mode.OnLeftButtonDown();
    TakeSounds();
    // Changing the setting during the run does not move the end.
    m_doc.m_settings.m_timeFixedDuration = MakeDuration(1, 0, 0);
    RunFor(4 * 60 - 1);
    EXPECT_TRUE(g_bMeasuringMode);
    m_clock.Advance(1);
    m_mode.OnMeasureTick();
    EXPECT_FALSE(g_bMeasuringMode);
    EXPECT_FALSE(m_form.m_bTimerRunning);
    ASSERT_EQ(Records().GetSize(), 2);
    EXPECT_EQ(Records()[1].Length(), 4 * 60);
    EXPECT_EQ(Records()[1].m_bUddhacca, 0);
    EXPECT_EQ(m_mode.m_spanLongest, 6 * 60);
    const std::vector<PlayedSound> expected = {{EndExercise, kPlayAsync}};
    EXPECT_EQ(TakeSounds(), expected);
    EXPECT_EQ(m_form.m_nProgress, 0);
}

TEST_F(MeasuringModeTest, FixedTotalTimeOfZeroEndsTheRunAtTheFirstTick)
{
    m_form.m_bFixedTicked = true;
    m_doc.m_settings.m_timeFixedDuration = MakeDuration(0, 0, 0);
    m_mode.ToggleMeasuringMode();
    EXPECT_EQ(m_mode.ProgressPercent(), 100);
    m_mode.OnMeasureTick();
    EXPECT_FALSE(g_bMeasuringMode);
    EXPECT_EQ(Records().GetSize(), 0);
    const std::vector<PlayedSound> expected = {{EndExercise, kPlayAsync}};
    EXPECT_EQ(TakeSounds(), expected);
    // Unticked, the same setting does not end anything.
    m_form.m_bFixedTicked = false;
    m_mode.ToggleMeasuringMode();
    RunFor(5);
    EXPECT_TRUE(g_bMeasuringMode);
}

TEST_F(MeasuringModeTest, AutomaticAlarmSoundsAtEveryStepOfEachInterval)
{
    m_form.m_bAlarmTicked = true;
    m_doc.m_settings.m_timeAlarmInterval = MakeDuration(0, 5, 0);
    m_mode.ToggleMeasuringMode();
    m_mode.OnLeftButtonDown();
    TakeSounds();
    std::vector<TimeSpan> alarmsAt;
    for (int second = 1; second <= 12 * 60; ++second) {
        RunFor(1);
        for (const PlayedSound& sound : TakeSounds()) {
            EXPECT_EQ(sound, PlayedSound(UddhaccaAlarm, kPlayAsync));
            alarmsAt.push_back(m_mode.m_spanCurrent);
        }
    }
    EXPECT_EQ(alarmsAt, (std::vector<TimeSpan>{300, 600}));
    m_mode.OnLeftButtonDown();
    m_mode.OnLeftButtonDown();
    TakeSounds();
    RunFor(299);
    EXPECT_TRUE(TakeSounds().empty());
    RunFor(1);
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{UddhaccaAlarm, kPlayAsync}}));
}

TEST_F(MeasuringModeTest, AlarmStepOfZeroSoundsAtEveryTickAlsoWhileWaiting)
{
    m_form.m_bAlarmTicked = true;
    m_doc.m_settings.m_timeAlarmInterval = MakeDuration(0, 0, 0);
    m_mode.ToggleMeasuringMode();
    RunFor(1);
    EXPECT_EQ(TakeSounds().size(), 5u);
}

TEST_F(MeasuringModeTest, TimeSoundMarksEveryFiveMinutesOfIntervalTime)
{
    m_doc.m_settings.m_bTimeSound = 1;
    m_mode.ToggleMeasuringMode();
    std::vector<TimeSpan> soundsAtTotal;
    for (int interval = 0; interval < 3; ++interval) {
        m_mode.OnLeftButtonDown();
        TakeSounds();
        for (int second = 0; second < 180; ++second) {
            RunFor(1);
            for (const PlayedSound& sound : TakeSounds()) {
                EXPECT_EQ(sound, PlayedSound(BeginIntervall, kPlayAsync));
                soundsAtTotal.push_back(m_mode.m_spanTotal);
            }
        }
        m_mode.OnLeftButtonDown();
        RunFor(30);
    }
    EXPECT_EQ(soundsAtTotal, (std::vector<TimeSpan>{300}));

    // Switched off, the mark does not move; switched on again it sounds at once.
    m_doc.m_settings.m_bTimeSound = 0;
    m_mode.OnLeftButtonDown();
    RunFor(90);
    EXPECT_EQ(m_mode.m_spanTotal, 630);
    TakeSounds();
    m_doc.m_settings.m_bTimeSound = 1;
    m_mode.OnMeasureTick();
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{BeginIntervall, kPlayAsync}}));
    m_mode.OnMeasureTick();
    EXPECT_TRUE(TakeSounds().empty());
}

TEST_F(MeasuringModeTest, F12PlaysTheAlarmSynchronouslyAtEveryTickItIsHeld)
{
    m_mode.ToggleMeasuringMode();
    m_keys.Hold(WatchedKey::F12);
    RunFor(2);
    m_keys.Release(WatchedKey::F12);
    RunFor(1);
    const std::vector<PlayedSound> sounds = TakeSounds();
    EXPECT_EQ(sounds.size(), 10u);
    for (const PlayedSound& sound : sounds)
        EXPECT_EQ(sound, PlayedSound(UddhaccaAlarm, kPlaySync));
}

TEST_F(MeasuringModeTest, WithoutATrainingTypeIntervalsAreTimedAndSoundedButNotStored)
{
    m_mode.m_pTrainingType = nullptr;
    m_mode.ToggleMeasuringMode();
    m_mode.OnLeftButtonDown();
    RunFor(10);
    m_mode.OnLeftButtonDown();
    EXPECT_EQ(m_mode.m_spanLongest, 10);
    EXPECT_EQ(TakeSounds().size(), 2u);
    EXPECT_TRUE(m_form.m_aRows.empty());
    EXPECT_EQ(Records().GetSize(), 0);
}

TEST_F(MeasuringModeTest, WithoutItsTimerTheModeIsNotEntered)
{
    m_form.m_bTimerCanStart = false;
    m_mode.ToggleMeasuringMode();
    EXPECT_FALSE(g_bMeasuringMode);
    EXPECT_EQ(m_form.m_panel, PanelSettings);
    EXPECT_FALSE(m_form.m_bConfined);
    EXPECT_TRUE(m_form.m_bSettingsEnabled);
    EXPECT_EQ(m_form.m_strStatus, kStatusModeOff);
    m_mode.OnLeftButtonDown();
    EXPECT_FALSE(m_mode.m_bIntervalRunning);
}

} // namespace
