#include "sound/sound_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
    m_path = path;

    // Looked at before opening, and opened without waiting: opening a FIFO
    // would wait for a writer. A directory or a device is no sound either.
    struct stat status { };
    FileDescriptor file(::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)
                            ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)
                            : -1);
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > kLargestSoundFile)
        return false;
    m_file = std::move(file);
    m_loaded = 1;
    return true;
}

const StoredSound::Image& StoredSound::image() const
{
    if (m_image || m_file.get() < 0)
        return m_image;
    auto bytes = std::make_shared<std::vector<std::uint8_t>>();
    struct stat status { };
    try {
        if (::fstat(m_file.get(), &status) == 0 && status.st_size <= kLargestSoundFile) {
            bytes->resize(static_cast<std::size_t>(status.st_size));
            std::size_t read = 0;
            while (read < bytes->size()) {
                const ssize_t got =
                    ::pread(m_file.get(), bytes->data() + read, bytes->size() - read, static_cast<off_t>(read));
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                    break;
                read += static_cast<std::size_t>(got);
            }
            // A file cut short since it was loaded holds only what is left.
            bytes->resize(read);
        }
    } catch (const std::bad_alloc&) {
        bytes->clear();
    }
    m_image = std::move(bytes);
    m_file = FileDescriptor();
    return m_image;
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

void SoundStore::readFiles()
{
    for (const auto& sound : m_sounds)
        sound->image();
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
