#include "sound_manager.h"

#include <sys/stat.h>

#include <cstdio>
#include <stdexcept>

bool CSoundData::LoadFile(const std::string& path)
{
    if (m_bLoaded)
        return false;
    m_bLoaded = 1;
    m_strPath = path;

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        m_bLoaded = 0;
        return false;
    }
    struct stat status {};
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) {
        // A directory or a device opens on Linux, but it is no file to read a sound from.
        m_bLoaded = 0;
    } else {
        try {
            auto image = std::make_shared<std::vector<std::uint8_t>>(static_cast<std::size_t>(status.st_size));
            if (std::fread(image->data(), 1, image->size(), file) != image->size())
                m_bLoaded = 0;
            else
                m_pImage = std::move(image);
        } catch (const std::bad_alloc&) {
            m_bLoaded = 0;
        }
    }
    std::fclose(file);
    return m_bLoaded != 0;
}

CSoundManager::CSoundManager(std::shared_ptr<ISoundPlayer> player)
    : m_pPlayer(std::move(player))
{
    if (!m_pPlayer)
        throw std::invalid_argument("CSoundManager needs a sound player");
}

CSoundManager::~CSoundManager() = default;

int CSoundManager::AddSound(const std::string& path)
{
    auto sound = std::make_unique<CSoundData>();
    if (!sound->LoadFile(path))
        return 0;
    m_pPlayer->Prepare(*sound);
    m_aSounds.push_back(std::move(sound));
    return GetCount();
}

bool CSoundManager::RemoveSound(int id)
{
    if (id <= 0 || id > GetCount())
        return false;
    m_aSounds.erase(m_aSounds.begin() + (id - 1));
    return true;
}

bool CSoundManager::PlaySoundById(int id, int mode)
{
    if (id == 0)
        return false;
    if (id < 0 || id > GetCount())
        throw std::invalid_argument("sound id " + std::to_string(id) + " is not in the store");
    return m_pPlayer->Play(*m_aSounds[static_cast<std::size_t>(id - 1)], (mode & SND_ASYNC) != 0);
}

int CSoundManager::GetCount() const
{
    return static_cast<int>(m_aSounds.size());
}
