#pragma once

#include "records/document_settings.h"
#include "sound/sound_store.h"

#include <array>
#include <memory>
#include <vector>

// The five event sounds of the main view: the store and the id each event plays.
class EventSounds {
public:
    explicit EventSounds(std::shared_ptr<SoundPlayer> player);
    virtual ~EventSounds() = default;

    // Empties the store and loads the five files named in the settings;
    // a file that cannot be read leaves its event silent (id 0).
    void loadEventSounds(const DocumentSettings& settings);
    // Plays the sound of the event.
    bool play(SoundEvent event, PlayMode mode);
    // Plays the sounds of the events one after another without waiting; any
    // later sound ends the sequence.
    bool playInTurn(const std::vector<SoundEvent>& events);
    bool isPlaying() const { return m_manager.isPlaying(); }

    SoundStore& manager() { return m_manager; }

    // Sound id per SoundEvent; 0 for a silent event.
    std::array<int, kSoundEventCount> m_soundId{};

private:
    int soundId(SoundEvent event) const;

    SoundStore m_manager;
};
