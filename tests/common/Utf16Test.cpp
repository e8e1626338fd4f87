// UTF-16LE text (resource names, manifests) to the program's UTF-8, at the edges of each
// UTF-8 length and with surrogates paired, lone or cut off.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "inspect/Utf16.h"

namespace {
// The units' bytes (the test hosts are little-endian) less the last `cut` of them.
std::string Convert(std::u16string_view units, std::size_t cut = 0) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(units.data());
  return Utf16LeToText(std::span(bytes, 2 * units.size() - cut));
}
}  // namespace

TEST(Utf16Test, EachLengthOfUtf8AtItsEdgesAndLoneSurrogatesReplaced) {
  EXPECT_EQ(Convert(u"\x7F\x80\x7FF\x800\xFFFF"), "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
  EXPECT_EQ(Convert(u"\xD800\xDC00\xDBFF\xDFFF"), "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
  EXPECT_EQ(Convert(u"\xDC00\xD800" u"a"), "\xEF\xBF\xBD\xEF\xBF\xBD" "a");  // lone: U+FFFD
  EXPECT_EQ(Convert(u"a\xD800\xDC00", 1), "a\xEF\xBF\xBD");  // the low surrogate cut in half
}
