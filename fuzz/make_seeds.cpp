// Writes a few well-formed and slightly damaged executables, built in memory, into a
// folder: the starting corpus of the reader's fuzz target.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "PeImageBuilder.h"

using namespace testpe;

namespace {
void Save(const std::filesystem::path& folder, const std::string& name, const PeImage& image) {
  std::ofstream(folder / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(image.bytes.data()),
             static_cast<std::streamsize>(image.bytes.size()));
}

PeImage WithManifest(const std::string& manifest, std::uint16_t machine) {
  return PeImageBuilder()
      .Machine(machine)
      .AddSection({".text", std::vector<std::uint8_t>(32, 0xC3)})
      .AddResources(ResourceTree().AddManifest(manifest))
      .Build();
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const std::string aware = "<assembly><dpiAware xmlns=\"x\">true/pm</dpiAware></assembly>";
  Save(folder, "x86-aware.exe", WithManifest(aware, kMachineI386));
  Save(folder, "x64-unaware.exe", WithManifest("<dpiAware>false</dpiAware>", kMachineAmd64));

  ResourceTree mixed;
  mixed.Add(ResourceKey::Named(u"TYPE"), ResourceKey::Named(u"NAME"), ResourceKey::Id(0), "named")
      .Add(ResourceKey::Id(3), ResourceKey::Id(1), ResourceKey::Id(1033), std::string(40, 'i'))
      .AddManifest("<dpiAware>false</dpiAware>", 2052)
      .AddManifest(aware, 3081)
      .Add(ResourceKey::Id(24), ResourceKey::Id(2), ResourceKey::Id(1033), aware);
  Save(folder, "named-and-languages.exe", PeImageBuilder().AddResources(mixed).Build());
  Save(folder, "capital-rsrc.exe",
       PeImageBuilder().AddResources(ResourceTree().AddManifest(aware), ".RSRC").Build());
  Save(folder, "console.exe",
       PeImageBuilder().Subsystem(kSubsystemConsole).Lfanew(0x10000).Build());
  return 0;
}
