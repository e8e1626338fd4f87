#pragma once
// Builds PE images in memory: the headers, the section table and a resource tree. The
// image says where each part landed, so that a test can break one field with Put16 / Put32.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace testpe {

inline constexpr std::uint16_t kMachineI386 = 0x014C;
inline constexpr std::uint16_t kMachineAmd64 = 0x8664;
inline constexpr std::uint16_t kSubsystemConsole = 3;

// One level's key in the resource tree: an integer ID or a UTF-16 name.
struct ResourceKey {
  std::uint32_t id = 0;
  std::optional<std::u16string> name;

  static ResourceKey Id(std::uint32_t value) { return {value, std::nullopt}; }
  static ResourceKey Named(std::u16string text) { return {0, std::move(text)}; }
  bool operator==(const ResourceKey&) const = default;
};

// A three-level resource tree. Each directory lists its named entries first, else in order of Add.
struct ResourceTree {
  struct Leaf {
    ResourceKey type, name, language;
    std::string bytes;
  };
  std::vector<Leaf> leaves;

  ResourceTree& Add(ResourceKey type, ResourceKey name, ResourceKey language, std::string bytes) {
    leaves.push_back(Leaf{std::move(type), std::move(name), std::move(language), std::move(bytes)});
    return *this;
  }
  ResourceTree& AddManifest(std::string text, std::uint32_t language = 1033) {
    return Add(ResourceKey::Id(24), ResourceKey::Id(1), ResourceKey::Id(language), std::move(text));
  }
};

// Where the parts of a resource section landed, as offsets from its start.
struct ResourceLayout {
  struct Leaf {
    std::uint32_t typeDirectory = 0;  // lists the names under the leaf's type
    std::uint32_t nameDirectory = 0;  // lists the languages under the leaf's name
    std::uint32_t dataEntry = 0;
    std::uint32_t data = 0;
  };
  std::vector<Leaf> leaves;  // in the order of ResourceTree::Add
};

// A section at the next 4 KB of addresses; its name is cut at 8 bytes.
struct Section {
  std::string name;
  std::vector<std::uint8_t> raw;
};

struct PeImage {
  std::vector<std::uint8_t> bytes;
  std::uint32_t sectionTable = 0;
  std::uint32_t resourceSection = 0;        // file offset of the resource section
  ResourceLayout resources;                 // section-relative offsets

  void Put16(std::size_t offset, std::uint16_t value);
  void Put32(std::size_t offset, std::uint32_t value);
  std::uint32_t InResources(std::uint32_t relative) const { return resourceSection + relative; }
};

class PeImageBuilder {
 public:
  PeImageBuilder& Lfanew(std::int32_t value) { lfanew_ = value; return *this; }
  PeImageBuilder& Machine(std::uint16_t value) { machine_ = value; return *this; }
  PeImageBuilder& Subsystem(std::uint16_t value) { subsystem_ = value; return *this; }
  PeImageBuilder& AddSection(Section section) {
    sections_.push_back(std::move(section));
    return *this;
  }
  PeImageBuilder& AddResources(const ResourceTree& tree, std::string name = ".rsrc");
  PeImage Build() const;

 private:
  std::int32_t lfanew_ = 0x80;
  std::uint16_t machine_ = kMachineI386;
  std::uint16_t subsystem_ = 2;  // a GUI program
  std::vector<Section> sections_;
  std::optional<std::size_t> resourceIndex_;
  ResourceLayout resourceLayout_;
};

}  // namespace testpe
