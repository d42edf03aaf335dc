#include "records/buffered_text_writer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

BufferedTextWriter::BufferedTextWriter(std::ostream& out) : m_out(out), m_buffer(new char[kSize])
{
}

BufferedTextWriter::~BufferedTextWriter()
{
    flush();
}

BufferedTextWriter& BufferedTextWriter::operator<<(std::string_view text)
{
    while (!text.empty()) {
        if (m_used == kSize)
            flush();
        const std::size_t part = std::min(text.size(), kSize - m_used);
        std::memcpy(m_buffer.get() + m_used, text.data(), part);
        m_used += part;
        text.remove_prefix(part);
    }
    return *this;
}

BufferedTextWriter& BufferedTextWriter::operator<<(char c)
{
    if (m_used == kSize)
        flush();
    m_buffer[m_used++] = c;
    return *this;
}

BufferedTextWriter& BufferedTextWriter::putNumber(std::int64_t number)
{
    constexpr std::size_t kLongest = 20; // "-9223372036854775808"
    if (kSize - m_used < kLongest)
        flush();
    m_used = static_cast<std::size_t>(std::to_chars(m_buffer.get() + m_used, m_buffer.get() + kSize, number).ptr -
                                      m_buffer.get());
    return *this;
}

void BufferedTextWriter::flush()
{
    if (m_used > 0)
        m_out.write(m_buffer.get(), static_cast<std::streamsize>(m_used));
    m_used = 0;
}
