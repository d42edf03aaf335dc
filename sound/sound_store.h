#pragma once

#include "sound/play_mode.h"
#include "sound/sound_bytes.h"
#include "sound/sound_player.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One sound file, loaded for playing.
class StoredSound {
public:
    virtual ~StoredSound() = default;

    // Opens the file; any readable file counts as loaded.
    bool loadFile(const std::string& path);
    // Copies a small file into memory and lets go of it; a longer one stays
    // open, to be read as it plays. Loading thus costs no reading, and no
    // event sound of ordinary length keeps its file open.
    void letGoOfSmallFile();
    // What plays: null when nothing was loaded. Shared, so that a running
    // sound keeps them after the store has let go of them.
    const std::shared_ptr<const SoundBytes>& bytes() const { return m_bytes; }

    std::string m_path;
    std::int32_t m_loaded = 0;

private:
    std::shared_ptr<const SoundBytes> m_bytes;
};

// The loaded sounds, named by their 1-based position (the sound id).
class SoundStore {
public:
    explicit SoundStore(std::shared_ptr<SoundPlayer> player);
    virtual ~SoundStore();

    int addSound(const std::string& path); // the new id, or 0
    bool removeSound(int id);
    // Lets go of the files of all sounds but long ones (see StoredSound::letGoOfSmallFile).
    void letGoOfSmallFiles();
    bool playSoundById(int id, PlayMode mode);
    // Plays the sounds one after another without waiting (see SoundPlayer::playInTurn); id 0 is left out.
    bool playInTurn(const std::vector<int>& ids);
    bool isPlaying() const { return m_player->isPlaying(); }
    int count() const;

private:
    std::shared_ptr<SoundPlayer> m_player;
    std::vector<std::unique_ptr<StoredSound>> m_sounds;
};
