// The executable reader against files that lie: each must end in empty or partial
// answers, never a crash, a hang or a huge allocation.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "PeImageBuilder.h"
#include "inspect/DeclaresHighDpi.h"
#include "inspect/InspectExecutable.h"
#include "inspect/clsExeReader.h"

using namespace testpe;

namespace {
constexpr const char* kTrueManifest = "<dpiAware>true</dpiAware>";

PeImage GuiImage(const ResourceTree& tree) { return PeImageBuilder().AddResources(tree).Build(); }
PeImage ManifestImage() { return GuiImage(ResourceTree().AddManifest(kTrueManifest)); }

class HostileExecutableTest : public ::testing::Test {
 protected:
  std::string Write(const std::vector<std::uint8_t>& bytes) {
    return folder_.Write(std::to_string(++files_) + ".exe", std::string(bytes.begin(), bytes.end()));
  }
  void Load(const std::vector<std::uint8_t>& bytes) { reader.LoadExe(Write(bytes)); }
  // The listing at `offset`: 0 lists the sections, else the directory at |offset|.
  ResourceListing List(std::int32_t offset) {
    ResourceListing l;
    reader.EnumResources(offset, l.names, l.offsets);
    return l;
  }
  // The root of the resource tree of a GuiImage.
  ResourceListing Types() { return List(List(0).offsets.at(0)); }

  TempFolder folder_;
  int files_ = 0;
  clsExeReader reader;  // closes its file before the folder goes
};
}  // namespace

// PE headers lie behind "MZ" at 64 to 65536; files without them still load, as "N/A".
TEST_F(HostileExecutableTest, WhereThePeHeadersAreLookedFor) {
  auto at = [](std::int32_t lfanew) {
    return PeImageBuilder().Lfanew(lfanew).Machine(kMachineAmd64).Build().bytes;
  };
  std::vector<std::uint8_t> noMagic = at(64), inDosHeader = at(64);
  noMagic[0] = 'N';
  inDosHeader[60] = 63;  // e_lfanew inside the MS-DOS header
  const std::pair<std::vector<std::uint8_t>, bool> cases[] = {  // bytes, whether PE headers are read
      {at(64), true}, {at(65536), true}, {at(65537), false}, {noMagic, false}, {inDosHeader, false}};
  for (const auto& [bytes, read] : cases) {
    SCOPED_TRACE(&bytes - &cases[0].first);
    ExeInspection result = InspectExecutable(reader, Write(bytes));
    EXPECT_TRUE(result.loaded);
    EXPECT_EQ(reader.Machine(), read ? kMachineAmd64 : 0);
    EXPECT_EQ(result.dpiAware, read ? DpiVerdict::No : DpiVerdict::NotApplicable);
  }
}

// The listing knows ".rsrc" in any case, the verdict only in lower case. Counts are signed;
// a count the file cannot hold lists the headers it does hold, the last one cut short.
TEST_F(HostileExecutableTest, SectionTable) {
  PeImage image = PeImageBuilder()
                      .AddSection({".textbss", std::vector<std::uint8_t>(8, 1)})
                      .AddResources(ResourceTree().AddManifest(kTrueManifest), ".RSRC")
                      .Build();
  Load(image.bytes);
  ResourceListing sections = List(0);
  ASSERT_EQ(sections.names, (std::vector<std::string>{".textbss", ".RSRC"}));
  EXPECT_EQ(sections.offsets[1], -static_cast<std::int32_t>(image.resourceSection));
  EXPECT_EQ(List(sections.offsets[1]).names, std::vector<std::string>{"Manifest"});
  EXPECT_FALSE(DeclaresHighDpi(reader));

  for (std::uint16_t count : {0, 0x8000, 0x7FFF}) {
    image.Put16(0x80 + 6, count);
    Load(image.bytes);
    const std::size_t held = (image.bytes.size() - image.sectionTable + 39) / 40;
    EXPECT_EQ(List(0).names.size(), count == 0x7FFF ? held : 0) << count;
  }
}

