// The awareness Windows gives a program from its manifest, over manifest texts: where
// the elements count, their values, namespaces, encodings and well-formedness.
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
// The manifest as UTF-16LE with a byte-order mark and U+1F600 in a comment before its root.
std::string WithPair(const std::string& manifest) {
  const std::size_t root = manifest.find("<assembly");
  return Utf16(manifest.substr(0, root) + "<!--", false, true) + std::string("\x3D\xD8\x00\xDE", 4) +
         Utf16("-->" + manifest.substr(root), false, false);
}

struct Case { std::string manifest, expected; };  // expected: awareness and source

void ExpectAll(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(Judge(c.manifest), c.expected) << c.manifest;
}
}  // namespace

TEST(ManifestAwarenessTest, ValuesOfTheTwoElements) {
  ExpectAll({
      {InSettings(Awareness(" FutureMode ,PERMONITOR\t, system")), "permonitor dpiAwareness"},
      {InSettings(Awareness("unaware") + Aware("true")), "unaware dpiAwareness"},  // decides too
      {InSettings(Awareness("nothing, known") + Aware("true")), "system dpiAware"},
      {InSettings(Aware("explorer")), "unaware dpiAware"},
      {InSettings(Aware("false") + Aware("true")), "unaware dpiAware"},  // the first one counts
      {InSettings(Aware("tr&#x75;&#101;")), "system dpiAware"},
      {InSettings(Aware("<![CDATA[tr]]>u<!-- -->e")), "system dpiAware"},
      {InSettings(Aware("<x>true</x>")), "unaware dpiAware"},  // text of an inner element
  });
}

TEST(ManifestAwarenessTest, ElementsCountByNamespaceAndPlace) {
  const std::string head = "<assembly xmlns=\"" + kV1 + "\" xmlns:v3=\"" + kV3 + "\">";
  ExpectAll({
      // Prefixes of any name, declared on the element or above it.
      {InSettings("<s:dpiAware xmlns:s=\"" + k2005 + "\">true</s:dpiAware>"), "system dpiAware"},
      {head + "<v3:application><v3:windowsSettings xmlns=\"" + k2005 +
           "\"><dpiAware>true</dpiAware></v3:windowsSettings></v3:application></assembly>",
       "system dpiAware"},
      {"<m:assembly xmlns:m=\"" + kV3 + "\"><m:application><m:windowsSettings><m:x xmlns:m=\"" +
           k2016 + "\"/>" + Awareness("system") + "</m:windowsSettings></m:application></m:assembly>",
       "system dpiAwareness"},
      // The right name in the wrong namespace, or in none.
      {InSettings("<dpiAware>true</dpiAware>"), "unaware none"},
      {InSettings("<dpiaware xmlns=\"" + k2005 + "\">true</dpiaware>"), "unaware none"},
      // The right element in the wrong place.
      {head + "<v3:application>" + Aware("true") + "</v3:application></assembly>", "unaware none"},
      {head + Aware("true") + "</assembly>", "unaware none"},
      {head + "<v3:application><v3:windowsSettings><v3:x>" + Aware("true") +
           "</v3:x></v3:windowsSettings></v3:application></assembly>",
       "unaware none"},
      {"<manifest xmlns=\"" + kV1 + "\"><application xmlns=\"" + kV3 + "\"><windowsSettings>" +
           Aware("true") + "</windowsSettings></application></manifest>",
       "unaware none"},
  });
}

TEST(ManifestAwarenessTest, EncodingsByByteOrderMarkOrFirstCharacter) {
  const std::string manifest = InSettings(Aware("true"));
  std::string utf16 = manifest;
  utf16.replace(utf16.find("UTF-8"), 5, "UTF-16");
  std::string undeclared = manifest.substr(manifest.find('<', 1));
  ExpectAll({
      {"\xEF\xBB\xBF" + manifest, "system dpiAware"},
      {Utf16(utf16, false, true), "system dpiAware"},
      {Utf16(utf16, true, true), "system dpiAware"},
      {Utf16(utf16, false, false), "system dpiAware"},
      {Utf16(undeclared, true, false), "system dpiAware"},
      {Utf16(manifest, false, true), "invalid none"},  // says UTF-8, is UTF-16
      {utf16, "invalid none"},                         // says UTF-16, is UTF-8
      {Utf16(utf16, false, true) + std::string("\x00\xD8", 2), "invalid none"},  // a lone surrogate
      {InSettings(Aware("true\xC3")), "invalid none"},             // a cut UTF-8 sequence
      {InSettings(Aware("true")) + "\xC3", "invalid none"},         // cut at the very end
      {InSettings(Aware("true")) + "\xC3(", "invalid none"},        // a whole document before it
      {WithPair(utf16), "system dpiAware"},                        // a surrogate pair
      {InSettings(Aware("\xC0\xAE")), "invalid none"},             // an overlong one
      // Two-, three- and four-byte characters, one of them starting an element's name.
      {InSettings(Aware("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80")), "unaware dpiAware"},
      {InSettings("<\xC3\x80 xmlns=\"u\"/>" + Aware("true")), "system dpiAware"},
  });
}

TEST(ManifestAwarenessTest, MalformedXmlIsInvalid) {
  const std::string malformed[] = {
      "", "<a></b>", "<a/><b/>", "<a/>text", "text<a/>", "<a b=c/>", "<a b=\"1\" b='2'/>",
      "<a b=\"1\"c=\"2\"/>", "<a b \"1\"/>", "<a xmlns:p=\"u\" xmlns:q=\"u\" p:b=\"1\" q:b=\"2\"/>", "<p:a/>",
      "<a xmlns:p=\"\"/>", "<xmlns:a/>", "<a:b:c xmlns:a=\"u\"/>", "<a b=\"<\"/>", "<a>&nbsp;</a>",
      "<a>&#0;</a>", "<a>&#x110000;</a>", "<a>a & b</a>", "<a>]]></a>", "<a><![CDATA[x</a>",
      "<a><!-- a -- b --></a>", "<a><!-- a ---></a>", "<!DOCTYPE a><a/>", " <?xml version=\"1.0\"?><a/>",
      "<?xml version=\"2.0\"?><a/>", "<a><?xml-stylesheet ?><?XML x?></a>", std::string("<a>\0</a>", 8)};
  for (const std::string& manifest : malformed) EXPECT_EQ(Judge(manifest), "invalid none") << manifest;
  // Well-formed: comments, instructions and blanks around the root, single quotes.
  EXPECT_EQ(Judge("<?xml version='1.0' standalone='no'?>\r\n<!-- c --><?pi x?><a b='&quot;&lt;'>"
                  "<![CDATA[<&]]><c/></a> <!-- c -->\n"),
            "unaware none");
}

TEST(ManifestAwarenessTest, DeepNestingNeedsNoDeepStack) {
  const std::size_t depth = 200000;
  std::string manifest;
  for (std::size_t i = 0; i < depth; ++i) manifest += "<a>";
  for (std::size_t i = 0; i < depth; ++i) manifest += "</a>";
  EXPECT_EQ(Judge(manifest), "unaware none");
  EXPECT_EQ(Judge(manifest.substr(0, manifest.size() - 1)), "invalid none");
}
