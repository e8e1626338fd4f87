// The awareness Windows gives a program from the text of its manifest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/ManifestAwareness.h"

namespace {
const std::string kV1 = "urn:schemas-microsoft-com:asm.v1";
const std::string kV3 = "urn:schemas-microsoft-com:asm.v3";
const std::string k2005 = "http://schemas.microsoft.com/SMI/2005/WindowsSettings";
const std::string k2016 = "http://schemas.microsoft.com/SMI/2016/WindowsSettings";

// A manifest with `settings` where the loader reads them.
std::string InSettings(const std::string& settings) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<assembly xmlns=\"" + kV1 +
         "\" manifestVersion=\"1.0\"><application xmlns=\"" + kV3 + "\"><windowsSettings>" + settings +
         "</windowsSettings></application></assembly>";
}
std::string Aware(const std::string& value) { return "<dpiAware xmlns=\"" + k2005 + "\">" + value + "</dpiAware>"; }
std::string Awareness(const std::string& value) {
  return "<dpiAwareness xmlns=\"" + k2016 + "\">" + value + "</dpiAwareness>";
}

std::string Judge(const std::string& bytes) {
  AwarenessVerdict verdict =
      ManifestAwareness(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  return std::string(AwarenessText(verdict.awareness)) + " " + AwarenessSourceText(verdict.source);
}

// The text as UTF-16, little- or big-endian, with or without a byte-order mark (ASCII only).
std::string Utf16(const std::string& text, bool bigEndian, bool mark) {
  std::string bytes = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
  for (char c : text) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return bytes;
}

struct Case { std::string manifest, expected; };  // expected: awareness and source

void ExpectAll(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(Judge(c.manifest), c.expected) << c.manifest;
}
}  // namespace

TEST(ManifestAwarenessTest, ValuesOfTheTwoElements) {
  ExpectAll({
      {InSettings(Awareness(" FutureMode ,PERMONITOR\t, system")), "permonitor dpiAwareness"},
      {InSettings(Awareness(" unaware") + Aware("true")), "unaware dpiAwareness"},  // decides too
      {InSettings(Awareness("nothing, known") + Aware("true")), "system dpiAware"},
      {InSettings(Aware("false") + Aware("true")), "unaware dpiAware"},  // the first one counts
      {InSettings(Aware("tr&#x75;&#101;")), "system dpiAware"},
      {InSettings(Aware("<![CDATA[tr]]>u<!-- -->e")), "system dpiAware"},
      {InSettings(Aware("<x>true</x>")), "unaware dpiAware"},  // text of an inner element
  });
}

TEST(ManifestAwarenessTest, ElementsCountByNamespaceAndPlace) {
  ExpectAll({
      // Prefixes of any name; a default namespace declared above the element.
      {"<assembly xmlns=\"" + kV1 + "\" xmlns:v=\"" + kV3 + "\"><v:application><v:windowsSettings xmlns=\"" +
           k2005 + "\"><dpiAware>true</dpiAware></v:windowsSettings></v:application></assembly>",
       "system dpiAware"},
      // The right name in no namespace.
      {InSettings("<dpiAware>true</dpiAware>"), "unaware none"},
  });
}

TEST(ManifestAwarenessTest, EncodingsByByteOrderMarkOrFirstCharacter) {
  const std::string manifest = InSettings(Aware("true"));
  std::string utf16 = manifest;
  utf16.replace(utf16.find("UTF-8"), 5, "UTF-16");
  const std::size_t value = utf16.find("true");  // U+1F600 goes there, as a surrogate pair
  ExpectAll({
      {"\xEF\xBB\xBF" + manifest, "system dpiAware"},
      {Utf16(utf16, false, true), "system dpiAware"},
      {Utf16(utf16, true, true), "system dpiAware"},
      {Utf16(utf16, false, false), "system dpiAware"},
      {Utf16(utf16, true, false), "system dpiAware"},
      {utf16, "invalid none"},                         // says UTF-16, is UTF-8
      {Utf16(utf16, false, true) + std::string("\x00\xD8", 2), "invalid none"},  // a lone surrogate
      {InSettings(Aware("true")) + "\xC3", "invalid none"},         // a UTF-8 sequence cut at the end
      {InSettings(Aware("true")) + "\xC3(", "invalid none"},        // a whole document before it
      {Utf16(utf16.substr(0, value), false, true) + std::string("\x3D\xD8\x00\xDE", 4) +
           Utf16(utf16.substr(value), false, false),
       "unaware dpiAware"},
      {InSettings(Aware("\xC0\xAE")), "invalid none"},             // an overlong one
      // Two-, three- and four-byte characters, one of them starting an element's name.
      {InSettings(Aware("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80")), "unaware dpiAware"},
      {InSettings("<\xC3\x80 xmlns=\"u\"/>" + Aware("true")), "system dpiAware"},
  });
}

TEST(ManifestAwarenessTest, OnlyWellFormedXmlIsRead) {
  const std::string malformed[] = {
      "", "<a></b>", "<a/>text", "text<a/>", "<a b=c/>", "<a b=\"1\" b='2'/>", "<a b=\"1\"c=\"2\"/>",
      "<a b \"1\"/>", "<a xmlns:p=\"u\" xmlns:q=\"u\" p:b=\"1\" q:b=\"2\"/>", "<a><p:b></p:b></a>",
      "<a xmlns:p=\"\"/>", "<a><xmlns:b/></a>", "<a:b:c xmlns:a=\"u\"/>", "<a b=\"<\"/>", "<a>&nbsp;</a>",
      "<a>&#0;</a>", "<a>&#x110000;</a>", "<a>a & b</a>", "<a>]]></a>", "<a><![CDATA[x</a>",
      "<a><!-- a -- b --></a>", "<!DOCTYPE a><a/>", " <?xml version=\"1.0\"?><a/>",
      "<?xml version=\"2.0\"?><a/>", "<a><?xml-stylesheet ?><?XML x?></a>", "<a><?p:i ?></a>",
      std::string("<a>\0</a>", 8),
      Utf16("<a/>", false, true) + std::string("\x00\xD8\x41\x00", 4)};  // a surrogate left unpaired
  for (const std::string& manifest : malformed) EXPECT_EQ(Judge(manifest), "invalid none") << manifest;
  // Well-formed: comments, instructions and blanks around the root, single quotes, a tab,
  // a prefixed attribute, a combining mark in a name.
  EXPECT_EQ(Judge("<?xml version='1.0' standalone='no'?>\r\n<!-- c --><?app x?><a\tb='&quot;&lt;'>"
                  "<![CDATA[<&\xE1\x80\x80]]><c\xCC\x80 xmlns:p='u' p:d=''/></a> <!-- c -->\n"),
            "unaware none");
  // Deep nesting needs no deep stack.
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "<a>";
  for (int i = 0; i < 200000; ++i) deep += "</a>";
  EXPECT_EQ(Judge(deep), "unaware none");
  EXPECT_EQ(Judge(deep.substr(0, deep.size() - 1)), "invalid none");
}