// Only the root names the standard types. A name string past the end of the file reads
// as length 0 and shows the raw Name field as a negative number.
TEST_F(HostileExecutableTest, EntryNamesAndOffsets) {
  ResourceTree tree;
  tree.Add(ResourceKey::Id(24), ResourceKey::Id(24), ResourceKey::Id(24), "data")
      .Add(ResourceKey::Id(99), ResourceKey::Id(3), ResourceKey::Id(0), "c")
      .Add(ResourceKey::Named(u"MUI"), ResourceKey::Named(u"LONGER NAME"), ResourceKey::Id(0), "y")
      .Add(ResourceKey::Named(u"MUI"), ResourceKey::Named(u"X"), ResourceKey::Id(0), "z");
  PeImage image = GuiImage(tree);
  const ResourceLayout::Leaf& leaf = image.resources.leaves[0];
  // The string of the second name under "MUI" moves far past the end.
  image.Put32(image.InResources(image.resources.leaves[2].typeDirectory) + 16 + 8, 0xFFFFFFF0u);
  Load(image.bytes);
  ResourceListing root = Types();
  ASSERT_EQ(root.names, (std::vector<std::string>{"MUI", "Manifest", "99"}));
  EXPECT_EQ(List(root.offsets[0]).names, (std::vector<std::string>{"LONGER NAME", "-16"}));
  ResourceListing manifests = List(root.offsets[1]);
  ASSERT_EQ(manifests.names, std::vector<std::string>{"24"});
  const std::int32_t dataEntry = List(manifests.offsets[0]).offsets.at(0);

  // The data entry's Size decides the length, but never more than the file holds.
  const auto data = image.bytes.begin() + image.InResources(leaf.data);
  for (std::uint32_t size : {0u, 2u, 0x7FFFFFFFu}) {
    SCOPED_TRACE(size);
    image.Put32(image.InResources(leaf.dataEntry) + 4, size);
    Load(image.bytes);
    List(0);  // records where the resource section lies
    EXPECT_EQ(reader.GetResourceData(dataEntry),
              std::string(data, data + std::min<std::ptrdiff_t>(size, image.bytes.end() - data)));
  }
  EXPECT_EQ(reader.GetResourceData(-1), "");
}

// Once the names read add up to half the file's bytes, the rest read as unnamed.
TEST_F(HostileExecutableTest, EntriesNamingOneStringAreBoundedByTheFile) {
  PeImage image = ManifestImage();
  const std::uint32_t root = image.resourceSection;
  const auto text = static_cast<std::uint32_t>(image.bytes.size());
  const std::uint32_t nameField = 0x80000000u | (text - root);  // a named entry
  image.Put16(text, 200);
  for (std::uint32_t k = 0; k < 200; ++k) image.Put16(text + 2 + 2 * k, 'N');
  const auto entries = static_cast<std::uint16_t>((text - root - 16) / 8);
  image.Put32(root + 12, entries);
  for (std::uint32_t i = 0; i < entries; ++i) image.Put32(root + 16 + 8 * i, nameField);
  Load(image.bytes);
  ResourceListing listing = Types();
  ASSERT_EQ(listing.names.size(), entries);
  const auto named = std::count(listing.names.begin(), listing.names.end(), std::string(200, 'N'));
  EXPECT_TRUE(named > 0 && named * 200 <= std::ssize(image.bytes) / 2) << named;
  EXPECT_EQ(listing.names.back(), std::to_string(static_cast<std::int32_t>(nameField)));
}

// The walk down to the manifest checks each level's shape. Entry counts are signed and
// their sum may not pass 32767, else the directory lists nothing.
TEST_F(HostileExecutableTest, BrokenManifestTrees) {
  const PeImage image = ManifestImage();
  const ResourceLayout::Leaf& leaf = image.resources.leaves[0];
  const std::uint32_t far = 0x70000000u;  // far past the end, yet no sign overflow
  const std::uint32_t rootCounts = image.resourceSection + 12;  // named entries, then IDs
  const std::tuple<const char*, std::size_t, std::uint32_t, bool> cases[] = {  // what, where, value
      {"intact", 0, 0x00905A4D, true},
      {"root lists 16383 + 16384", rootCounts, 0x40003FFF, true},
      {"root lists 16384 + 16384", rootCounts, 0x40004000, false},
      {"root lists -1 + 2", rootCounts, 0x0002FFFF, false},
      {"resource section past the end", image.sectionTable + 20, far, false},
      {"data past the end", image.InResources(leaf.dataEntry), far, false},
      {"name entry not a directory", image.InResources(leaf.typeDirectory) + 20, leaf.nameDirectory, false},
      {"no language entries", image.InResources(leaf.nameDirectory) + 12, 0, false},
  };
  for (const auto& [what, offset, value, declares] : cases) {
    SCOPED_TRACE(what);
    PeImage hostile = image;
    hostile.Put32(offset, value);
    Load(hostile.bytes);
    EXPECT_EQ(DeclaresHighDpi(reader), declares);
  }
}

// After "dpiAware", the value between the next ">" and "</"; linear in many tries before one "</".
TEST(ManifestSearch, NearMissesAndPathologicalManifests) {
  EXPECT_TRUE(ManifestDeclaresHighDpi("<dpiAwareness>true</dpiAwareness>"));  // found as a substring
  // The closing tag of a rejected element starts the next try.
  EXPECT_TRUE(ManifestDeclaresHighDpi("<dpiAware>false</dpiAware>true</x>"));
  std::string repeated;
  for (int i = 0; i < (1 << 20) / 9; ++i) repeated += "dpiAware>";
  EXPECT_TRUE(ManifestDeclaresHighDpi(repeated + "true</"));
}
