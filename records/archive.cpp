#include "records/archive.h"

#include "records/document_error.h"
#include "records/text_encoding.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kTimeMarker = 0x8000000Au;
constexpr std::uint16_t kUtf16Tag = 0xFFFEu;
// What a source is asked for at once: few calls, yet little memory beyond the document's own.
constexpr std::size_t kReadAhead = 1 << 16;

} // namespace

Archive::Archive() : m_storing(true)
{
}

Archive::Archive(HandOn handOn, std::size_t chunk) : m_storing(true), m_handOn(std::move(handOn)), m_chunk(chunk)
{
    m_buffer.reserve(chunk);
}

Archive::Archive(const std::uint8_t* data, std::size_t size) : m_storing(false), m_data(data), m_size(size)
{
}

Archive::Archive(ReadSome readSome, std::uint64_t size)
    : m_storing(false), m_readSome(std::move(readSome)), m_sourceLeft(size)
{
}

bool Archive::fill(std::size_t count)
{
    if (!m_readSome || count > remaining())
        return false;
    const std::size_t unread = m_size - m_position;
    if (m_position > 0 && unread > 0)
        std::memmove(m_window.data(), m_data + m_position, unread);
    m_position = 0;
    m_size = unread;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(unread + m_sourceLeft, count + kReadAhead));
    if (m_window.size() < wanted)
        m_window.resize(wanted);
    m_data = m_window.data();
    while (m_size < count) {
        const std::size_t got = m_readSome(m_window.data() + m_size, m_window.size() - m_size);
        if (got == 0) {
            m_sourceLeft = 0; // the source ended early: it shrank meanwhile
            return false;
        }
        m_size += got;
        m_sourceLeft -= std::min<std::uint64_t>(got, m_sourceLeft);
    }
    return true;
}

void Archive::read(void* target, std::size_t count)
{
    if (count > m_size - m_position && !fill(count))
        throw DocumentError(DocumentError::Cause::CutShort);
    std::memcpy(target, m_data + m_position, count);
    m_position += count;
}

void Archive::writeBytes(const void* source, std::size_t count)
{
    const auto* bytes = static_cast<const std::uint8_t*>(source);
    m_buffer.insert(m_buffer.end(), bytes, bytes + count);
    if (m_handOn && m_buffer.size() >= m_chunk)
        finish();
}

void Archive::finish()
{
    if (!m_buffer.empty())
        m_handOn(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

std::uint8_t Archive::readByte()
{
    std::uint8_t value;
    read(&value, 1);
    return value;
}

std::uint16_t Archive::readWord()
{
    std::uint8_t b[2];
    read(b, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t Archive::readDword()
{
    std::uint8_t b[4];
    read(b, 4);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::uint64_t Archive::readQword()
{
    const std::uint64_t low = readDword();
    const std::uint64_t high = readDword();
    return low | (high << 32);
}

void Archive::serialize(std::int32_t& value)
{
    if (m_storing) {
        const auto bits = static_cast<std::uint32_t>(value);
        const std::uint8_t b[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                   static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
        writeBytes(b, 4);
    } else {
        value = static_cast<std::int32_t>(readDword());
    }
}

void Archive::serialize(std::uint16_t& value)
{
    if (m_storing) {
        const std::uint8_t b[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
        writeBytes(b, 2);
    } else {
        value = readWord();
    }
}

void Archive::serialize(std::string& text)
{
    if (m_storing)
        writeText(text);
    else
        readText(text);
}

void Archive::serializeTime(CalendarTime& time)
{
    if (m_storing) {
        std::int32_t marker = static_cast<std::int32_t>(kTimeMarker);
        serialize(marker);
        const auto bits = static_cast<std::uint64_t>(time);
        std::int32_t low = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        std::int32_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32));
        serialize(low);
        serialize(high);
        return;
    }
    const std::uint32_t first = readDword();
    if (first == kTimeMarker)
        time = static_cast<CalendarTime>(readQword());
    else
        time = static_cast<std::int32_t>(first); // the older 4-byte form, sign-extended
}

void Archive::requireRemaining(std::int64_t count, std::size_t minItemSize) const
{
    if (count > 0 && static_cast<std::uint64_t>(count) > remaining() / minItemSize)
        throw DocumentError(DocumentError::Cause::CutShort);
}

void Archive::readText(std::string& text)
{
    bool utf16 = false;
    std::uint64_t length = 0;
    for (;;) {
        const std::uint8_t first = readByte();
        if (first < 0xFF) {
            length = first;
            break;
        }
        const std::uint16_t word = readWord();
        if (word == kUtf16Tag && !utf16) {
            utf16 = true;
            continue;
        }
        if (word < 0xFFFF) {
            length = word;
            break;
        }
        const std::uint32_t dword = readDword();
        if (dword < 0xFFFFFFFFu) {
            length = dword;
            break;
        }
        length = readQword();
        if (length > 0x7FFFFFFFu)
            throw DocumentError(DocumentError::Cause::LoadFailed);
        break;
    }
    const std::uint64_t bytes = utf16 ? length * 2 : length;
    if (bytes > m_size - m_position && !fill(static_cast<std::size_t>(bytes)))
        throw DocumentError(DocumentError::Cause::CutShort);
    const std::uint8_t* start = m_data + m_position;
    m_position += static_cast<std::size_t>(bytes);
    if (utf16)
        text = utf16LeToUtf8(start, static_cast<std::size_t>(length));
    else
        text.assign(reinterpret_cast<const char*>(start), static_cast<std::size_t>(length));
}

std::size_t Archive::storedTextSize(const std::string& text)
{
    const std::uint64_t length = text.size();
    const std::size_t prefix = length < 0xFF ? 1 : length < 0xFFFE ? 3 : length < 0xFFFFFFFFu ? 7 : 15;
    return prefix + text.size();
}

void Archive::writeText(const std::string& text)
{
    const std::uint64_t length = text.size();
    const std::uint8_t ff[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    if (length < 0xFF) {
        const auto b = static_cast<std::uint8_t>(length);
        writeBytes(&b, 1);
    } else if (length < 0xFFFE) {
        writeBytes(ff, 1);
        std::uint16_t word = static_cast<std::uint16_t>(length);
        serialize(word);
    } else if (length < 0xFFFFFFFFu) {
        writeBytes(ff, 3);
        std::int32_t dword = static_cast<std::int32_t>(static_cast<std::uint32_t>(length));
        serialize(dword);
    } else {
        writeBytes(ff, 7);
        std::int32_t low = static_cast<std::int32_t>(static_cast<std::uint32_t>(length));
        std::int32_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(length >> 32));
        serialize(low);
        serialize(high);
    }
    writeBytes(text.data(), text.size());
}
