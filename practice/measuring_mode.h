#pragma once

#include "records/calendar_time.h"
#include "records/document_settings.h"
#include "records/interval_record.h"
#include "sound/play_mode.h"

#include <cstdint>
#include <string>

class TrainingDocument;
class Clock;
class KeyState;
class TrainingType;

// The banner's three looks.
enum class BannerLook { Settings, Waiting, Recording };

// Status bar texts of the measuring mode.
inline constexpr const char* kStatusModeOff = "Meditation interval measurement mode off.";
inline constexpr const char* kStatusModeActive = "Meditation interval measurement active.";
inline constexpr const char* kStatusModeHint =
    "(Interval start and end can now be controlled with the mouse, ESC ends the measuring mode).";

// What the measuring mode does to the form around it. The main view
// implements it; the mode itself needs no window.
class MeasuringForm {
public:
    virtual ~MeasuringForm() = default;

    virtual void setProgressPos(int percent) = 0;
    virtual void closeDiagrams() = 0;
    virtual void setStatusPanel(BannerLook state) = 0;
    // Ticks "Show only the last measured ..." (the list then follows the run).
    virtual void tickShowLastMeasurement() = 0;
    virtual void fillIntervalList() = 0;
    virtual void addIntervalRow(const IntervalRecord& entry) = 0;
    // Starts the 200 ms measuring timer; its id, or 0 when it cannot run.
    virtual unsigned startMeasureTimer() = 0;
    virtual void stopMeasureTimer() = 0;
    virtual void setStatusText(const std::string& text) = 0;
    virtual void confinePointer(bool on) = 0;
    virtual void releaseMouseCapture() = 0;
    virtual void setSettingsEditable(bool enable) = 0;
    virtual void updateTimeDisplays() = 0;
    virtual void setClockRunning(bool running) = 0;
    virtual void playSoundEvent(SoundEvent event, PlayMode mode) = 0;
    virtual bool isFixedTotalTimeTicked() const = 0;
    virtual bool isAutoAlarmTicked() const = 0;
    // The mode went on or off; called once per change, after the switch.
    virtual void measuringActiveChanged(bool active) = 0;
};

// The measuring mode: one run from switching on to switching off, its
// intervals, their timing from clock readings, the alarms and the sounds.
class MeasuringMode {
public:
    MeasuringMode(TrainingDocument& document, MeasuringForm& form, const Clock& clock, KeyState& keys);
    virtual ~MeasuringMode() = default;

    bool isActive() const { return m_active; }
    void toggleMeasuringMode();
    void onLeftButtonDown();
    void onRightButtonDown();
    void onMeasureTick();
    // Leaves the mode as ESC does: a running interval is cut off, the end sound plays.
    void endExercise();

    void startInterval();
    void endInterval(bool withSound);
    void advanceRunningSpans();

    void playF12Alarm();
    // True when the fixed total exercise time was reached and ended the run.
    bool checkFixedTotalTime();
    void checkUddhaccaAlarm();
    void checkTimeSound();

    // "Meditation interval measurement active." with 0 to 9 dots and the hint.
    std::string measuringStatusText() const;
    // Share of the fixed total exercise time that has passed, 0 to 100.
    int progressPercent() const;

    bool m_intervalRunning = false;
    bool m_intervalUddhacca = false;
    bool m_firstInterval = false;
    std::int32_t m_curMeasurement = 0;
    std::int32_t m_curRun = 0;
    CalendarTime m_timeIntervalStart = 0;
    CalendarTime m_timeIntervalEnd = 0;
    CalendarTime m_timeLastTick = 0;
    TimeSpan m_spanCurrent = 0;
    TimeSpan m_spanTotal = 0;
    TimeSpan m_spanLongest = 0;
    TimeSpan m_spanFixedTotal = 0;
    TimeSpan m_spanAlarmStep = 0;
    TimeSpan m_spanNextAlarm = 0;
    TimeSpan m_spanNextTimeSound = 0;
    TimeSpan m_spanTimeSoundStep = 0;
    std::int32_t m_tickCount = 0;
    unsigned m_timerId = 0;
    // Where ended intervals are stored; none: they are timed and sounded only.
    const TrainingType* m_trainingType = nullptr;

private:
    void switchMeasuringModeOn();
    void switchMeasuringModeOff();
    void stopTimer();

    bool m_active = false;
    TrainingDocument& m_document;
    MeasuringForm& m_form;
    const Clock& m_clock;
    KeyState& m_keys;
};
