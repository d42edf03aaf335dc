#pragma once

#include <cstdint>
#include <string>

// What tells one state of a file from another without reading it: size,
// modification time to the nanosecond and inode. A save through a temporary
// file gives a new inode even when size and time happen to match.
class FileIdentity {
public:
    // The identity of the file at path now; one that does not exist when it cannot be examined.
    static FileIdentity ofFile(const std::string& path);

    bool exists() const { return m_exists; }
    bool operator==(const FileIdentity& other) const = default;

    bool m_exists = false;
    std::int64_t m_size = 0;
    std::int64_t m_modifiedSeconds = 0;
    std::int64_t m_modifiedNanoseconds = 0;
    std::uint64_t m_inode = 0;
    std::uint64_t m_device = 0;
};
