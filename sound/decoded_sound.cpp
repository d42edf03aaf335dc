#include "sound/decoded_sound.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <new>
#include <optional>

namespace {

// Read position over the image for libsndfile's virtual I/O.
struct ImageReader {
    const std::vector<std::uint8_t>& image;
    sf_count_t position = 0;
};

sf_count_t imageLength(void* user)
{
    return static_cast<sf_count_t>(static_cast<ImageReader*>(user)->image.size());
}

sf_count_t imageSeek(sf_count_t offset, int whence, void* user)
{
    auto* reader = static_cast<ImageReader*>(user);
    const sf_count_t length = imageLength(user);
    sf_count_t target = offset;
    if (whence == SEEK_CUR)
        target += reader->position;
    else if (whence == SEEK_END)
        target += length;
    if (target < 0 || target > length)
        return -1;
    reader->position = target;
    return target;
}

sf_count_t imageRead(void* buffer, sf_count_t count, void* user)
{
    auto* reader = static_cast<ImageReader*>(user);
    const sf_count_t available = imageLength(user) - reader->position;
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, available);
    if (n > 0)
        std::memcpy(buffer, reader->image.data() + reader->position, static_cast<std::size_t>(n));
    reader->position += n;
    return n;
}

sf_count_t imageWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t imageTell(void* user)
{
    return static_cast<ImageReader*>(user)->position;
}

// libsndfile and the codec libraries it brings are loaded with the first
// sound decoded, not with the program: linked, they cost every start a
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

// Longer sounds are refused as unplayable: an event sound lasts seconds.
constexpr sf_count_t kLongestSeconds = 60;
// However the header states the rate and the channels, never more samples than this.
constexpr std::size_t kMostSamples = std::size_t{60} * 96000 * 8;

} // namespace

std::shared_ptr<const DecodedSound> decodeSoundImage(const std::vector<std::uint8_t>& image)
{
    const Sndfile* library = sndfile();
    if (image.empty() || !library)
        return nullptr;
    SF_VIRTUAL_IO io{imageLength, imageSeek, imageRead, imageWrite, imageTell};
    ImageReader reader{image};
    SF_INFO info{};
    SNDFILE* file = library->openVirtual(&io, SFM_READ, &info, &reader);
    if (!file)
        return nullptr;

    auto sound = std::make_shared<DecodedSound>();
    sound->m_channels = info.channels;
    sound->m_sampleRate = info.samplerate;
    bool playable = info.channels > 0 && info.samplerate > 0;
    try {
        // The frame count in a header may lie; read until the data ends. Reading
        // as float (-1..1 for every format) keeps float files at their level.
        constexpr sf_count_t kChunkFrames = 4096;
        const sf_count_t mostFrames = std::min<sf_count_t>(
            kLongestSeconds * info.samplerate, static_cast<sf_count_t>(kMostSamples) / std::max(1, info.channels));
        std::vector<float> chunk(playable ? static_cast<std::size_t>(kChunkFrames * info.channels) : 0);
        sf_count_t frames = 0;
        sf_count_t decoded = 0;
        while (playable && (frames = library->readFramesAsFloat(file, chunk.data(), kChunkFrames)) > 0) {
            decoded += frames;
            playable = decoded <= mostFrames;
            const auto count = static_cast<std::size_t>(frames * info.channels);
            for (std::size_t i = 0; playable && i < count; ++i)
                sound->m_samples.push_back(
                    static_cast<std::int16_t>(std::clamp(std::lrint(chunk[i] * 32768.0f), -32768L, 32767L)));
        }
    } catch (const std::bad_alloc&) {
        playable = false;
    }
    library->close(file);
    if (!playable || sound->m_samples.empty())
        return nullptr;
    return sound;
}
