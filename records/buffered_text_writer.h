#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string_view>
#include <type_traits>

// Text put together in a buffer of 64 KiB and handed to the stream a full
// buffer at a time; numbers are written with std::to_chars, free of locales
// and of stdio.
class BufferedTextWriter {
public:
    explicit BufferedTextWriter(std::ostream& out);
    // Hands on what is left.
    ~BufferedTextWriter();
    BufferedTextWriter(const BufferedTextWriter&) = delete;
    BufferedTextWriter& operator=(const BufferedTextWriter&) = delete;

    BufferedTextWriter& operator<<(std::string_view text);
    BufferedTextWriter& operator<<(char c);
    // Integers of up to 64 bits with a sign, in decimal.
    template <std::integral Number>
    requires(!std::is_same_v<Number, char> && !std::is_same_v<Number, bool> &&
             (std::is_signed_v<Number> || sizeof(Number) < sizeof(std::int64_t))) BufferedTextWriter&
    operator<<(Number number)
    {
        return putNumber(static_cast<std::int64_t>(number));
    }
    void flush();

private:
    BufferedTextWriter& putNumber(std::int64_t number);

    static constexpr std::size_t kSize = 64 * 1024;
    std::ostream& m_out;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
};
