// The executable reader against files that lie: wrong magic, wild header offsets,
// counts that overflow, offsets past the end of the file, sizes no file holds. Every
// case must finish with empty or partial answers, never a crash, a hang or a huge
// allocation; what the reader does answer must still follow the format's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "PeImageBuilder.h"
#include "inspect/DeclaresHighDpi.h"
#include "inspect/InspectExecutable.h"
#include "inspect/clsExeReader.h"
#include "platform/CurrentError.h"

using namespace testpe;

namespace {
constexpr const char* kTrueManifest =
    "<assembly><application><windowsSettings><dpiAware>true</dpiAware>"
    "</windowsSettings></application></assembly>";

struct Listing {
  std::vector<std::string> strings;
  std::vector<std::int32_t> offsets;
};

Listing List(clsExeReader& reader, std::int32_t offset) {
  Listing l;
  reader.EnumResources(offset, l.strings, l.offsets);
  EXPECT_EQ(l.strings.size(), l.offsets.size());
  return l;
}

// A GUI program with one code section and a resource section holding `tree`.
PeImage GuiImage(const ResourceTree& tree, std::uint16_t machine = kMachineI386) {
  return PeImageBuilder()
      .Machine(machine)
      .AddSection({".text", 0x1000, std::vector<std::uint8_t>(16, 0xC3)})
      .AddResources(tree)
      .Build();
}

PeImage ManifestImage(const std::string& manifest) {
  return GuiImage(ResourceTree().AddManifest(manifest));
}

class HostileExecutableTest : public ::testing::Test {
 protected:
  void SetUp() override { CurrentError::Clear(); }
  void Load(const TempExe& file) {
    reader.LoadExe(file.Path());
    ASSERT_EQ(CurrentError::Number(), 0) << CurrentError::Description();
  }
  clsExeReader reader;
};
}  // namespace

// Files that are not PE images at all load without an error and read as an empty
// reader: no machine, no subsystem, no sections, and the verdict "N/A".
TEST_F(HostileExecutableTest, FilesWithoutPeHeadersLoadQuietlyAsEmpty) {
  auto patched = [](std::size_t offset, std::uint32_t value) {
    PeImage image = ManifestImage(kTrueManifest);
    image.Put32(offset, value);
    return image.bytes;
  };
  std::vector<std::uint8_t> magicOnly(63, 0xFF);
  magicOnly[0] = 'M', magicOnly[1] = 'Z';
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"an empty file", {}},
      {"a 2-byte file", {'M', 'Z'}},
      {"a 63-byte file with the magic", magicOnly},
      {"no MZ magic", patched(0, 0x00905A5A)},
      {"e_lfanew 63, inside the DOS header", patched(60, 63)},
      {"negative e_lfanew", patched(60, 0xFFFFFF80u)},
      {"e_lfanew 0x80000000", patched(60, 0x80000000u)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempExe file(c.bytes);
    ExeInspection result = InspectExecutable(reader, file.Path());
    EXPECT_TRUE(result.loaded);
    EXPECT_EQ(result.errorNumber, 0);
    EXPECT_EQ(result.dpiAware, DpiVerdict::NotApplicable);
    EXPECT_EQ(reader.Machine() + reader.Subsystem(), 0);
    EXPECT_TRUE(List(reader, 0).strings.empty());
  }
}

// The PE headers are looked for from offset 64 up to 65536 inclusive.
TEST_F(HostileExecutableTest, LfanewIsReadUpTo65536) {
  const struct {
    std::int32_t lfanew;
    bool read;
  } cases[] = {{64, true}, {65536, true}, {65537, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lfanew);
    TempExe file(PeImageBuilder().Lfanew(c.lfanew).Machine(kMachineAmd64).Build().bytes);
    Load(file);
    EXPECT_EQ(reader.Machine(), c.read ? kMachineAmd64 : 0);
    EXPECT_EQ(reader.Subsystem(), c.read ? kSubsystemGui : 0);
    if (c.read) {
      EXPECT_EQ(reader.GetOffsetToCodeSection(), c.lfanew + 24 + 240);
    }
  }
}

