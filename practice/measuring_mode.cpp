#include "measuring_mode.h"

#include "clock.h"
#include "document.h"
#include "key_state.h"
#include "measuring_mode_flag.h"

#include <algorithm>

namespace {

constexpr TimeSpan kTimeSoundStep = 300;

} // namespace

CMeasuringMode::CMeasuringMode(CVersenkwerkDoc& document, IMeasuringForm& form, const IClock& clock,
                               const IKeyState& keys)
    : m_document(document), m_form(form), m_clock(clock), m_keys(keys)
{
}

void CMeasuringMode::ToggleMeasuringMode()
{
    g_bMeasuringMode = !g_bMeasuringMode;
    if (g_bMeasuringMode)
        SwitchMeasuringModeOn();
    else
        SwitchMeasuringModeOff();
}

void CMeasuringMode::SwitchMeasuringModeOn()
{
    m_form.SetProgressPos(0);
    m_form.CloseDiagrams();
    m_form.SetStatusPanel(PanelWaiting);
    m_form.TickShowLastMeasurement();
    m_form.FillIntervalList();

    // The run works on copies: later changes of the settings wait for the next run.
    const DocSettings& settings = m_document.m_settings;
    m_spanFixedTotal = DurationSeconds(settings.m_timeFixedDuration);
    m_spanAlarmStep = DurationSeconds(settings.m_timeAlarmInterval);
    m_spanNextAlarm = m_spanAlarmStep;
    m_spanNextTimeSound = kTimeSoundStep;
    m_spanTimeSoundStep = kTimeSoundStep;
    m_nTickCount = 0;

    m_nTimerId = m_form.StartMeasureTimer();
    if (m_nTimerId == 0) {
        // Without its timer the mode could neither see ESC nor end by itself:
        // it is not entered at all.
        g_bMeasuringMode = false;
        m_form.SetStatusPanel(PanelSettings);
        m_form.SetStatusText(kStatusModeOff);
        m_form.FillIntervalList();
        return;
    }
    m_bFirstInterval = true;
    m_form.SetStatusText(MeasuringStatusText());
    m_form.ConfinePointer(true);
    m_form.LockSettingsControls(false);
    m_spanLongest = 0;
    m_spanCurrent = 0;
    m_spanTotal = 0;
    m_form.UpdateTimeDisplays();
}

void CMeasuringMode::SwitchMeasuringModeOff()
{
    m_form.SetProgressPos(0);
    StopTimer();
    if (m_bIntervalRunning) {
        // An interval cut off by leaving the mode counts as uddhacca, silently.
        m_bIntervalUddhacca = true;
        EndInterval(false);
    }
    m_form.ReleaseMouseCapture();
    m_form.ConfinePointer(false);
    m_form.LockSettingsControls(true);
    m_form.SetStatusPanel(PanelSettings);
    m_form.SetStatusText(kStatusModeOff);
    m_form.FillIntervalList();
}

void CMeasuringMode::StopTimer()
{
    if (m_nTimerId != 0) {
        m_form.StopMeasureTimer();
        m_nTimerId = 0;
    }
}

void CMeasuringMode::OnLeftButtonDown()
{
    if (!g_bMeasuringMode)
        return;
    if (m_bIntervalRunning) {
        m_form.SetStatusPanel(PanelWaiting);
        EndInterval(true);
    } else {
        m_form.SetStatusPanel(PanelRecording);
        StartInterval();
    }
}

void CMeasuringMode::OnRightButtonDown()
{
    if (!g_bMeasuringMode || !m_bIntervalRunning)
        return;
    m_bIntervalUddhacca = true;
    m_form.SetStatusPanel(PanelWaiting);
    EndInterval(true);
}

void CMeasuringMode::StartInterval()
{
    m_document.SetModifiedFlag();
    m_bIntervalRunning = true;
    m_bIntervalUddhacca = false;
    const CalendarTime now = m_clock.Now();
    m_timeIntervalStart = now;
    if (m_bFirstInterval) {
        // The run takes its measurement number with its first interval.
        m_spanTotal = 0;
        m_bFirstInterval = false;
        m_nCurRun = 1;
        m_nCurMeasurement = m_document.GetMaxMeasurementNumber() + 1;
    } else {
        ++m_nCurRun;
    }
    m_form.SetClockRunning(true);
    m_spanCurrent = 0;
    m_spanNextAlarm = m_spanAlarmStep;
    m_timeLastTick = now;
    m_form.UpdateTimeDisplays();
    m_form.PlaySoundEvent(BeginIntervall, kPlayAsync);
}

