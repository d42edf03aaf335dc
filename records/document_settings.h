#pragma once

#include "records/calendar_time.h"

#include <array>
#include <cstdint>
#include <string>

// The events that sound; their order is that of the sound file names.
enum class SoundEvent { BeginInterval, EndInterval, EndIntervalUddhacca, UddhaccaAlarm, EndExercise };
inline constexpr std::size_t kSoundEventCount = 5;

// An event's place in the arrays indexed by event.
constexpr std::size_t soundEventIndex(SoundEvent event)
{
    return static_cast<std::size_t>(event);
}

// File names of the default event sounds, indexed by SoundEvent.
extern const std::array<const char*, kSoundEventCount> kDefaultSoundFiles;

// The practitioner's settings; they travel with the document.
class DocumentSettings {
public:
    DocumentSettings() { setDefaults(); }

    void setDefaults();

    // Hands each stored field of `settings` (const or not) to `field`, in the order in which both the
    // document file and the journal keep them; `field` tells their byte forms apart by type.
    template <typename Settings, typename Field>
    static void forEachStoredField(Settings& settings, Field&& field)
    {
        field(settings.m_trainingType);
        field(settings.m_fixedExerciseTime);
        field(settings.m_timeFixedDuration);
        field(settings.m_autoUddhaccaAlarm);
        field(settings.m_timeAlarmInterval);
        field(settings.m_timeFilter);
        field(settings.m_waveVolume);
        field(settings.m_mainVolume);
        field(settings.m_timeSound);
        for (auto& path : settings.m_soundFiles)
            field(path);
    }

    std::int32_t m_timeSound = 0;
    std::string m_trainingType;
    std::int32_t m_fixedExerciseTime = 0;
    CalendarTime m_timeFixedDuration = 0;
    std::int32_t m_autoUddhaccaAlarm = 0;
    CalendarTime m_timeAlarmInterval = 0;
    CalendarTime m_timeFilter = 0;
    std::int32_t m_waveVolume = 0; // -1: no level stored, take the mixer's
    std::int32_t m_mainVolume = 0;
    std::array<std::string, kSoundEventCount> m_soundFiles;
};
