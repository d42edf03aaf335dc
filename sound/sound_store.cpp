#include "sound/sound_store.h"

#include "records/file_descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace {

// A file up to this size is copied into memory: seconds of sound, as an event
// sound mostly is. A longer sound stays in its file, however long it is.
constexpr std::int64_t kLargestCopiedFile = 1 << 20;

} // namespace

bool StoredSound::loadFile(const std::string& path)
{
    if (m_loaded)
        return false;
    m_path = path;

    // Looked at before opening, and opened without waiting: opening a FIFO
    // would wait for a writer. A directory or a device is no sound either.
    struct stat status { };
    FileDescriptor file(::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)
                            ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)
                            : -1);
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    m_bytes = std::make_shared<const SoundBytes>(std::move(file));
    m_loaded = 1;
    return true;
}

void StoredSound::letGoOfSmallFile()
{
    if (std::shared_ptr<const SoundBytes> copy = m_bytes ? m_bytes->copiedToMemory(kLargestCopiedFile) : nullptr)
        m_bytes = std::move(copy);
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
    m_sounds.push_back(std::move(sound));
    return count();
}

void SoundStore::letGoOfSmallFiles()
{
    for (const auto& sound : m_sounds)
        sound->letGoOfSmallFile();
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
