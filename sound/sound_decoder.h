#pragma once

#include "sound/decoded_sound.h"

#include <future>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Decodes sound images when they are first played, each once: the same file
// asked for again, with the same bytes, gives the decoding already made or
// still to make. A file whose bytes changed is decoded anew. A decoding takes
// a fraction of a millisecond, far less than opening the sound device.
class SoundDecoder {
public:
    using Decoding = std::shared_future<std::shared_ptr<const DecodedSound>>;
    using Image = std::shared_ptr<const std::vector<std::uint8_t>>;

    Decoding decode(const std::string& path, const Image& image);

private:
    struct Decoded {
        Image image;
        Decoding decoding;
    };
    // The last image of each path.
    std::map<std::string, Decoded> m_decoded;
};