// Loading a file clears the headers the previous one left: a non-PE file after a GUI
// program must not read as that program. Where the resource section lies is kept until
// a section listing finds another one.
TEST_F(HostileExecutableTest, LoadingAnotherFileForgetsThePreviousHeaders) {
  TempExe gui(ManifestImage(kTrueManifest).bytes);
  Load(gui);
  ASSERT_FALSE(List(reader, 0).strings.empty());
  const std::int32_t root = reader.ResourceRootOffset(), rva = reader.ResourceSectionRva();
  ASSERT_NE(root, 0);
  ASSERT_TRUE(DeclaresHighDpi(reader));

  TempExe text(std::string("plain text, not a program"));
  ExeInspection result = InspectExecutable(reader, text.Path());
  EXPECT_TRUE(result.loaded);
  EXPECT_EQ(result.bits, "");
  EXPECT_EQ(result.subsystem, 0);
  EXPECT_EQ(result.dpiAware, DpiVerdict::NotApplicable);
  EXPECT_EQ(reader.ResourceRootOffset(), root);
  EXPECT_EQ(reader.ResourceSectionRva(), rva);
}

// Section counts are signed 16-bit: zero and "negative" counts list nothing; a count
// the file cannot hold lists the headers it does hold, the last one cut by its end.
TEST_F(HostileExecutableTest, SectionCountsOutsideTheFile) {
  const struct {
    std::uint16_t count;
    bool listed;
  } cases[] = {{0, false}, {0x8000, false}, {0xFFFF, false}, {0x7FFF, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    PeImage image = PeImageBuilder()
                        .NumberOfSections(c.count)
                        .AddResources(ResourceTree().AddManifest(kTrueManifest))
                        .Build();
    TempExe file(image.bytes);
    Load(file);
    Listing sections = List(reader, 0);
    if (!c.listed) {
      EXPECT_TRUE(sections.strings.empty());
      continue;
    }
    ASSERT_EQ(sections.strings.size(), (image.bytes.size() - image.sectionTable + 39) / 40);
    EXPECT_EQ(sections.strings.front(), ".rsrc");
  }
}

// Names are 8 bytes, cut at the first NUL; ".rsrc" is recognised in any letter case by
// the listing, while the verdict looks for the exact lower-case name only.
TEST_F(HostileExecutableTest, SectionNamesAndTheResourceSection) {
  ResourceTree tree;
  tree.AddManifest(kTrueManifest);
  PeImage image = PeImageBuilder()
                      .AddSection({".textbss", 0x1000, std::vector<std::uint8_t>(8, 1)})
                      .AddResources(tree, ".RSRC")
                      .Build();
  TempExe file(image.bytes);
  Load(file);
  Listing sections = List(reader, 0);
  ASSERT_EQ(sections.strings, (std::vector<std::string>{".textbss", ".RSRC"}));
  EXPECT_EQ(sections.offsets[0], static_cast<std::int32_t>(image.sectionData[0]));
  EXPECT_EQ(sections.offsets[1], -static_cast<std::int32_t>(image.resourceSection));
  EXPECT_EQ(reader.ResourceRootOffset(), static_cast<std::int32_t>(image.resourceSection));
  EXPECT_EQ(reader.ResourceSectionRva(), 0x2000);
  EXPECT_EQ(List(reader, sections.offsets[1]).strings, std::vector<std::string>{"Manifest"});
  EXPECT_FALSE(DeclaresHighDpi(reader));
}

// Only the root directory names the standard types; below it an ID is just a number.
TEST_F(HostileExecutableTest, IdsAreTypeNamesOnlyAtTheRoot) {
  ResourceTree tree;
  tree.Add(ResourceKey::Id(24), ResourceKey::Id(24), ResourceKey::Id(24), "a")
      .Add(ResourceKey::Id(13), ResourceKey::Id(1033), ResourceKey::Id(1033), "b")
      .Add(ResourceKey::Id(99), ResourceKey::Id(3), ResourceKey::Id(0), "c");
  PeImage image = GuiImage(tree);
  TempExe file(image.bytes);
  Load(file);
  Listing root = List(reader, List(reader, 0).offsets[1]);
  EXPECT_EQ(root.strings, (std::vector<std::string>{"Manifest", "13", "99"}));
  for (std::size_t i = 0; i < tree.Leaves().size(); ++i) {
    const ResourceLayout::Leaf& leaf = image.resources.leaves[i];
    ASSERT_EQ(root.offsets[i], -static_cast<std::int32_t>(image.InResources(leaf.typeDirectory)));
    Listing names = List(reader, root.offsets[i]);
    ASSERT_EQ(names.strings.size(), 1u);
    EXPECT_EQ(names.strings[0], std::to_string(tree.Leaves()[i].name.id));
    Listing languages = List(reader, names.offsets[0]);
    ASSERT_EQ(languages.strings.size(), 1u);
    EXPECT_EQ(languages.strings[0], std::to_string(tree.Leaves()[i].language.id));
    EXPECT_EQ(languages.offsets[0], static_cast<std::int32_t>(image.InResources(leaf.dataEntry)));
    EXPECT_EQ(reader.GetResourceData(languages.offsets[0]), tree.Leaves()[i].bytes);
  }
}

// Named entries read their UTF-16 string; an empty string (or one past the end of the
// file, which reads as length 0) shows the raw Name field as a negative number.
TEST_F(HostileExecutableTest, NamedEntries) {
  ResourceTree tree;
  tree.Add(ResourceKey::Named(u"MUI"), ResourceKey::Named(u""), ResourceKey::Id(1033), "x")
      .Add(ResourceKey::Named(u"MUI"), ResourceKey::Named(u"LONGER NAME"), ResourceKey::Id(0), "y")
      .Add(ResourceKey::Id(24), ResourceKey::Id(1), ResourceKey::Id(1033), "z");
  PeImage image = GuiImage(tree);
  const std::uint32_t emptyName = image.resources.nameStrings[1];
  // Third name entry of the "MUI" directory: its string lies far past the end.
  const std::uint32_t typeDirectory = image.resources.leaves[0].typeDirectory;
  image.Put16(image.InResources(typeDirectory) + 12, 3);
  image.Put32(image.InResources(typeDirectory) + 16 + 16, 0xFFFFFFF0u);
  TempExe file(image.bytes);
  Load(file);
  Listing root = List(reader, List(reader, 0).offsets[1]);
  EXPECT_EQ(root.strings, (std::vector<std::string>{"MUI", "Manifest"}));
  Listing names = List(reader, root.offsets[0]);
  ASSERT_EQ(names.strings.size(), 3u);
  EXPECT_EQ(names.strings[0], std::to_string(static_cast<std::int32_t>(0x80000000u | emptyName)));
  EXPECT_EQ(names.strings[1], "LONGER NAME");
  EXPECT_EQ(names.strings[2], "-16");
}

// A named entry whose length claims more units than the file holds reads what is there.
TEST_F(HostileExecutableTest, NameLongerThanTheFile) {
  ResourceTree tree;
  tree.Add(ResourceKey::Named(u"TAIL"), ResourceKey::Id(1), ResourceKey::Id(1033), "x");
  PeImage image = GuiImage(tree);
  const std::uint32_t name = image.InResources(image.resources.nameStrings[0]);
  image.Put16(name, 0x7FFF);
  image.bytes.resize(name + 2 + 8);  // the file ends right after "TAIL"
  TempExe file(image.bytes);
  Load(file);
  EXPECT_EQ(List(reader, List(reader, 0).offsets[1]).strings.at(0).substr(0, 4), "TAIL");
}

// Entries that all name one long string cannot make a listing hold more text than the
// file: once the names read add up to half its bytes, the rest read as unnamed.
TEST_F(HostileExecutableTest, EntriesNamingOneStringAreBoundedByTheFile) {
  PeImage image = ManifestImage(kTrueManifest);
  const std::uint32_t root = image.InResources(image.resources.root);
  const auto text = static_cast<std::uint32_t>(image.bytes.size());
  const std::uint32_t nameField = 0x80000000u | (text - image.resourceSection);
  image.bytes.resize(text + 2 + 2 * 200);
  image.Put16(text, 200);
  for (std::uint32_t k = 0; k < 200; ++k) image.Put16(text + 2 + 2 * k, 'N');
  const auto entries = static_cast<std::uint16_t>((text - root - 16) / 8);
  image.Put16(root + 12, entries);
  image.Put16(root + 14, 0);
  for (std::uint32_t i = 0; i < entries; ++i) image.Put32(root + 16 + 8 * i, nameField);
  TempExe file(image.bytes);
  Load(file);
  Listing listing = List(reader, List(reader, 0).offsets[1]);
  ASSERT_EQ(listing.strings.size(), entries);
  EXPECT_EQ(std::count(listing.strings.begin(), listing.strings.end(), std::string(200, 'N')),
            image.bytes.size() / 2 / 200);
  EXPECT_EQ(listing.strings.back(), std::to_string(static_cast<std::int32_t>(nameField)));
}

// Entry counts are signed 16-bit and their sum may not pass 32767; anything else
// lists as empty. Counts the file cannot hold list the entries it does hold.
TEST_F(HostileExecutableTest, DirectoryCounts) {
  const struct {
    std::uint16_t named, ids;
    bool listed;
  } cases[] = {{0, 0, false},          {0xFFFF, 1, false},     {1, 0xFFFF, false},
               {0x8000, 0, false},     {0x4000, 0x4000, false}, {0x7FFF, 0x7FFF, false},
               {0x3FFF, 0x4000, true}, {0, 0x7FFF, true},     {1, 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.named << "+" << c.ids);
    PeImage image = ManifestImage(kTrueManifest);
    const std::uint32_t root = image.InResources(image.resources.root);
    image.Put16(root + 12, c.named);
    image.Put16(root + 14, c.ids);
    TempExe file(image.bytes);
    Load(file);
    Listing listing = List(reader, List(reader, 0).offsets[1]);
    const std::size_t held = (image.bytes.size() - root - 16 + 7) / 8;
    EXPECT_EQ(listing.strings.size(), c.listed ? std::min<std::size_t>(c.named + c.ids, held) : 0);
  }
}

// The walk down to the manifest checks each level's shape, ends after a fixed number of
// levels (a directory pointing back at the root cannot make it loop), and offsets past
// the end of the file give empty listings and empty data.
TEST_F(HostileExecutableTest, BrokenManifestTrees) {
  const PeImage image = ManifestImage(kTrueManifest);
  const ResourceLayout::Leaf& leaf = image.resources.leaves[0];
  const std::uint32_t far = 0x70000000u;  // far past the end, yet no sign overflow
  const std::uint32_t rootEntry = image.InResources(image.resources.root) + 16;
  const std::uint32_t typeEntry = image.InResources(leaf.typeDirectory) + 16;
  const std::uint32_t nameDirectory = image.InResources(leaf.nameDirectory);
  const std::uint32_t rsrcRawData = image.sectionTable + 40 + 20;
  const struct {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    int width;
  } cases[] = {
      {"intact", 0, 0x5A4D, 16},
      {"resource section past the end", rsrcRawData, far, 32},
      {"resource section at 2 GB", rsrcRawData, 0x80000000u, 32},
      {"type directory past the end", rootEntry + 4, 0x80000000u | far, 32},
      {"data past the end", image.InResources(leaf.dataEntry), far, 32},
      {"language entry past the end", nameDirectory + 16 + 4, far, 32},
      {"language entry back at the root", nameDirectory + 16 + 4, 0x80000000u | image.resources.root, 32},
      {"name entry is its own directory", typeEntry + 4, 0x80000000u | leaf.typeDirectory, 32},
      {"type entry is a data entry", rootEntry + 4, leaf.dataEntry, 32},
      {"name entry is a data entry", typeEntry + 4, leaf.dataEntry, 32},
      {"no language entries", nameDirectory + 14, 0, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PeImage hostile = image;
    c.width == 16 ? hostile.Put16(c.offset, static_cast<std::uint16_t>(c.value)) : hostile.Put32(c.offset, c.value);
    TempExe file(hostile.bytes);
    Load(file);
    EXPECT_EQ(DeclaresHighDpi(reader), c.offset == 0);
  }
  PeImage utf16 = ManifestImage(std::string("<\0d\0p\0i\0A\0w\0a\0r\0e\0>\0t\0r\0u\0e\0<\0/\0", 32));
  TempExe wide(utf16.bytes);
  Load(wide);
  EXPECT_FALSE(DeclaresHighDpi(reader)) << "UTF-16 manifest";

  PeImage badSection = image;
  badSection.Put32(rsrcRawData, far);
  TempExe file(badSection.bytes);
  Load(file);
  Listing sections = List(reader, 0);
  EXPECT_EQ(sections.offsets[1], -static_cast<std::int32_t>(far));
  EXPECT_TRUE(List(reader, sections.offsets[1]).strings.empty());
  EXPECT_TRUE(List(reader, INT32_MIN).strings.empty());
  EXPECT_EQ(reader.GetResourceData(static_cast<std::int32_t>(far)), "");
}

// The data entry's Size decides the length, but never more than the file holds.
TEST_F(HostileExecutableTest, DataEntrySizes) {
  const std::string payload = "0123456789ABCDEFGHIJ";
  ResourceTree tree;
  tree.AddManifest(payload);
  const struct {
    std::uint32_t size;
    std::string expected;
  } cases[] = {{0, ""},
               {0x80000000u, ""},
               {0xFFFFFFFFu, ""},
               {10, payload.substr(0, 10)},
               {20, payload}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    PeImage image = GuiImage(tree);
    image.Put32(image.InResources(image.resources.leaves[0].dataEntry) + 4, c.size);
    TempExe file(image.bytes);
    Load(file);
    List(reader, 0);  // records where the resource section lies
    EXPECT_EQ(reader.GetResourceData(image.InResources(image.resources.leaves[0].dataEntry)),
              c.expected);
  }

  PeImage image = GuiImage(tree);
  const std::uint32_t entry = image.InResources(image.resources.leaves[0].dataEntry);
  image.Put32(entry + 4, 0x7FFFFFFFu);
  TempExe file(image.bytes);
  Load(file);
  List(reader, 0);
  std::string data = reader.GetResourceData(static_cast<std::int32_t>(entry));
  const std::size_t start = image.InResources(image.resources.leaves[0].data);
  EXPECT_EQ(data.size(), image.bytes.size() - start);
  EXPECT_EQ(data.substr(0, payload.size()), payload);
  EXPECT_EQ(reader.GetResourceData(-1), "");
  EXPECT_EQ(reader.GetResourceData(INT32_MIN), "");
}

// The manifest search itself: a case-sensitive "dpiAware", the value between the
// next ">" and the next "</", lower-cased, one of four accepted values.
TEST(ManifestSearch, AcceptedValuesAndNearMisses) {
  const struct {
    const char* manifest;
    bool expected;
  } cases[] = {
      {"<dpiAware>true</dpiAware>", true},
      {"<dpiAware>True</dpiAware>", true},
      {"<dpiAware>TRUE/PM</dpiAware>", true},
      {"<dpiAware>Per Monitor</dpiAware>", true},
      {"<dpiAware>eXplorer</dpiAware>", true},
      {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>", true},
      {"<dpiAware>false</dpiAware>", false},
      {"<dpiAware> true </dpiAware>", false},
      {"<dpiAware>true\n</dpiAware>", false},
      {"<dpiAware></dpiAware>", false},
      {"<dpiAware>per-monitor</dpiAware>", false},
      {"<DPIAWARE>true</DPIAWARE>", false},
      {"<dpiAwareness>PerMonitorV2</dpiAwareness>", false},
      // Found as a substring, the newer element is tried like the old one.
      {"<dpiAwareness>true</dpiAwareness>", true},
      {"<dpiAware>false</dpiAware><gdiScaling>true</gdiScaling><dpiAware>true</dpiAware>", true},
      // The closing tag of a rejected element starts the next try.
      {"<dpiAware>false</dpiAware>true</x>", true},
      {"<dpiAware>true", false},
      {"<dpiAware", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ManifestDeclaresHighDpi(c.manifest), c.expected) << c.manifest;
}

// A megabyte of openings without a close must be searched in linear time.
TEST(ManifestSearch, PathologicalManifestsFinish) {
  std::string repeated;
  for (int i = 0; i < (1 << 20) / 9; ++i) repeated += "dpiAware>";
  EXPECT_FALSE(ManifestDeclaresHighDpi(repeated));
  EXPECT_FALSE(ManifestDeclaresHighDpi(repeated + "</"));
  EXPECT_TRUE(ManifestDeclaresHighDpi(repeated + "true</"));
  EXPECT_FALSE(ManifestDeclaresHighDpi(std::string(1 << 20, 'x') + "dpiAware"));
}
