// UTF-16LE text (resource names, manifests) to the program's UTF-8, at the edges of each
// UTF-8 length and with surrogates paired, lone or cut off.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/Utf16.h"

namespace {
// The units as UTF-16LE bytes, then `tail` (an odd byte is half a unit: not a character).
std::string Convert(std::u16string_view units, std::string_view tail = "") {
  std::vector<std::uint8_t> bytes;
  for (char16_t unit : units)
    bytes.insert(bytes.end(), {std::uint8_t(unit & 0xFF), std::uint8_t(unit >> 8)});
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return Utf16LeToText(bytes);
}
}  // namespace

TEST(Utf16Test, EachLengthOfUtf8AtItsEdgesAndLoneSurrogatesReplaced) {
  EXPECT_EQ(Convert(u"\x7F\x80"), "\x7F\xC2\x80");
  EXPECT_EQ(Convert(u"\x7FF\x800"), "\xDF\xBF\xE0\xA0\x80");
  EXPECT_EQ(Convert(u"\xFFFF"), "\xEF\xBF\xBF");
  EXPECT_EQ(Convert(u"\xD800\xDC00\xDBFF\xDFFF"), "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(Convert(u"\xDC00\xD800" u"a"), replacement + replacement + "a");
  EXPECT_EQ(Convert(u"a\xD800", "A"), "a" + replacement);
}
