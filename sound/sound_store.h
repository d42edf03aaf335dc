#pragma once

#include "records/file_descriptor.h"
#include "sound/play_mode.h"
#include "sound/sound_player.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One sound file held in memory.
class StoredSound {
public:
    using Image = std::shared_ptr<const std::vector<std::uint8_t>>;

    virtual ~StoredSound() = default;

    // Opens the file; any readable file counts as loaded.
    bool loadFile(const std::string& path);
    // The whole file, read at the first call through the file opened at
    // loading: the sound stays the one loaded even if the file is replaced or
    // removed since, and loading costs no reading until a sound is needed.
    // Empty when the reading fails; null when nothing was loaded.
    const Image& image() const;

    std::string m_path;
    std::int32_t m_loaded = 0;
    // What the player made of the image; shared so that a running sound
    // keeps it alive after the store has let go of it.
    std::shared_ptr<const void> m_prepared;

private:
    mutable FileDescriptor m_file;
    mutable Image m_image;
};

// The loaded sounds, named by their 1-based position (the sound id).
class SoundStore {
public:
    explicit SoundStore(std::shared_ptr<SoundPlayer> player);
    virtual ~SoundStore();

    int addSound(const std::string& path); // the new id, or 0
    bool removeSound(int id);
    // Reads the files of the sounds not read yet, and lets go of them.
    void readFiles();
    bool playSoundById(int id, PlayMode mode);
    // Plays the sounds one after another without waiting (see SoundPlayer::playInTurn); id 0 is left out.
    bool playInTurn(const std::vector<int>& ids);
    bool isPlaying() const { return m_player->isPlaying(); }
    int count() const;

private:
    std::shared_ptr<SoundPlayer> m_player;
    std::vector<std::unique_ptr<StoredSound>> m_sounds;
};
