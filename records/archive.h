#pragma once

#include "records/calendar_time.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The byte forms of the document file: little-endian integers, texts with a
// length prefix, calendar times with a marker. Loading reads from memory or
// pulls from a source only as far as the layout asks; storing appends to a
// growing buffer.
class Archive {
public:
    // Storing into an empty buffer.
    Archive();
    // Storing, handing the bytes on to `handOn` whenever `chunk` of them are
    // together; finish() hands on the rest.
    using HandOn = std::function<void(const std::uint8_t* data, std::size_t size)>;
    Archive(HandOn handOn, std::size_t chunk);
    // Loading from bytes that must outlive the archive.
    Archive(const std::uint8_t* data, std::size_t size);
    // Loading from a source of `size` bytes: `readSome` fills at most the
    // given room and returns how much it filled, 0 at the end.
    using ReadSome = std::function<std::size_t(std::uint8_t* target, std::size_t room)>;
    Archive(ReadSome readSome, std::uint64_t size);

    bool isStoring() const { return m_storing; }
    bool isLoading() const { return !m_storing; }

    // Each of these writes the value when storing and reads it when loading.
    void serialize(std::int32_t& value);
    void serialize(std::uint16_t& value);
    void serialize(std::string& text);
    void serializeTime(CalendarTime& time);

    // Loading: fails as a file cut short unless `count` items of at least
    // `minItemSize` bytes each can still follow.
    void requireRemaining(std::int64_t count, std::size_t minItemSize) const;
    std::uint64_t remaining() const { return (m_size - m_position) + m_sourceLeft; }

    // Loading: the next `count` bytes without consuming them, or null when
    // fewer remain; Skip consumes bytes seen through Peek.
    const std::uint8_t* peek(std::size_t count)
    {
        return count <= m_size - m_position || fill(count) ? m_data + m_position : nullptr;
    }
    void skip(std::size_t count) { m_position += count; }

    // Storing: the bytes written so far.
    const std::vector<std::uint8_t>& buffer() const { return m_buffer; }
    // Storing: bytes already in their stored form.
    void writeBytes(const void* source, std::size_t count);
    // Storing with a hand-on: hands on the bytes not handed on yet.
    void finish();

    // The bytes a text takes when stored, its length prefix included.
    static std::size_t storedTextSize(const std::string& text);
    static constexpr std::size_t kStoredTimeSize = 12;

private:
    void read(void* target, std::size_t count);
    // Makes at least `count` unread bytes lie at m_data + m_position; false
    // when the source ends before.
    bool fill(std::size_t count);
    std::uint8_t readByte();
    std::uint16_t readWord();
    std::uint32_t readDword();
    std::uint64_t readQword();
    void readText(std::string& text);
    void writeText(const std::string& text);

    bool m_storing;
    std::vector<std::uint8_t> m_buffer;
    HandOn m_handOn;
    std::size_t m_chunk = 0;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_position = 0;
    ReadSome m_readSome;
    std::vector<std::uint8_t> m_window;
    std::uint64_t m_sourceLeft = 0;
};
