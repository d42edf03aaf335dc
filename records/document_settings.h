#pragma once

#include "records/calendar_time.h"

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

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

    // Hands a pointer to each stored member to `member`, in the order in which
    // both the document file and the journal keep them.
    template <typename Member>
    static void forEachStoredMember(Member&& member)
    {
        member(&DocumentSettings::m_trainingType);
        member(&DocumentSettings::m_fixedExerciseTime);
        member(&DocumentSettings::m_timeFixedDuration);
        member(&DocumentSettings::m_autoUddhaccaAlarm);
        member(&DocumentSettings::m_timeAlarmInterval);
        member(&DocumentSettings::m_timeFilter);
        member(&DocumentSettings::m_waveVolume);
        member(&DocumentSettings::m_mainVolume);
        member(&DocumentSettings::m_timeSound);
        member(&DocumentSettings::m_soundFiles);
    }

    // Hands each stored field of `settings` (const or not) to `field`, in
    // stored order, the sound paths one by one; `field` tells their byte
    // forms apart by type.
    template <typename Settings, typename Field>
    static void forEachStoredField(Settings& settings, Field&& field)
    {
        forEachStoredMember([&settings, &field](auto member) {
            auto& value = settings.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, decltype(m_soundFiles)>) {
                for (auto& path : value)
                    field(path);
            } else {
                field(value);
            }
        });
    }

    // These settings with every field that differs between `from` and `to`
    // set as in `to`: a change made earlier, carried onto settings that
    // changed otherwise since.
    DocumentSettings withChanges(const DocumentSettings& from, const DocumentSettings& to) const;

    bool operator==(const DocumentSettings&) const = default;

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
