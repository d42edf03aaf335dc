#pragma once

#include "records/calendar_time.h"

#include <array>
#include <cstdint>
#include <string>

enum SoundEvent {
    BeginIntervall = 0,
    EndIntervall = 1,
    EndIntervallUddhacca = 2,
    UddhaccaAlarm = 3,
    EndExercise = 4,
    SoundEventCount = 5,
};

// File names of the default event sounds, indexed by SoundEvent.
extern const std::array<const char*, SoundEventCount> kDefaultSoundFiles;

// The practitioner's settings; they travel with the document.
class DocumentSettings {
public:
    DocumentSettings() { setDefaults(); }

    void setDefaults();

    std::int32_t m_timeSound = 0;
    std::string m_trainingType;
    std::int32_t m_fixedExerciseTime = 0;
    CalendarTime m_timeFixedDuration = 0;
    std::int32_t m_autoUddhaccaAlarm = 0;
    CalendarTime m_timeAlarmInterval = 0;
    CalendarTime m_timeFilter = 0;
    std::int32_t m_waveVolume = 0; // -1: no level stored, take the mixer's
    std::int32_t m_mainVolume = 0;
    std::array<std::string, SoundEventCount> m_soundFiles;
};
