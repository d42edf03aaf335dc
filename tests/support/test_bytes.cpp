#include "tests/support/test_bytes.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

ByteWriter& ByteWriter::raw(std::initializer_list<int> bytes)
{
    for (int b : bytes)
        m_bytes.push_back(static_cast<std::uint8_t>(b));
    return *this;
}

ByteWriter& ByteWriter::text(const std::string& text)
{
    m_bytes.push_back(static_cast<std::uint8_t>(text.size()));
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    return *this;
}

ByteWriter& ByteWriter::int32(std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        m_bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
    return *this;
}

ByteWriter& ByteWriter::time(std::int64_t value)
{
    raw({0x0A, 0x00, 0x00, 0x80});
    for (int i = 0; i < 8; ++i)
        m_bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i)));
    return *this;
}

ByteWriter& ByteWriter::entry(std::int64_t start, std::int64_t end, int uddhacca, int measurement, int run)
{
    time(start).time(end).int32(uddhacca);
    raw({measurement & 0xFF, measurement >> 8, run & 0xFF, run >> 8});
    return *this;
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "jhavari-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(m_path, ignored);
}

void writeBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
