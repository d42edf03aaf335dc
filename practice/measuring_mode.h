#pragma once

#include "records/calendar_time.h"
#include "records/interval_record.h"
#include "sound/play_mode.h"

#include <cstdint>
#include <string>

class Clock;
class EditTarget;
class KeyState;
class TrainingDocument;
enum class SoundEvent;

// Status bar texts of the measuring mode.
inline constexpr const char* kStatusModeOff = "Meditation interval measurement mode off.";
inline constexpr const char* kStatusModeActive = "Meditation interval measurement active.";
inline constexpr const char* kStatusModeHint =
    "(Interval start and end can now be controlled with the mouse, ESC ends the measuring mode).";
// Measurement numbers are 16 bits wide: after 65535 no sitting can be stored.
inline constexpr const char* kNoMeasurementNumberLeft =
    "Error: The measurement number 65536 is higher than 65535, the highest measurement number. The measuring mode "
    "was not switched on.";

// Off outside the measuring mode; inside it Waiting for the next interval or
// Recording one.
enum class MeasuringPhase { Off, Waiting, Recording };

// The times of a run, as the form shows them.
struct MeasuringTimes {
    TimeSpan current = 0; // the running interval, or the last one until the next starts
    TimeSpan total = 0;   // all intervals of the run, the running one included
    TimeSpan longest = 0; // the longest interval of the run not ended by uddhacca
};

// The numbers the run's intervals are stored under.
struct MeasuringNumbers {
    std::int32_t measurement = 0; // taken when the run's first interval starts
    std::int32_t run = 0;         // of the running or last interval
};

// What the measuring mode tells the form around it. The main view
// implements it; the mode itself needs no window.
class MeasuringForm {
public:
    virtual ~MeasuringForm() = default;

    // The mode's phase() changed from `previous`.
    virtual void phaseChanged(MeasuringPhase previous) = 0;
    // The times or the progress changed.
    virtual void timesChanged() = 0;
    // The status text may have changed.
    virtual void statusChanged() = 0;
    virtual void playSound(SoundEvent event, PlayMode mode) = 0;
    // The sound played last has not ended yet.
    virtual bool isSoundPlaying() const = 0;
    // The 200 ms timer that drives tick; false when it cannot run.
    virtual bool startTimer() = 0;
    virtual void stopTimer() = 0;
    // The mode cannot be switched on; the message says why.
    virtual void refuseToStart(const std::string& message) = 0;
};

// The measuring mode: one run from switching on to switching off, its
// intervals, their timing from clock readings, the alarms and the sounds.
// Ended intervals go to the document's current training type as steps of the
// undo history; without a current type they are timed and sounded only.
class MeasuringMode {
public:
    MeasuringMode(TrainingDocument& document, EditTarget& edits, MeasuringForm& form, const Clock& clock,
                  KeyState& keys);

    MeasuringPhase phase() const { return m_phase; }
    bool isActive() const { return m_phase != MeasuringPhase::Off; }
    const MeasuringTimes& times() const { return m_times; }
    const MeasuringNumbers& numbers() const { return m_numbers; }
    // "Meditation interval measurement active." with 0 to 9 dots and the hint, or the text of the mode off.
    std::string statusText() const;
    // Share of the fixed total exercise time that has passed, 0 to 100.
    int progressPercent() const;

    void toggleMeasuringMode();
    // The left mouse button or its key: starts an interval, or ends the running one.
    void startOrEndInterval();
    // The right mouse button or its key: ends the running interval as uddhacca.
    void endIntervalAsUddhacca();
    // Every 200 ms while measuring: the keys, the times, the alarms and the end of the exercise.
    void tick();
    // Leaves the mode as ESC does: a running interval is cut off, the end sound plays.
    void endExercise();

private:
    void switchOn();
    void switchOff();
    void setPhase(MeasuringPhase phase);
    void startInterval();
    void endInterval(bool withSound);
    // While recording: the time since the last reading counts for the interval and the run.
    void advanceRunningSpans();
    // The running interval as it is stored if it ends now.
    IntervalRecord runningInterval() const;
    // Hands the running interval, cut off now, to the journal against a crash.
    void keepRunningInterval();
    // Every sound of the mode replaces the one before.
    void playSound(SoundEvent event);
    void playF12Alarm();
    // True when the fixed total exercise time was reached and ended the run.
    bool checkFixedTotalTime();
    void checkUddhaccaAlarm();
    void checkTimeSound();

    TrainingDocument& m_document;
    EditTarget& m_edits;
    MeasuringForm& m_form;
    const Clock& m_clock;
    KeyState& m_keys;

    MeasuringPhase m_phase = MeasuringPhase::Off;
    MeasuringTimes m_times;
    MeasuringNumbers m_numbers;
    bool m_intervalUddhacca = false;
    bool m_firstInterval = false;
    bool m_timerRunning = false;
    bool m_f12AlarmSounding = false;
    CalendarTime m_timeIntervalStart = 0;
    std::int64_t m_lastTick = 0; // on the steady clock
    TimeSpan m_spanFixedTotal = 0;
    TimeSpan m_spanAlarmStep = 0;
    TimeSpan m_spanNextAlarm = 0;
    TimeSpan m_spanNextTimeSound = 0;
    std::int32_t m_tickCount = 0;
};
