#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Builds byte sequences the way the file format lays them out.
class ByteWriter {
public:
    ByteWriter& raw(std::initializer_list<int> bytes);
    ByteWriter& text(const std::string& text); // short form: one length byte
    ByteWriter& int32(std::int32_t value);
    ByteWriter& time(std::int64_t value); // marker and 8 bytes
    ByteWriter& entry(std::int64_t start, std::int64_t end, int uddhacca, int measurement, int run);
    Bytes get() const { return m_bytes; }

private:
    Bytes m_bytes;
};

// A folder that exists for the life of the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void writeBytes(const std::string& path, const Bytes& bytes);
Bytes readBytes(const std::string& path);
