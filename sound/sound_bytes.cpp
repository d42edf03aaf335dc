#include "sound/sound_bytes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

SoundBytes::SoundBytes(FileDescriptor file) : m_file(std::move(file))
{
}

SoundBytes::SoundBytes(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes))
{
}

std::int64_t SoundBytes::size() const
{
    if (m_file.get() < 0)
        return static_cast<std::int64_t>(m_bytes.size());
    struct stat status { };
    return ::fstat(m_file.get(), &status) == 0 ? status.st_size : 0;
}

std::int64_t SoundBytes::read(std::int64_t offset, void* target, std::int64_t count) const
{
    if (offset < 0 || count <= 0)
        return 0;
    if (m_file.get() < 0) {
        const std::int64_t available = std::max<std::int64_t>(size() - offset, 0);
        const std::int64_t n = std::min(count, available);
        if (n > 0)
            std::memcpy(target, m_bytes.data() + offset, static_cast<std::size_t>(n));
        return n;
    }
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(m_file.get(), static_cast<char*>(target) + done,
                                    static_cast<std::size_t>(count - done), static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

std::shared_ptr<const SoundBytes> SoundBytes::copiedToMemory(std::int64_t most) const
{
    const std::int64_t length = size();
    if (m_file.get() < 0 || length > most)
        return nullptr;
    try {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
        if (read(0, bytes.data(), length) != length)
            return nullptr;
        return std::shared_ptr<const SoundBytes>(new SoundBytes(std::move(bytes)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
