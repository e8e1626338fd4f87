#pragma once
#include <cstdint>
#include <span>
#include <string>

// UTF-16LE code units (as bytes) to the program's 8-bit text (UTF-8). A lone
// surrogate becomes U+FFFD, so any byte sequence converts.
std::string Utf16LeToText(std::span<const std::uint8_t> bytes);
