#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class SoundBytes;
struct sf_private_tag;

// A sound decoded while it plays, one chunk at a time, into interleaved
// signed 16-bit samples for the device: any format libsndfile reads (WAVE
// with PCM, float, ADPCM, ...), read through the sound's bytes. However long
// the sound, it holds one chunk.
class SoundStream {
public:
    // Opens the sound and decodes its first chunk; null when the bytes hold no playable sound.
    static std::unique_ptr<SoundStream> open(std::shared_ptr<const SoundBytes> bytes);
    ~SoundStream();
    SoundStream(const SoundStream&) = delete;
    SoundStream& operator=(const SoundStream&) = delete;

    int channels() const { return m_channels; }
    int sampleRate() const { return m_sampleRate; }
    // The chunk decoded last, in whole frames; empty once the sound has ended.
    std::span<const std::int16_t> chunk() const { return {m_samples.data(), m_chunkSamples}; }
    // Decodes the next chunk; a file that cannot be read any further ends the sound there.
    void decodeNext();

private:
    explicit SoundStream(std::shared_ptr<const SoundBytes> bytes);
    // libsndfile's virtual I/O: the bytes as long as they were when the stream
    // opened, read from m_position.
    static std::int64_t length(void* stream);
    static std::int64_t seek(std::int64_t offset, int whence, void* stream);
    static std::int64_t read(void* target, std::int64_t count, void* stream);
    static std::int64_t tell(void* stream);

    const std::shared_ptr<const SoundBytes> m_bytes;
    std::int64_t m_length = 0;
    std::int64_t m_position = 0;
    std::vector<std::uint8_t> m_readAhead; // from m_readAheadStart: a header is read in many small pieces
    std::int64_t m_readAheadStart = 0;
    std::int64_t m_readAheadCount = 0;
    sf_private_tag* m_file = nullptr;
    int m_channels = 0;
    int m_sampleRate = 0;
    std::int64_t m_chunkFrames = 0;
    std::vector<float> m_decoded; // the chunk as libsndfile gives it
    std::vector<std::int16_t> m_samples;
    std::size_t m_chunkSamples = 0;
};
