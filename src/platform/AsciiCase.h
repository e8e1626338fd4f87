#pragma once
// Letter case the way the system compares 8-bit paths and names: only the ASCII
// letters A-Z and a-z change; every other byte stays as it is.
#include <algorithm>
#include <string>
#include <string_view>

inline unsigned char LowerAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

inline std::string LowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(LowerAscii(c));
  return text;
}

inline std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}
