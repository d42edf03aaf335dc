#include "practice/measuring_mode.h"

#include "practice/clock.h"
#include "practice/key_state.h"
#include "records/edit_target.h"
#include "records/training_document.h"

#include <algorithm>
#include <utility>

namespace {

constexpr TimeSpan kTimeSoundStep = 300;

} // namespace

MeasuringMode::MeasuringMode(TrainingDocument& document, EditTarget& edits, MeasuringForm& form, const Clock& clock,
                             KeyState& keys)
    : m_document(document), m_edits(edits), m_form(form), m_clock(clock), m_keys(keys)
{
}

void MeasuringMode::toggleMeasuringMode()
{
    if (isActive())
        switchOff();
    else
        switchOn();
}

void MeasuringMode::setPhase(MeasuringPhase phase)
{
    const MeasuringPhase previous = std::exchange(m_phase, phase);
    if (previous != phase)
        m_form.phaseChanged(previous);
}

void MeasuringMode::switchOn()
{
    if (m_document.currentTypeIndex() >= 0 && m_document.maxMeasurementNumber() == 0xFFFF) {
        m_form.refuseToStart(kNoMeasurementNumberLeft);
        return;
    }
    // Without its timer the mode could neither see ESC nor end by itself:
    // it is not entered at all.
    m_timerRunning = m_form.startTimer();
    if (!m_timerRunning)
        return;
    // The run works on copies: later changes of the settings wait for the next run.
    const DocumentSettings& settings = m_document.settings();
    m_spanFixedTotal = durationSeconds(settings.m_timeFixedDuration);
    m_spanAlarmStep = durationSeconds(settings.m_timeAlarmInterval);
    m_spanNextAlarm = m_spanAlarmStep;
    m_spanNextTimeSound = kTimeSoundStep;
    m_tickCount = 0;
    m_firstInterval = true;
    m_times = {};
    // Keys pressed before the run (the F11 that started it among them) do not end it.
    m_keys.forgetPresses();
    setPhase(MeasuringPhase::Waiting);
    m_form.timesChanged();
    m_form.statusChanged();
}

void MeasuringMode::switchOff()
{
    if (m_timerRunning) {
        m_form.stopTimer();
        m_timerRunning = false;
    }
    if (m_phase == MeasuringPhase::Recording) {
        // An interval cut off by leaving the mode counts as uddhacca, silently.
        m_intervalUddhacca = true;
        endInterval(false);
    }
    setPhase(MeasuringPhase::Off);
    m_form.statusChanged();
}

void MeasuringMode::startOrEndInterval()
{
    if (m_phase == MeasuringPhase::Recording)
        endInterval(true);
    else if (m_phase == MeasuringPhase::Waiting)
        startInterval();
}

void MeasuringMode::endIntervalAsUddhacca()
{
    if (m_phase != MeasuringPhase::Recording)
        return;
    m_intervalUddhacca = true;
    endInterval(true);
}

void MeasuringMode::startInterval()
{
    m_document.markModified();
    m_intervalUddhacca = false;
    m_timeIntervalStart = m_clock.now();
    if (m_firstInterval) {
        // The run takes its measurement number with its first interval.
        m_times.total = 0;
        m_firstInterval = false;
        m_numbers = {m_document.maxMeasurementNumber() + 1, 1};
    } else {
        ++m_numbers.run;
    }
    m_times.current = 0;
    m_spanNextAlarm = m_spanAlarmStep;
    m_lastTick = m_clock.steadySeconds();
    setPhase(MeasuringPhase::Recording);
    m_form.timesChanged();
    keepRunningInterval();
    playSound(SoundEvent::BeginInterval);
}

void MeasuringMode::endInterval(bool withSound)
{
    if (m_phase != MeasuringPhase::Recording)
        return;
    m_document.markModified();
    advanceRunningSpans();
    if (!m_intervalUddhacca) {
        m_times.longest = std::max(m_times.longest, m_times.current);
        if (withSound)
            playSound(SoundEvent::EndInterval);
    } else if (withSound) {
        playSound(SoundEvent::EndIntervalUddhacca);
    }
    setPhase(MeasuringPhase::Waiting);
    m_form.timesChanged();
    const int type = m_document.currentTypeIndex();
    if (type < 0)
        return;
    m_edits.applyStep(AppendInterval{type, runningInterval()}, "record interval");
}

