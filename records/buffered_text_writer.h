#pragma once

#include <charconv>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>
#include <type_traits>

// Text put together in a buffer of 64 KiB and handed to the stream a full
// buffer at a time; numbers are written with std::to_chars, free of locales
// and of stdio. The writes are inline: an export makes a dozen of them per
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
    // Integers of up to 64 bits with a sign, in decimal.
    template <std::integral Number>
    requires(!std::is_same_v<Number, char> && !std::is_same_v<Number, bool> &&
             (std::is_signed_v<Number> || sizeof(Number) < sizeof(std::int64_t))) BufferedTextWriter&
    operator<<(Number number)
    {
        constexpr std::size_t kLongest = 20; // "-9223372036854775808"
        if (kSize - m_used < kLongest)
            flush();
        char* const end = m_buffer.get() + kSize;
        m_used = static_cast<std::size_t>(std::to_chars(m_buffer.get() + m_used, end, number).ptr - m_buffer.get());
        return *this;
    }
    void flush();

private:
    // A text longer than the room left.
    BufferedTextWriter& putLong(std::string_view text);

    static constexpr std::size_t kSize = 64 * 1024;
    std::ostream& m_out;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
};
