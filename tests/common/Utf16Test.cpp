// UTF-16LE text (resource names, manifests) to the program's UTF-8, at the edges of each
// UTF-8 length and with surrogates paired, lone or cut off.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/Utf16.h"

namespace {
std::string Convert(const std::vector<std::uint16_t>& units, bool oddByte = false) {
  std::vector<std::uint8_t> bytes;
  for (std::uint16_t unit : units) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  if (oddByte) bytes.push_back(0x41);  // half a unit: not a character
  return Utf16LeToText(bytes);
}
}  // namespace

TEST(Utf16Test, EachLengthOfUtf8AtItsEdgesAndLoneSurrogatesReplaced) {
  EXPECT_EQ(Convert({0x7F, 0x80}), "\x7F\xC2\x80");
  EXPECT_EQ(Convert({0x7FF, 0x800}), "\xDF\xBF\xE0\xA0\x80");
  EXPECT_EQ(Convert({0xFFFF}), "\xEF\xBF\xBF");
  EXPECT_EQ(Convert({0xD800, 0xDC00, 0xDBFF, 0xDFFF}), "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(Convert({0xDC00, 'a'}), replacement + "a");
  EXPECT_EQ(Convert({0xD800, 'a'}), replacement + "a");
  EXPECT_EQ(Convert({'a', 0xD800}, true), "a" + replacement);
}
