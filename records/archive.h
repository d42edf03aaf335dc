#pragma once

#include "calendar_time.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The byte forms of the document file: little-endian integers, texts with a
// length prefix, calendar times with a marker. Loading reads from a memory
// image of the file; storing appends to a growing buffer.
class CArchive {
public:
    // Storing into an empty buffer.
    CArchive();
    // Loading from bytes that must outlive the archive.
    CArchive(const std::uint8_t* data, std::size_t size);

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }

    // Each of these writes the value when storing and reads it when loading.
    void Serialize(std::int32_t& value);
    void Serialize(std::uint16_t& value);
    void Serialize(std::string& text);
    void SerializeTime(CalendarTime& time);

    // Loading: fails as a file cut short unless `count` items of at least
    // `minItemSize` bytes each can still follow.
    void RequireRemaining(std::int64_t count, std::size_t minItemSize) const;
    std::size_t Remaining() const { return m_size - m_position; }

    // Loading: the next `count` bytes without consuming them, or null when
    // fewer remain; Skip consumes bytes seen through Peek.
    const std::uint8_t* Peek(std::size_t count) const { return count <= Remaining() ? m_data + m_position : nullptr; }
    void Skip(std::size_t count) { m_position += count; }

    // Storing: the bytes written so far.
    const std::vector<std::uint8_t>& Buffer() const { return m_buffer; }

private:
    void Read(void* target, std::size_t count);
    void Write(const void* source, std::size_t count);
    std::uint8_t ReadByte();
    std::uint16_t ReadWord();
    std::uint32_t ReadDword();
    std::uint64_t ReadQword();
    void ReadText(std::string& text);
    void WriteText(const std::string& text);

    bool m_bStoring;
    std::vector<std::uint8_t> m_buffer;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_position = 0;
};
