#pragma once

#include "calendar_time.h"
#include "data_entry.h"
#include "doc_settings.h"

#include <cstdint>
#include <string>

class CVersenkwerkDoc;
class IClock;
class IKeyState;
class TrainingType;

// The banner's three looks.
enum StatusPanelState { PanelSettings = 1, PanelWaiting = 2, PanelRecording = 3 };

// Status bar texts of the measuring mode.
inline constexpr const char* kStatusModeOff = "Meditation interval measurement mode off.";
inline constexpr const char* kStatusModeActive = "Meditation interval measurement active.";
inline constexpr const char* kStatusModeHint =
    "(Interval start and end can now be controlled with the mouse, ESC ends the measuring mode).";

// Sound modes as the sound store takes them.
inline constexpr int kPlaySync = 0x0000;
inline constexpr int kPlayAsync = 0x0001;

// What the measuring mode does to the form around it. The main view
// implements it; the mode itself needs no window.
class IMeasuringForm {
public:
    virtual ~IMeasuringForm() = default;

    virtual void SetProgressPos(int percent) = 0;
    virtual void CloseDiagrams() = 0;
    virtual void SetStatusPanel(StatusPanelState state) = 0;
    // Ticks "Show only the last measured ..." (the list then follows the run).
    virtual void TickShowLastMeasurement() = 0;
    virtual void FillIntervalList() = 0;
    virtual void AddIntervalRow(const CDataEntry& entry) = 0;
    // Starts the 200 ms measuring timer; its id, or 0 when it cannot run.
    virtual unsigned StartMeasureTimer() = 0;
    virtual void StopMeasureTimer() = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void ConfinePointer(bool on) = 0;
    virtual void ReleaseMouseCapture() = 0;
    virtual void LockSettingsControls(bool enable) = 0;
    virtual void UpdateTimeDisplays() = 0;
    virtual void SetClockRunning(bool running) = 0;
    virtual void PlaySoundEvent(SoundEvent event, int mode) = 0;
    virtual bool IsFixedTotalTimeTicked() const = 0;
    virtual bool IsAutoAlarmTicked() const = 0;
};

// The measuring mode: one run from switching on to switching off, its
// intervals, their timing from clock readings, the alarms and the sounds.
class CMeasuringMode {
public:
    CMeasuringMode(CVersenkwerkDoc& document, IMeasuringForm& form, const IClock& clock, const IKeyState& keys);
    virtual ~CMeasuringMode() = default;

    void ToggleMeasuringMode();
    void OnLeftButtonDown();
    void OnRightButtonDown();
    void OnMeasureTick();

    void StartInterval();
    void EndInterval(bool withSound);
    void AdvanceRunningSpans();

    void PlayF12Alarm();
    // True when the fixed total exercise time was reached and ended the run.
    bool CheckFixedTotalTime();
    void CheckUddhaccaAlarm();
    void CheckTimeSound();

    // "Meditation interval measurement active." with 0 to 9 dots and the hint.
    std::string MeasuringStatusText() const;
    // Share of the fixed total exercise time that has passed, 0 to 100.
    int ProgressPercent() const;

    bool m_bIntervalRunning = false;
    bool m_bIntervalUddhacca = false;
    bool m_bFirstInterval = false;
    std::int32_t m_nCurMeasurement = 0;
    std::int32_t m_nCurRun = 0;
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
    std::int32_t m_nTickCount = 0;
    unsigned m_nTimerId = 0;
    // Where ended intervals are stored; none: they are timed and sounded only.
    TrainingType* m_pTrainingType = nullptr;

private:
    void SwitchMeasuringModeOn();
    void SwitchMeasuringModeOff();
    void StopTimer();

    CVersenkwerkDoc& m_document;
    IMeasuringForm& m_form;
    const IClock& m_clock;
    const IKeyState& m_keys;
};
