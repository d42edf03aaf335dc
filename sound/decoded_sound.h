#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A sound image decoded to interleaved signed 16-bit samples, ready for the device.
struct DecodedSound {
    int m_nChannels = 0;
    int m_nSampleRate = 0;
    std::vector<std::int16_t> m_aSamples;

    std::size_t GetFrameCount() const { return m_aSamples.size() / static_cast<std::size_t>(m_nChannels); }
};

// Decodes any sound format libsndfile reads (WAVE with PCM, float, ADPCM, ...)
// straight from the bytes; null when the image holds no playable sound.
std::shared_ptr<const DecodedSound> DecodeSoundImage(const std::vector<std::uint8_t>& image);