void CMeasuringMode::EndInterval(bool withSound)
{
    if (!m_bIntervalRunning)
        return;
    m_document.SetModifiedFlag();
    m_bIntervalRunning = false;
    const CalendarTime now = m_clock.Now();
    m_timeIntervalEnd = now;
    m_spanCurrent += now - m_timeLastTick;
    m_spanTotal += now - m_timeLastTick;
    if (!m_bIntervalUddhacca) {
        if (m_spanCurrent > m_spanLongest)
            m_spanLongest = m_spanCurrent;
        if (withSound)
            m_form.PlaySoundEvent(EndIntervall, kPlayAsync);
    } else if (withSound) {
        m_form.PlaySoundEvent(EndIntervallUddhacca, kPlayAsync);
    }
    m_form.UpdateTimeDisplays();
    m_form.SetClockRunning(false);
    if (m_pTrainingType) {
        CDataEntry entry;
        entry.m_timeStart = m_timeIntervalStart;
        entry.m_timeEnd = m_timeIntervalEnd;
        entry.m_bUddhacca = m_bIntervalUddhacca ? 1 : 0;
        entry.m_nMeasurement = static_cast<std::uint16_t>(m_nCurMeasurement);
        entry.m_nRun = static_cast<std::uint16_t>(m_nCurRun);
        m_pTrainingType->m_aEntries.Add(entry);
        m_form.AddIntervalRow(entry);
    }
}

void CMeasuringMode::AdvanceRunningSpans()
{
    if (!m_bIntervalRunning)
        return;
    const CalendarTime now = m_clock.Now();
    m_spanCurrent += now - m_timeLastTick;
    m_spanTotal += now - m_timeLastTick;
    m_timeLastTick = now;
    m_form.UpdateTimeDisplays();
}

void CMeasuringMode::OnMeasureTick()
{
    if (m_keys.IsKeyHeld(WatchedKey::F11) || m_keys.IsKeyHeld(WatchedKey::Escape)) {
        ToggleMeasuringMode();
        m_form.PlaySoundEvent(EndExercise, kPlayAsync);
        return;
    }
    PlayF12Alarm();
    m_form.SetStatusText(MeasuringStatusText());
    AdvanceRunningSpans();
    if (CheckFixedTotalTime())
        return;
    CheckUddhaccaAlarm();
    CheckTimeSound();
    ++m_nTickCount;
}

void CMeasuringMode::PlayF12Alarm()
{
    // Synchronous: held down, F12 repeats the alarm at every tick after it ended.
    if (m_keys.IsKeyHeld(WatchedKey::F12))
        m_form.PlaySoundEvent(UddhaccaAlarm, kPlaySync);
}

bool CMeasuringMode::CheckFixedTotalTime()
{
    if (!m_form.IsFixedTotalTimeTicked() || m_spanTotal < m_spanFixedTotal)
        return false;
    StopTimer();
    // The interval that completes the exercise is a normal one.
    EndInterval(false);
    m_form.PlaySoundEvent(EndExercise, kPlayAsync);
    ToggleMeasuringMode();
    return true;
}

void CMeasuringMode::CheckUddhaccaAlarm()
{
    if (!m_form.IsAutoAlarmTicked() || m_spanCurrent < m_spanNextAlarm)
        return;
    m_spanNextAlarm += m_spanAlarmStep;
    m_form.PlaySoundEvent(UddhaccaAlarm, kPlayAsync);
}

void CMeasuringMode::CheckTimeSound()
{
    if (m_document.m_settings.m_bTimeSound == 0 || m_spanTotal < m_spanNextTimeSound)
        return;
    m_spanNextTimeSound += m_spanTimeSoundStep;
    m_form.PlaySoundEvent(BeginIntervall, kPlayAsync);
}

std::string CMeasuringMode::MeasuringStatusText() const
{
    const int dots = ((m_nTickCount % 10) + 10) % 10;
    return std::string(kStatusModeActive) + std::string(static_cast<std::size_t>(dots), '.') + kStatusModeHint;
}

int CMeasuringMode::ProgressPercent() const
{
    // A fixed time of zero is reached from the start.
    if (m_spanFixedTotal <= 0)
        return 100;
    const double share = static_cast<double>(m_spanTotal) * 100.0 / static_cast<double>(m_spanFixedTotal) + 0.5;
    return static_cast<int>(std::clamp(share, 0.0, 100.0));
}
