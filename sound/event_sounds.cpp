#include "sound/event_sounds.h"

EventSounds::EventSounds(std::shared_ptr<SoundPlayer> player) : m_manager(std::move(player))
{
}

void EventSounds::loadEventSounds(const DocumentSettings& settings)
{
    // A sound still playing keeps its bytes, so emptying the store is safe.
    while (m_manager.count() > 0)
        m_manager.removeSound(m_manager.count());
    for (std::size_t i = 0; i < kSoundEventCount; ++i)
        m_soundId[i] = m_manager.addSound(settings.m_soundFiles[i]);
}

bool EventSounds::play(SoundEvent event, PlayMode mode)
{
    return m_manager.playSoundById(soundId(event), mode);
}

bool EventSounds::playInTurn(const std::vector<SoundEvent>& events)
{
    std::vector<int> ids;
    for (SoundEvent event : events)
        ids.push_back(soundId(event));
    return m_manager.playInTurn(ids);
}

int EventSounds::soundId(SoundEvent event) const
{
    if (soundEventIndex(event) >= kSoundEventCount)
        return 0;
    return m_soundId[soundEventIndex(event)];
}
