// A file held in memory must read exactly as the same bytes on disk: the fuzz target
// reads every input this way, and a difference would fuzz another reader.
#include <gtest/gtest.h>

#include "common/PeImageBuilder.h"
#include "common/TempFolder.h"
#include "inspect/DeclaresHighDpi.h"
#include "inspect/clsExeReader.h"
#include "inspect/clsFile.h"
#include "platform/CurrentError.h"
#include "platform/standin/MemoryFile.h"

using namespace testpe;

namespace {
std::vector<std::string> Answers(const std::string& path) {
  clsExeReader reader;
  CurrentError::Clear();
  reader.LoadExe(path);
  std::vector<std::string> names;
  std::vector<std::int32_t> offsets;
  reader.EnumResources(0, names, offsets);
  names.insert(names.end(), {std::to_string(CurrentError::Number()), reader.Architecture(),
                             std::to_string(reader.Subsystem()),
                             DeclaresHighDpi(reader) ? "aware" : "unaware"});
  clsFile file;  // the last bytes, asked for with a count that passes the end
  file.OpenFile(path, platform::win::kGenericRead);
  file.Cursor(static_cast<double>(std::max<std::int64_t>(file.Length() - 5, 0)));
  std::vector<std::uint8_t> tail(16, 0);
  names.push_back(std::to_string(file.ReadBytes(tail)) + std::string(tail.begin(), tail.end()));
  return names;
}
}  // namespace

TEST(MemoryFile, ReadsAsTheSameBytesOnDisk) {
  ResourceTree tree;
  tree.AddManifest("<dpiAware>true</dpiAware>");
  const PeImage image = PeImageBuilder().AddResources(tree).Build();
  // Whole, cut inside the manifest, inside the resource tree, inside the headers, empty.
  const std::size_t manifest = image.InResources(image.resources.leaves[0].data);
  const TempFolder folder;
  for (std::size_t size : {image.bytes.size(), manifest + 10, std::size_t{image.resourceSection} + 30,
                           std::size_t{100}, std::size_t{0}}) {
    SCOPED_TRACE(size);
    const std::vector<std::uint8_t> bytes(image.bytes.begin(), image.bytes.begin() + size);
    const std::string disk = folder.Write("test.exe", std::string(bytes.begin(), bytes.end()));
    const platform::standin::MemoryFile memory("C:\\in memory.exe", bytes);
    EXPECT_EQ(Answers(memory.Name()), Answers(disk));
  }
}
