#include "records/export_fields.h"

#include <charconv>

namespace {

// from_chars takes a minus sign for signed types only, and no plus sign or blanks.
template <typename Number>
std::optional<Number> readWhole(std::string_view text)
{
    Number value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int64_t> readInteger64(std::string_view text)
{
    return readWhole<std::int64_t>(text);
}

std::optional<std::uint16_t> readUnsigned16(std::string_view text)
{
    return readWhole<std::uint16_t>(text);
}

std::string_view withoutByteOrderMark(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? text.substr(kByteOrderMark.size()) : text;
}
