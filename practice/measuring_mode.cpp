#include "practice/measuring_mode.h"

#include "practice/clock.h"
#include "practice/key_state.h"
#include "records/training_document.h"

#include <algorithm>

namespace {

constexpr TimeSpan kTimeSoundStep = 300;

} // namespace

MeasuringMode::MeasuringMode(TrainingDocument& document, MeasuringForm& form, const Clock& clock, KeyState& keys)
    : m_document(document), m_form(form), m_clock(clock), m_keys(keys)
{
}

void MeasuringMode::toggleMeasuringMode()
{
    const bool wasActive = m_active;
    m_active = !m_active;
    if (m_active)
        switchMeasuringModeOn();
    else
        switchMeasuringModeOff();
    // A start that failed changed nothing for the others.
    if (m_active != wasActive)
        m_form.measuringActiveChanged(m_active);
}

void MeasuringMode::switchMeasuringModeOn()
{
    m_form.setProgressPos(0);
    m_form.closeDiagrams();
    m_form.setStatusPanel(BannerLook::Waiting);
    m_form.tickShowLastMeasurement();
    m_form.fillIntervalList();

    // The run works on copies: later changes of the settings wait for the next run.
    const DocumentSettings& settings = m_document.settings();
    m_spanFixedTotal = durationSeconds(settings.m_timeFixedDuration);
    m_spanAlarmStep = durationSeconds(settings.m_timeAlarmInterval);
    m_spanNextAlarm = m_spanAlarmStep;
    m_spanNextTimeSound = kTimeSoundStep;
    m_spanTimeSoundStep = kTimeSoundStep;
    m_tickCount = 0;

    m_timerId = m_form.startMeasureTimer();
    if (m_timerId == 0) {
        // Without its timer the mode could neither see ESC nor end by itself:
        // it is not entered at all.
        m_active = false;
        m_form.setStatusPanel(BannerLook::Settings);
        m_form.setStatusText(kStatusModeOff);
        m_form.fillIntervalList();
        return;
    }
    m_firstInterval = true;
    // Keys pressed before the run (the F11 that started it among them) do not end it.
    m_keys.forgetPresses();
    m_form.setStatusText(measuringStatusText());
    m_form.confinePointer(true);
    m_form.setSettingsEditable(false);
    m_spanLongest = 0;
    m_spanCurrent = 0;
    m_spanTotal = 0;
    m_form.updateTimeDisplays();
}

void MeasuringMode::switchMeasuringModeOff()
{
    m_form.setProgressPos(0);
    stopTimer();
    if (m_intervalRunning) {
        // An interval cut off by leaving the mode counts as uddhacca, silently.
        m_intervalUddhacca = true;
        endInterval(false);
    }
    m_form.releaseMouseCapture();
    m_form.confinePointer(false);
    m_form.setSettingsEditable(true);
    m_form.setStatusPanel(BannerLook::Settings);
    m_form.setStatusText(kStatusModeOff);
    m_form.fillIntervalList();
}

void MeasuringMode::stopTimer()
{
    if (m_timerId != 0) {
        m_form.stopMeasureTimer();
        m_timerId = 0;
    }
}

void MeasuringMode::onLeftButtonDown()
{
    if (!m_active)
        return;
    if (m_intervalRunning) {
        m_form.setStatusPanel(BannerLook::Waiting);
        endInterval(true);
    } else {
        m_form.setStatusPanel(BannerLook::Recording);
        startInterval();
    }
}

void MeasuringMode::onRightButtonDown()
{
    if (!m_active || !m_intervalRunning)
        return;
    m_intervalUddhacca = true;
    m_form.setStatusPanel(BannerLook::Waiting);
    endInterval(true);
}

void MeasuringMode::startInterval()
{
    m_document.markEdited();
    m_intervalRunning = true;
    m_intervalUddhacca = false;
    const CalendarTime now = m_clock.now();
    m_timeIntervalStart = now;
    if (m_firstInterval) {
        // The run takes its measurement number with its first interval.
        m_spanTotal = 0;
        m_firstInterval = false;
        m_curRun = 1;
        m_curMeasurement = m_document.maxMeasurementNumber() + 1;
    } else {
        ++m_curRun;
    }
    m_form.setClockRunning(true);
    m_spanCurrent = 0;
    m_spanNextAlarm = m_spanAlarmStep;
    m_timeLastTick = now;
    m_form.updateTimeDisplays();
    m_form.playSoundEvent(SoundEvent::BeginInterval, PlayMode::Async);
}

