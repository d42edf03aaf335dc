#include "event_sounds.h"

#include <stdexcept>

CEventSounds::CEventSounds(std::shared_ptr<ISoundPlayer> player)
    : m_Manager(std::move(player))
{
}

void CEventSounds::LoadEventSounds(const DocSettings& settings)
{
    // A sound still playing keeps its samples alive, so emptying the store is safe.
    while (m_Manager.GetCount() > 0)
        m_Manager.RemoveSound(m_Manager.GetCount());
    for (std::size_t i = 0; i < SoundEventCount; ++i)
        m_nSoundId[i] = m_Manager.AddSound(settings.m_strSoundFile[i]);
}

bool CEventSounds::Play(SoundEvent event, int mode)
{
    if (event < 0 || event >= SoundEventCount)
        throw std::invalid_argument("no such sound event");
    return m_Manager.PlaySoundById(m_nSoundId[static_cast<std::size_t>(event)], mode);
}
