#pragma once

#include "records/file_descriptor.h"

#include <cstdint>
#include <memory>
#include <vector>

// The bytes of a loaded sound, read where they lie: in the file opened at
// loading, so that the sound stays the one loaded when its file is replaced
// or removed since, or in memory once a small file has been let go of.
// Never changed once made: a playing thread reads them while the store goes on.
class SoundBytes {
public:
    explicit SoundBytes(FileDescriptor file);

    // The length now: a file may have been cut short since it was loaded.
    std::int64_t size() const;
    // Reads up to count bytes from offset; fewer at the end, none when the file cannot be read.
    std::int64_t read(std::int64_t offset, void* target, std::int64_t count) const;
    // A copy in memory of a file of at most `most` bytes, which no longer needs
    // the file; null for a larger file, for one that cannot be read whole and
    // for bytes that are in memory already.
    std::shared_ptr<const SoundBytes> copiedToMemory(std::int64_t most) const;

private:
    explicit SoundBytes(std::vector<std::uint8_t> bytes);

    FileDescriptor m_file; // none when the bytes are in memory
    std::vector<std::uint8_t> m_bytes;
};
