#include "sound/sound_decoder.h"

SoundDecoder::Decoding SoundDecoder::decode(const std::string& path, const Image& image)
{
    Decoded& decoded = m_decoded[path];
    if (decoded.image && (decoded.image == image || *decoded.image == *image))
        return decoded.decoding;
    decoded.image = image;
    decoded.decoding = std::async(std::launch::deferred, [image] { return decodeSoundImage(*image); }).share();
    return decoded.decoding;
}
