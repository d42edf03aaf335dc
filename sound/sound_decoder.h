#pragma once

#include "sound/decoded_sound.h"

#include <cstddef>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Decodes sound images when they are first played, each once: the same file
// asked for again, with the same bytes, gives the decoding already made or
// still to make. A file whose bytes changed is decoded anew. A decoding takes
// a fraction of a millisecond, far less than opening the sound device. Only
// the files asked for lately are kept, so listening through a folder of
// sounds does not fill the memory.
class SoundDecoder {
public:
    using Decoding = std::shared_future<std::shared_ptr<const DecodedSound>>;
    using Image = std::shared_ptr<const std::vector<std::uint8_t>>;

    // The event sounds and a few more.
    static constexpr std::size_t kKeptFiles = 16;

    Decoding decode(const std::string& path, const Image& image);

private:
    struct Decoded {
        Image image;
        Decoding decoding;
        std::uint64_t lastAsked = 0;
    };
    // The last image of each path.
    std::map<std::string, Decoded> m_decoded;
    std::uint64_t m_asked = 0;
};
