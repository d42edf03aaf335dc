#include "sound/sound_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace {

// A sound of the program lasts seconds; a file this large is no such sound, and
// holding it would cost the memory of the whole start (the document reopens it).
constexpr off_t kLargestSoundFile = 50 << 20;

} // namespace

bool StoredSound::loadFile(const std::string& path)
{
    if (m_loaded)
        return false;
    m_loaded = 1;
    m_path = path;

    // Looked at before opening, and opened without waiting: opening a FIFO
    // would wait for a writer. A directory or a device is no sound either.
    struct stat status { };
    const int fd = ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)
                       ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)
                       : -1;
    std::FILE* file = fd >= 0 ? ::fdopen(fd, "rb") : nullptr;
    if (!file) {
        if (fd >= 0)
            ::close(fd);
        m_loaded = 0;
        return false;
    }
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kLargestSoundFile) {
        m_loaded = 0;
    } else {
        try {
            auto image = std::make_shared<std::vector<std::uint8_t>>(static_cast<std::size_t>(status.st_size));
            if (std::fread(image->data(), 1, image->size(), file) != image->size())
                m_loaded = 0;
            else
                m_image = std::move(image);
        } catch (const std::bad_alloc&) {
            m_loaded = 0;
        }
    }
    std::fclose(file);
    return m_loaded != 0;
}

SoundStore::SoundStore(std::shared_ptr<SoundPlayer> player) : m_player(std::move(player))
{
    if (!m_player)
        throw std::invalid_argument("a sound store needs a sound player");
}

SoundStore::~SoundStore() = default;

int SoundStore::addSound(const std::string& path)
{
    auto sound = std::make_unique<StoredSound>();
    if (!sound->loadFile(path))
        return 0;
    m_player->prepare(*sound);
    m_sounds.push_back(std::move(sound));
    return count();
}

bool SoundStore::removeSound(int id)
{
    if (id <= 0 || id > count())
        return false;
    m_sounds.erase(m_sounds.begin() + (id - 1));
    return true;
}

bool SoundStore::playSoundById(int id, PlayMode mode)
{
    // Id 0 is a sound that could not be loaded; an id outside the store plays nothing either.
    if (id <= 0 || id > count())
        return false;
    return m_player->play(*m_sounds[static_cast<std::size_t>(id - 1)], mode == PlayMode::Async);
}

bool SoundStore::playInTurn(const std::vector<int>& ids)
{
    std::vector<const StoredSound*> sounds;
    for (int id : ids)
        if (id > 0 && id <= count())
            sounds.push_back(m_sounds[static_cast<std::size_t>(id - 1)].get());
    return !sounds.empty() && m_player->playInTurn(sounds);
}

int SoundStore::count() const
{
    return static_cast<int>(m_sounds.size());
}
