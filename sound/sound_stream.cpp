#include "sound/sound_stream.h"

#include "sound/sound_bytes.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <new>
#include <optional>
#include <type_traits>

static_assert(std::is_same_v<sf_count_t, std::int64_t>, "libsndfile counts in 64 bits");

namespace {

// libsndfile and the codec libraries it brings are loaded with the first
// sound played, not with the program: linked, they cost every start a
// millisecond and a megabyte.
struct Sndfile {
    decltype(&sf_open_virtual) openVirtual = nullptr;
    decltype(&sf_readf_float) readFramesAsFloat = nullptr;
    decltype(&sf_close) close = nullptr;
};

// None when the library cannot be loaded: every sound is then silent.
const Sndfile* sndfile()
{
    static const std::optional<Sndfile> library = []() -> std::optional<Sndfile> {
        void* handle = ::dlopen("libsndfile.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            std::fprintf(stderr, "Jhavari-Training: no sounds: %s\n", ::dlerror());
            return std::nullopt;
        }
        const Sndfile functions{reinterpret_cast<decltype(&sf_open_virtual)>(::dlsym(handle, "sf_open_virtual")),
                                reinterpret_cast<decltype(&sf_readf_float)>(::dlsym(handle, "sf_readf_float")),
                                reinterpret_cast<decltype(&sf_close)>(::dlsym(handle, "sf_close"))};
        if (!functions.openVirtual || !functions.readFramesAsFloat || !functions.close) {
            std::fprintf(stderr, "Jhavari-Training: no sounds: libsndfile.so.1 lacks a function\n");
            return std::nullopt;
        }
        return functions;
    }();
    return library ? &*library : nullptr;
}

// Each small read of a header would otherwise be a system call.
constexpr std::int64_t kReadAheadBytes = 4096;

// Samples per chunk, whatever the channels: about a period of the device, so
// that the first is decoded and written at once.
constexpr std::int64_t kChunkSamples = 1024;

sf_count_t refuseWriting(const void*, sf_count_t, void*)
{
    return 0;
}

} // namespace

SoundStream::SoundStream(std::shared_ptr<const SoundBytes> bytes) : m_bytes(std::move(bytes))
{
}

SoundStream::~SoundStream()
{
    if (m_file)
        sndfile()->close(m_file);
}

std::unique_ptr<SoundStream> SoundStream::open(std::shared_ptr<const SoundBytes> bytes)
{
    const Sndfile* library = sndfile();
    if (!bytes || !library)
        return nullptr;
    try {
        std::unique_ptr<SoundStream> stream(new SoundStream(std::move(bytes)));
        stream->m_length = stream->m_bytes->size();
        stream->m_readAhead.resize(kReadAheadBytes);
        SF_VIRTUAL_IO io{length, seek, read, refuseWriting, tell};
        SF_INFO info{};
        stream->m_file = library->openVirtual(&io, SFM_READ, &info, stream.get());
        if (!stream->m_file || info.channels <= 0 || info.samplerate <= 0)
            return nullptr;
        stream->m_channels = info.channels;
        stream->m_sampleRate = info.samplerate;
        stream->m_chunkFrames = std::max<std::int64_t>(1, kChunkSamples / info.channels);
        stream->m_decoded.resize(static_cast<std::size_t>(stream->m_chunkFrames * info.channels));
        stream->m_samples.resize(stream->m_decoded.size());
        stream->decodeNext();
        if (stream->chunk().empty())
            return nullptr;
        return stream;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void SoundStream::decodeNext()
{
    // The frame count in a header may lie: the sound ends where its data does.
    // Read as float (-1..1 for every format), float files keep their level.
    const sf_count_t frames = sndfile()->readFramesAsFloat(m_file, m_decoded.data(), m_chunkFrames);
    m_chunkSamples = static_cast<std::size_t>(std::max<sf_count_t>(frames, 0) * m_channels);
    std::transform(m_decoded.begin(), m_decoded.begin() + static_cast<std::ptrdiff_t>(m_chunkSamples),
                   m_samples.begin(), [](float sample) {
                       // Rounded half away from zero: far quicker than lrint, which is a call into libm.
                       const float scaled = std::clamp(sample * 32768.0f, -32768.0f, 32767.0f);
                       return static_cast<std::int16_t>(scaled < 0 ? scaled - 0.5f : scaled + 0.5f);
                   });
}

std::int64_t SoundStream::length(void* stream)
{
    return static_cast<SoundStream*>(stream)->m_length;
}

std::int64_t SoundStream::seek(std::int64_t offset, int whence, void* stream)
{
    auto* self = static_cast<SoundStream*>(stream);
    std::int64_t target = offset;
    if (whence == SEEK_CUR)
        target += self->m_position;
    else if (whence == SEEK_END)
        target += length(stream);
    if (target < 0 || target > length(stream))
        return -1;
    self->m_position = target;
    return target;
}

std::int64_t SoundStream::read(void* target, std::int64_t count, void* stream)
{
    auto* self = static_cast<SoundStream*>(stream);
    auto* out = static_cast<std::uint8_t*>(target);
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t ahead = self->m_position - self->m_readAheadStart;
        std::int64_t got = 0;
        if (ahead >= 0 && ahead < self->m_readAheadCount) {
            got = std::min(count - done, self->m_readAheadCount - ahead);
            std::memcpy(out + done, self->m_readAhead.data() + ahead, static_cast<std::size_t>(got));
        } else if (count - done >= kReadAheadBytes) {
            got = self->m_bytes->read(self->m_position, out + done, count - done);
        } else {
            self->m_readAheadStart = self->m_position;
            self->m_readAheadCount = self->m_bytes->read(self->m_position, self->m_readAhead.data(), kReadAheadBytes);
            if (self->m_readAheadCount > 0)
                continue;
        }
        if (got == 0)
            break;
        done += got;
        self->m_position += got;
    }
    return done;
}

std::int64_t SoundStream::tell(void* stream)
{
    return static_cast<SoundStream*>(stream)->m_position;
}
