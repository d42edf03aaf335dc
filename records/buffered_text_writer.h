#pragma once

#include "records/decimal_digits.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>

// Writes a text whose length is known when compiling, without a call.
template <std::size_t Size>
char* putLiteral(char* target, const char (&text)[Size])
{
    std::memcpy(target, text, Size - 1);
    return target + Size - 1;
}

// Text put together in a buffer of 64 KiB and handed to the stream a full
// buffer at a time; numbers are written in place, free of locales and of
// stdio. The writes are inline: an export makes a dozen of them per
// record.
class BufferedTextWriter {
public:
    explicit BufferedTextWriter(std::ostream& out);
    // Hands on what is left.
    ~BufferedTextWriter();
    BufferedTextWriter(const BufferedTextWriter&) = delete;
    BufferedTextWriter& operator=(const BufferedTextWriter&) = delete;

    BufferedTextWriter& operator<<(std::string_view text)
    {
        if (text.size() > kSize - m_used)
            return putLong(text);
        std::memcpy(m_buffer.get() + m_used, text.data(), text.size());
        m_used += text.size();
        return *this;
    }
    BufferedTextWriter& operator<<(char c)
    {
        if (m_used == kSize)
            flush();
        m_buffer[m_used++] = c;
        return *this;
    }
    template <DecimalNumber Number>
    BufferedTextWriter& operator<<(Number number)
    {
        wrote(putDecimal(room(kLongestDecimal), number));
        return *this;
    }
    // Room for up to `size` bytes (at most 64 KiB) to be written in place,
    // for a line put together field by field with one look at the room left;
    // `wrote` takes where the written bytes end.
    char* room(std::size_t size)
    {
        if (kSize - m_used < size)
            flush();
        return m_buffer.get() + m_used;
    }
    void wrote(const char* end) { m_used = static_cast<std::size_t>(end - m_buffer.get()); }
    void flush();

private:
    // A text longer than the room left.
    BufferedTextWriter& putLong(std::string_view text);

    static constexpr std::size_t kSize = 64 * 1024;
    std::ostream& m_out;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
};
