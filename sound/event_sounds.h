#pragma once

#include "doc_settings.h"
#include "sound_manager.h"

#include <array>
#include <memory>

// The five event sounds of the main view: the store and the id each event plays.
class CEventSounds {
public:
    explicit CEventSounds(std::shared_ptr<ISoundPlayer> player);
    virtual ~CEventSounds() = default;

    // Empties the store and loads the five files named in the settings;
    // a file that cannot be read leaves its event silent (id 0).
    void LoadEventSounds(const DocSettings& settings);
    // Plays the sound of the event; mode SND_SYNC or SND_ASYNC.
    bool Play(SoundEvent event, int mode);

    CSoundManager& Manager() { return m_Manager; }

    // Sound id per SoundEvent; 0 for a silent event.
    std::array<int, SoundEventCount> m_nSoundId{};

private:
    CSoundManager m_Manager;
};
