#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Texts are kept as the bytes of the file. For display they are read as
// UTF-8 when valid, else as Windows-1252 (files written on Windows).
bool isValidUtf8(const std::string& bytes);
std::string decodeText(const std::string& bytes);

// UTF-16LE code units to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16LeToUtf8(const std::uint8_t* data, std::size_t units);

// Appends one Unicode code point as UTF-8.
void appendUtf8(std::string& out, std::uint32_t code);