IntervalRecord MeasuringMode::runningInterval() const
{
    // The end is the start and what the steady clock measured, whatever the wall clock did meanwhile.
    IntervalRecord entry;
    entry.m_timeStart = m_timeIntervalStart;
    entry.m_timeEnd = m_timeIntervalStart + m_times.current;
    entry.m_uddhacca = m_intervalUddhacca ? 1 : 0;
    entry.m_measurement = static_cast<std::uint16_t>(m_numbers.measurement);
    entry.m_run = static_cast<std::uint16_t>(m_numbers.run);
    return entry;
}

void MeasuringMode::keepRunningInterval()
{
    const int type = m_document.currentTypeIndex();
    if (type < 0)
        return;
    // Cut off by a crash, it counts as uddhacca, as when the mode is left.
    IntervalRecord cutOff = runningInterval();
    cutOff.m_uddhacca = 1;
    m_document.keepRunningInterval({type, cutOff});
}

void MeasuringMode::advanceRunningSpans()
{
    const std::int64_t now = m_clock.steadySeconds();
    m_times.current += now - m_lastTick;
    m_times.total += now - m_lastTick;
    m_lastTick = now;
}

void MeasuringMode::tick()
{
    // Both keys are taken, so a tap of the other one does not outlive this run.
    const bool f11 = m_keys.takeKeyDown(WatchedKey::F11);
    const bool escape = m_keys.takeKeyDown(WatchedKey::Escape);
    if (f11 || escape) {
        endExercise();
        return;
    }
    playF12Alarm();
    // Between intervals the times stand still: only the status text moves on.
    if (m_phase == MeasuringPhase::Recording) {
        advanceRunningSpans();
        m_form.timesChanged();
        keepRunningInterval();
    }
    m_form.statusChanged();
    if (checkFixedTotalTime())
        return;
    checkUddhaccaAlarm();
    checkTimeSound();
    ++m_tickCount;
}

void MeasuringMode::endExercise()
{
    if (!isActive())
        return;
    switchOff();
    playSound(SoundEvent::EndExercise);
}

void MeasuringMode::playSound(SoundEvent event)
{
    m_f12AlarmSounding = false;
    m_form.playSound(event, PlayMode::Async);
}

void MeasuringMode::playF12Alarm()
{
    // Held down, F12 sounds the alarm again at the first tick after it ended; a
    // tap sounds it once. It never holds up the window: presses meanwhile count
    // at once, and the key is judged by what the keyboard did up to now.
    const bool down = m_keys.takeKeyDown(WatchedKey::F12);
    m_f12AlarmSounding = m_f12AlarmSounding && m_form.isSoundPlaying();
    if (down && !m_f12AlarmSounding) {
        playSound(SoundEvent::UddhaccaAlarm);
        m_f12AlarmSounding = true;
    }
}

bool MeasuringMode::checkFixedTotalTime()
{
    if (m_document.settings().m_fixedExerciseTime == 0 || m_times.total < m_spanFixedTotal)
        return false;
    // The interval that completes the exercise is a normal one.
    endInterval(false);
    playSound(SoundEvent::EndExercise);
    switchOff();
    return true;
}

void MeasuringMode::checkUddhaccaAlarm()
{
    if (m_document.settings().m_autoUddhaccaAlarm == 0 || m_times.current < m_spanNextAlarm)
        return;
    m_spanNextAlarm += m_spanAlarmStep;
    playSound(SoundEvent::UddhaccaAlarm);
}

void MeasuringMode::checkTimeSound()
{
    if (m_document.settings().m_timeSound == 0 || m_times.total < m_spanNextTimeSound)
        return;
    m_spanNextTimeSound += kTimeSoundStep;
    playSound(SoundEvent::BeginInterval);
}

std::string MeasuringMode::statusText() const
{
    if (!isActive())
        return kStatusModeOff;
    const int dots = ((m_tickCount % 10) + 10) % 10;
    return std::string(kStatusModeActive) + std::string(static_cast<std::size_t>(dots), '.') + kStatusModeHint;
}

int MeasuringMode::progressPercent() const
{
    // A fixed time of zero is reached from the start.
    if (m_spanFixedTotal <= 0)
        return 100;
    const double share = static_cast<double>(m_times.total) * 100.0 / static_cast<double>(m_spanFixedTotal) + 0.5;
    return static_cast<int>(std::clamp(share, 0.0, 100.0));
}
