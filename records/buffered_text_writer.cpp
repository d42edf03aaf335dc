#include "records/buffered_text_writer.h"

#include <algorithm>

BufferedTextWriter::BufferedTextWriter(std::ostream& out) : m_out(out), m_buffer(new char[kSize])
{
}

BufferedTextWriter::~BufferedTextWriter()
{
    flush();
}

BufferedTextWriter& BufferedTextWriter::putLong(std::string_view text)
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

void BufferedTextWriter::flush()
{
    if (m_used > 0)
        m_out.write(m_buffer.get(), static_cast<std::streamsize>(m_used));
    m_used = 0;
}
