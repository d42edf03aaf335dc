#pragma once

#include "sound_player.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int SND_SYNC = 0x0000;
constexpr int SND_ASYNC = 0x0001;

// One sound file held in memory.
class CSoundData {
public:
    virtual ~CSoundData() = default;

    // Reads the whole file once; any readable file counts as loaded.
    bool LoadFile(const std::string& path);

    std::string m_strPath;
    std::shared_ptr<const std::vector<std::uint8_t>> m_pImage;
    std::int32_t m_bLoaded = 0;
    // What the player made of the image; shared so that a running sound
    // keeps it alive after the store has let go of it.
    std::shared_ptr<const void> m_pPrepared;
};

// The loaded sounds, named by their 1-based position (the sound id).
class CSoundManager {
public:
    explicit CSoundManager(std::shared_ptr<ISoundPlayer> player);
    virtual ~CSoundManager();

    int AddSound(const std::string& path);       // the new id, or 0
    bool RemoveSound(int id);
    bool PlaySoundById(int id, int mode);         // mode SND_SYNC or SND_ASYNC
    int GetCount() const;

private:
    std::shared_ptr<ISoundPlayer> m_pPlayer;
    std::vector<std::unique_ptr<CSoundData>> m_aSounds;
};