void MeasuringMode::endInterval(bool withSound)
{
    if (!m_intervalRunning)
        return;
    m_document.markEdited();
    m_intervalRunning = false;
    const CalendarTime now = m_clock.now();
    m_timeIntervalEnd = now;
    m_spanCurrent += now - m_timeLastTick;
    m_spanTotal += now - m_timeLastTick;
    if (!m_intervalUddhacca) {
        if (m_spanCurrent > m_spanLongest)
            m_spanLongest = m_spanCurrent;
        if (withSound)
            m_form.playSoundEvent(SoundEvent::EndInterval, PlayMode::Async);
    } else if (withSound) {
        m_form.playSoundEvent(SoundEvent::EndIntervalUddhacca, PlayMode::Async);
    }
    m_form.updateTimeDisplays();
    m_form.setClockRunning(false);
    if (m_trainingType) {
        IntervalRecord entry;
        entry.m_timeStart = m_timeIntervalStart;
        entry.m_timeEnd = m_timeIntervalEnd;
        entry.m_uddhacca = m_intervalUddhacca ? 1 : 0;
        entry.m_measurement = static_cast<std::uint16_t>(m_curMeasurement);
        entry.m_run = static_cast<std::uint16_t>(m_curRun);
        m_document.appendInterval(*m_trainingType, entry);
        m_form.addIntervalRow(entry);
    }
}

void MeasuringMode::advanceRunningSpans()
{
    if (!m_intervalRunning)
        return;
    const CalendarTime now = m_clock.now();
    m_spanCurrent += now - m_timeLastTick;
    m_spanTotal += now - m_timeLastTick;
    m_timeLastTick = now;
    m_form.updateTimeDisplays();
}

void MeasuringMode::onMeasureTick()
{
    // Both keys are taken, so a tap of the other one does not outlive this run.
    const bool f11 = m_keys.takeKeyDown(WatchedKey::F11);
    const bool escape = m_keys.takeKeyDown(WatchedKey::Escape);
    if (f11 || escape) {
        endExercise();
        return;
    }
    playF12Alarm();
    m_form.setStatusText(measuringStatusText());
    advanceRunningSpans();
    if (checkFixedTotalTime())
        return;
    checkUddhaccaAlarm();
    checkTimeSound();
    ++m_tickCount;
}

void MeasuringMode::endExercise()
{
    if (!m_active)
        return;
    toggleMeasuringMode();
    m_form.playSoundEvent(SoundEvent::EndExercise, PlayMode::Async);
}

void MeasuringMode::playF12Alarm()
{
    // Synchronous: held down, F12 repeats the alarm at every tick after it ended.
    if (m_keys.takeKeyDown(WatchedKey::F12))
        m_form.playSoundEvent(SoundEvent::UddhaccaAlarm, PlayMode::Sync);
}

bool MeasuringMode::checkFixedTotalTime()
{
    if (!m_form.isFixedTotalTimeTicked() || m_spanTotal < m_spanFixedTotal)
        return false;
    stopTimer();
    // The interval that completes the exercise is a normal one.
    endInterval(false);
    m_form.playSoundEvent(SoundEvent::EndExercise, PlayMode::Async);
    toggleMeasuringMode();
    return true;
}

void MeasuringMode::checkUddhaccaAlarm()
{
    if (!m_form.isAutoAlarmTicked() || m_spanCurrent < m_spanNextAlarm)
        return;
    m_spanNextAlarm += m_spanAlarmStep;
    m_form.playSoundEvent(SoundEvent::UddhaccaAlarm, PlayMode::Async);
}

void MeasuringMode::checkTimeSound()
{
    if (m_document.settings().m_timeSound == 0 || m_spanTotal < m_spanNextTimeSound)
        return;
    m_spanNextTimeSound += m_spanTimeSoundStep;
    m_form.playSoundEvent(SoundEvent::BeginInterval, PlayMode::Async);
}

std::string MeasuringMode::measuringStatusText() const
{
    const int dots = ((m_tickCount % 10) + 10) % 10;
    return std::string(kStatusModeActive) + std::string(static_cast<std::size_t>(dots), '.') + kStatusModeHint;
}

int MeasuringMode::progressPercent() const
{
    // A fixed time of zero is reached from the start.
    if (m_spanFixedTotal <= 0)
        return 100;
    const double share = static_cast<double>(m_spanTotal) * 100.0 / static_cast<double>(m_spanFixedTotal) + 0.5;
    return static_cast<int>(std::clamp(share, 0.0, 100.0));
}
