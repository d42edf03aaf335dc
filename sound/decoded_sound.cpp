#include "sound/decoded_sound.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

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

// Longer sounds are refused as unplayable: an event sound lasts seconds.
constexpr sf_count_t kLongestSeconds = 60;
// However the header states the rate and the channels, never more samples than this.
constexpr std::size_t kMostSamples = std::size_t{60} * 96000 * 8;

} // namespace

std::shared_ptr<const DecodedSound> decodeSoundImage(const std::vector<std::uint8_t>& image)
{
    if (image.empty())
        return nullptr;
    SF_VIRTUAL_IO io{imageLength, imageSeek, imageRead, imageWrite, imageTell};
    ImageReader reader{image};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &reader);
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
        while (playable && (frames = sf_readf_float(file, chunk.data(), kChunkFrames)) > 0) {
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
    sf_close(file);
    if (!playable || sound->m_samples.empty())
        return nullptr;
    return sound;
}
