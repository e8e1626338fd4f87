#pragma once
// Builds PE images byte by byte in memory, so that tests describe the executables they
// read instead of carrying opaque binaries: an MS-DOS header with e_lfanew, the PE
// signature, the file header, an optional header with its Subsystem, the section table,
// and a resource section holding a type / name / language tree with named entries,
// data entries and the resources' bytes. Build() also says where each part landed, so
// a test can then break exactly one field with Put16 / Put32.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace testpe {

inline constexpr std::uint16_t kMachineI386 = 0x014C;
inline constexpr std::uint16_t kMachineAmd64 = 0x8664;
inline constexpr std::uint16_t kSubsystemGui = 2;
inline constexpr std::uint16_t kSubsystemConsole = 3;

// One level's key in the resource tree: an integer ID or a UTF-16 name.
struct ResourceKey {
  std::uint32_t id = 0;
  std::optional<std::u16string> name;

  static ResourceKey Id(std::uint32_t value) { return {value, std::nullopt}; }
  static ResourceKey Named(std::u16string text) { return {0, std::move(text)}; }
  bool operator==(const ResourceKey&) const = default;
};

// The three-level resource tree (type, name, language) of one resource section.
// Entries keep the order they were added in, named entries before ID entries within
// each directory, as the format requires.
class ResourceTree {
 public:
  ResourceTree& Add(ResourceKey type, ResourceKey name, ResourceKey language, std::string bytes);
  ResourceTree& AddManifest(std::string text, std::uint32_t language = 1033) {
    return Add(ResourceKey::Id(24), ResourceKey::Id(1), ResourceKey::Id(language), std::move(text));
  }

  struct Leaf {
    ResourceKey type, name, language;
    std::string bytes;
  };
  const std::vector<Leaf>& Leaves() const { return leaves_; }

 private:
  std::vector<Leaf> leaves_;
};

// Where the parts of a resource section landed, as offsets from the section's start.
struct ResourceLayout {
  std::uint32_t root = 0;
  struct Leaf {
    std::uint32_t typeDirectory = 0;  // lists the names under the leaf's type
    std::uint32_t nameDirectory = 0;  // lists the languages under the leaf's name
    std::uint32_t dataEntry = 0;
    std::uint32_t data = 0;
  };
  std::vector<Leaf> leaves;                // in the order of ResourceTree::Add
  std::vector<std::uint32_t> nameStrings;  // each distinct name, in the order first met
};

struct Section {
  std::string name;  // at most 8 bytes; shorter names are NUL-padded
  std::uint32_t virtualAddress = 0;
  std::vector<std::uint8_t> raw;
};

// A built image with the file offsets of its parts; Put16 / Put32 patch it in place.
struct PeImage {
  std::vector<std::uint8_t> bytes;
  std::uint32_t sectionTable = 0;
  std::vector<std::uint32_t> sectionData;  // PointerToRawData of each section
  std::uint32_t resourceSection = 0;        // file offset of the resource section
  ResourceLayout resources;                 // section-relative offsets

  void Put16(std::size_t offset, std::uint16_t value);
  void Put32(std::size_t offset, std::uint32_t value);
  // The file offset of a place given relative to the resource section.
  std::uint32_t InResources(std::uint32_t relative) const { return resourceSection + relative; }
};

class PeImageBuilder {
 public:
  PeImageBuilder& Lfanew(std::int32_t value) { lfanew_ = value; return *this; }
  PeImageBuilder& Machine(std::uint16_t value) { machine_ = value; return *this; }
  PeImageBuilder& Subsystem(std::uint16_t value) { subsystem_ = value; return *this; }
  // Overrides the section count the headers announce.
  PeImageBuilder& NumberOfSections(std::uint16_t value) { numberOfSections_ = value; return *this; }

  PeImageBuilder& AddSection(Section section);
  // A resource section holding `tree`, named `name`, at the next free address.
  PeImageBuilder& AddResources(const ResourceTree& tree, std::string name = ".rsrc");

  PeImage Build() const;

 private:
  std::int32_t lfanew_ = 0x80;
  std::uint16_t machine_ = kMachineI386;
  std::uint16_t subsystem_ = kSubsystemGui;
  std::optional<std::uint16_t> numberOfSections_;
  std::vector<Section> sections_;
  std::optional<std::size_t> resourceIndex_;
  ResourceLayout resourceLayout_;
};

// A file in a temporary folder holding given bytes, removed again on destruction; its
// path is in the form the program's file calls take.
class TempExe {
 public:
  explicit TempExe(const std::vector<std::uint8_t>& bytes)
      : path_(folder_.Write("test.exe", std::string(bytes.begin(), bytes.end()))) {}
  explicit TempExe(const std::string& text) : path_(folder_.Write("test.exe", text)) {}
  const std::string& Path() const { return path_; }

 private:
  TempFolder folder_;
  std::string path_;
};

}  // namespace testpe
