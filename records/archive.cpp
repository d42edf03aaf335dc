#include "archive.h"

#include "document_error.h"
#include "text_encoding.h"

#include <cstring>

namespace {

constexpr std::uint32_t kTimeMarker = 0x8000000Au;
constexpr std::uint16_t kUtf16Tag = 0xFFFEu;

} // namespace

CArchive::CArchive() : m_bStoring(true) {}

CArchive::CArchive(const std::uint8_t* data, std::size_t size) : m_bStoring(false), m_data(data), m_size(size) {}

void CArchive::Read(void* target, std::size_t count)
{
    if (count > Remaining())
        throw CDocumentError(CDocumentError::Cause::CutShort);
    std::memcpy(target, m_data + m_position, count);
    m_position += count;
}

void CArchive::Write(const void* source, std::size_t count)
{
    const auto* bytes = static_cast<const std::uint8_t*>(source);
    m_buffer.insert(m_buffer.end(), bytes, bytes + count);
}

std::uint8_t CArchive::ReadByte()
{
    std::uint8_t value;
    Read(&value, 1);
    return value;
}

std::uint16_t CArchive::ReadWord()
{
    std::uint8_t b[2];
    Read(b, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t CArchive::ReadDword()
{
    std::uint8_t b[4];
    Read(b, 4);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::uint64_t CArchive::ReadQword()
{
    const std::uint64_t low = ReadDword();
    const std::uint64_t high = ReadDword();
    return low | (high << 32);
}

void CArchive::Serialize(std::int32_t& value)
{
    if (m_bStoring) {
        const auto bits = static_cast<std::uint32_t>(value);
        const std::uint8_t b[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                   static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
        Write(b, 4);
    } else {
        value = static_cast<std::int32_t>(ReadDword());
    }
}

void CArchive::Serialize(std::uint16_t& value)
{
    if (m_bStoring) {
        const std::uint8_t b[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
        Write(b, 2);
    } else {
        value = ReadWord();
    }
}

void CArchive::Serialize(std::string& text)
{
    if (m_bStoring)
        WriteText(text);
    else
        ReadText(text);
}

void CArchive::SerializeTime(CalendarTime& time)
{
    if (m_bStoring) {
        std::int32_t marker = static_cast<std::int32_t>(kTimeMarker);
        Serialize(marker);
        const auto bits = static_cast<std::uint64_t>(time);
        std::int32_t low = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        std::int32_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32));
        Serialize(low);
        Serialize(high);
        return;
    }
    const std::uint32_t first = ReadDword();
    if (first == kTimeMarker)
        time = static_cast<CalendarTime>(ReadQword());
    else
        time = static_cast<std::int32_t>(first); // the older 4-byte form, sign-extended
}

void CArchive::RequireRemaining(std::int64_t count, std::size_t minItemSize) const
{
    if (count > 0 && static_cast<std::uint64_t>(count) > Remaining() / minItemSize)
        throw CDocumentError(CDocumentError::Cause::CutShort);
}

void CArchive::ReadText(std::string& text)
{
    bool utf16 = false;
    std::uint64_t length = 0;
    for (;;) {
        const std::uint8_t first = ReadByte();
        if (first < 0xFF) {
            length = first;
            break;
        }
        const std::uint16_t word = ReadWord();
        if (word == kUtf16Tag && !utf16) {
            utf16 = true;
            continue;
        }
        if (word < 0xFFFF) {
            length = word;
            break;
        }
        const std::uint32_t dword = ReadDword();
        if (dword < 0xFFFFFFFFu) {
            length = dword;
            break;
        }
        length = ReadQword();
        if (length > 0x7FFFFFFFu)
            throw CDocumentError(CDocumentError::Cause::LoadFailed);
        break;
    }
    const std::uint64_t bytes = utf16 ? length * 2 : length;
    if (bytes > Remaining())
        throw CDocumentError(CDocumentError::Cause::CutShort);
    const std::uint8_t* start = m_data + m_position;
    m_position += static_cast<std::size_t>(bytes);
    if (utf16)
        text = Utf16LeToUtf8(start, static_cast<std::size_t>(length));
    else
        text.assign(reinterpret_cast<const char*>(start), static_cast<std::size_t>(length));
}

void CArchive::WriteText(const std::string& text)
{
    const std::uint64_t length = text.size();
    const std::uint8_t ff[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    if (length < 0xFF) {
        const auto b = static_cast<std::uint8_t>(length);
        Write(&b, 1);
    } else if (length < 0xFFFE) {
        Write(ff, 1);
        std::uint16_t word = static_cast<std::uint16_t>(length);
        Serialize(word);
    } else if (length < 0xFFFFFFFFu) {
        Write(ff, 3);
        std::int32_t dword = static_cast<std::int32_t>(static_cast<std::uint32_t>(length));
        Serialize(dword);
    } else {
        Write(ff, 7);
        std::int32_t low = static_cast<std::int32_t>(static_cast<std::uint32_t>(length));
        std::int32_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(length >> 32));
        Serialize(low);
        Serialize(high);
    }
    Write(text.data(), text.size());
}
