#include "sound/event_sounds.h"

EventSounds::EventSounds(std::shared_ptr<SoundPlayer> player) : m_manager(std::move(player))
{
}

void EventSounds::loadEventSounds(const DocumentSettings& settings)
{
    // A sound still playing keeps its samples alive, so emptying the store is safe.
    while (m_manager.count() > 0)
        m_manager.removeSound(m_manager.count());
    for (std::size_t i = 0; i < kSoundEventCount; ++i)
        m_soundId[i] = m_manager.addSound(settings.m_soundFiles[i]);
}

bool EventSounds::play(SoundEvent event, PlayMode mode)
{
    if (soundEventIndex(event) >= kSoundEventCount)
        return false;
    return m_manager.playSoundById(m_soundId[soundEventIndex(event)], mode);
}
