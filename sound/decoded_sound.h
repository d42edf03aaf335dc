#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A sound image decoded to interleaved signed 16-bit samples, ready for the device.
struct DecodedSound {
    int m_channels = 0;
    int m_sampleRate = 0;
    std::vector<std::int16_t> m_samples;

    std::size_t frameCount() const { return m_samples.size() / static_cast<std::size_t>(m_channels); }
};

// Decodes any sound format libsndfile reads (WAVE with PCM, float, ADPCM, ...)
// straight from the bytes; null when the image holds no playable sound.
std::shared_ptr<const DecodedSound> decodeSoundImage(const std::vector<std::uint8_t>& image);
