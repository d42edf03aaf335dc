#include "sound/sound_decoder.h"

#include <algorithm>

SoundDecoder::Decoding SoundDecoder::decode(const std::string& path, const Image& image)
{
    Decoded& decoded = m_decoded[path];
    decoded.lastAsked = ++m_asked;
    if (decoded.image && (decoded.image == image || *decoded.image == *image))
        return decoded.decoding;
    decoded.image = image;
    decoded.decoding = std::async(std::launch::deferred, [image] { return decodeSoundImage(*image); }).share();
    const Decoding decoding = decoded.decoding;
    if (m_decoded.size() > kKeptFiles) {
        // A sound still loaded somewhere keeps its decoding through its own share of it.
        m_decoded.erase(std::min_element(m_decoded.begin(), m_decoded.end(), [](const auto& a, const auto& b) {
            return a.second.lastAsked < b.second.lastAsked;
        }));
    }
    return decoding;
}
