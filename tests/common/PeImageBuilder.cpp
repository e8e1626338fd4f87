#include "PeImageBuilder.h"

#include <algorithm>
#include <map>

namespace testpe {
namespace {
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kFileAlignment = 0x200;

std::uint32_t AlignUp(std::size_t value, std::uint32_t alignment) {
  return static_cast<std::uint32_t>((value + alignment - 1) / alignment * alignment);
}

void Store(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value,
           std::size_t width) {
  if (bytes.size() < offset + width) bytes.resize(offset + width, 0);
  for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
void Store16(std::vector<std::uint8_t>& b, std::size_t o, std::uint16_t v) { Store(b, o, v, 2); }
void Store32(std::vector<std::uint8_t>& b, std::size_t o, std::uint32_t v) { Store(b, o, v, 4); }

// One directory of the tree: its entries lead to other directories (by index) or, at
// the name level, to leaves (by their index in the ResourceTree).
struct Directory {
  std::vector<std::pair<ResourceKey, std::size_t>> entries;
  bool ofLeaves = false;
  std::uint32_t offset = 0;
};

// The directory under `parent`'s entry `key`, made when missing.
std::size_t Enter(std::vector<Directory>& directories, std::size_t parent, const ResourceKey& key) {
  for (const auto& [existing, child] : directories[parent].entries)
    if (existing == key) return child;
  directories.emplace_back();
  directories[parent].entries.emplace_back(key, directories.size() - 1);
  return directories.size() - 1;
}

// Lays out `tree` as the raw bytes of a resource section loaded at `sectionRva`:
// the directories, the name strings, the data entries, then the data.
std::vector<std::uint8_t> BuildResourceSection(const ResourceTree& tree, std::uint32_t sectionRva,
                                               ResourceLayout& layout) {
  const auto& leaves = tree.Leaves();
  std::vector<Directory> directories(1);
  layout = ResourceLayout{};
  layout.leaves.resize(leaves.size());
  for (std::size_t i = 0; i < leaves.size(); ++i) {
    const std::size_t type = Enter(directories, 0, leaves[i].type);
    const std::size_t name = Enter(directories, type, leaves[i].name);
    directories[name].ofLeaves = true;
    directories[name].entries.emplace_back(leaves[i].language, i);
    layout.leaves[i].typeDirectory = static_cast<std::uint32_t>(type);  // an index until placed
    layout.leaves[i].nameDirectory = static_cast<std::uint32_t>(name);
  }
  std::uint32_t end = 0;
  for (Directory& directory : directories) {
    std::stable_partition(directory.entries.begin(), directory.entries.end(),
                          [](const auto& entry) { return entry.first.name.has_value(); });
    directory.offset = end;
    end += static_cast<std::uint32_t>(16 + 8 * directory.entries.size());
  }
  std::map<std::u16string, std::uint32_t> strings;
  for (const auto& leaf : leaves)
    for (const ResourceKey* key : {&leaf.type, &leaf.name, &leaf.language})
      if (key->name && strings.emplace(*key->name, end).second) {
        layout.nameStrings.push_back(end);
        end += static_cast<std::uint32_t>(2 + 2 * key->name->size());
      }
  end = AlignUp(end, 4);
  for (ResourceLayout::Leaf& leaf : layout.leaves) {
    leaf.typeDirectory = directories[leaf.typeDirectory].offset;
    leaf.nameDirectory = directories[leaf.nameDirectory].offset;
    leaf.dataEntry = end;
    end += 16;
  }

  std::vector<std::uint8_t> out(end, 0);
  for (std::size_t i = 0; i < leaves.size(); ++i) {
    ResourceLayout::Leaf& leaf = layout.leaves[i];
    leaf.data = AlignUp(out.size(), 8);
    out.resize(leaf.data, 0);
    out.insert(out.end(), leaves[i].bytes.begin(), leaves[i].bytes.end());
    Store32(out, leaf.dataEntry, sectionRva + leaf.data);
    Store32(out, leaf.dataEntry + 4, static_cast<std::uint32_t>(leaves[i].bytes.size()));
  }
  for (const auto& [text, offset] : strings) {
    Store16(out, offset, static_cast<std::uint16_t>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) Store16(out, offset + 2 + 2 * i, text[i]);
  }
  for (const Directory& directory : directories) {
    const auto named = std::count_if(directory.entries.begin(), directory.entries.end(),
                                     [](const auto& entry) { return entry.first.name.has_value(); });
    Store16(out, directory.offset + 12, static_cast<std::uint16_t>(named));
    Store16(out, directory.offset + 14, static_cast<std::uint16_t>(directory.entries.size() - named));
    for (std::size_t k = 0; k < directory.entries.size(); ++k) {
      const auto& [key, child] = directory.entries[k];
      const std::size_t entry = directory.offset + 16 + 8 * k;
      Store32(out, entry, key.name ? kHighBit | strings.at(*key.name) : key.id);
      Store32(out, entry + 4, directory.ofLeaves ? layout.leaves[child].dataEntry
                                                 : kHighBit | directories[child].offset);
    }
  }
  return out;
}
}  // namespace

void PeImage::Put16(std::size_t offset, std::uint16_t value) { Store16(bytes, offset, value); }
void PeImage::Put32(std::size_t offset, std::uint32_t value) { Store32(bytes, offset, value); }

PeImageBuilder& PeImageBuilder::AddResources(const ResourceTree& tree, std::string name) {
  std::uint32_t rva = kSectionAlignment;
  for (const Section& s : sections_)
    rva = std::max(rva, AlignUp(s.virtualAddress + std::max<std::size_t>(s.raw.size(), 1),
                                kSectionAlignment));
  resourceIndex_ = sections_.size();
  return AddSection(Section{std::move(name), rva, BuildResourceSection(tree, rva, resourceLayout_)});
}

PeImage PeImageBuilder::Build() const {
  PeImage image;
  auto& out = image.bytes;
  const std::size_t nt = static_cast<std::size_t>(lfanew_);
  const std::size_t optional = nt + 24;
  const bool pe32 = machine_ == kMachineI386;
  const std::uint16_t optionalSize = pe32 ? 224 : 240;
  Store16(out, 0, 0x5A4D);
  Store32(out, 60, static_cast<std::uint32_t>(lfanew_));
  Store32(out, nt, 0x00004550);  // "PE\0\0"
  Store16(out, nt + 4, machine_);
  Store16(out, nt + 6, static_cast<std::uint16_t>(sections_.size()));
  Store16(out, nt + 20, optionalSize);
  Store16(out, optional, pe32 ? 0x010B : 0x020B);
  Store16(out, optional + 68, subsystem_);
  out.resize(optional + optionalSize, 0);

  image.sectionTable = static_cast<std::uint32_t>(out.size());
  std::uint32_t data = AlignUp(out.size() + sections_.size() * kSectionHeaderSize, kFileAlignment);
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const Section& s = sections_[i];
    std::size_t header = image.sectionTable + i * kSectionHeaderSize;
    for (std::size_t c = 0; c < std::min<std::size_t>(s.name.size(), 8); ++c)
      Store(out, header + c, std::uint8_t(s.name[c]), 1);
    Store32(out, header + 8, static_cast<std::uint32_t>(s.raw.size()));
    Store32(out, header + 12, s.virtualAddress);
    Store32(out, header + 16, AlignUp(s.raw.size(), kFileAlignment));
    Store32(out, header + 20, data);
    image.sectionData.push_back(data);
    data += AlignUp(s.raw.size(), kFileAlignment);
  }
  out.resize(data, 0);
  for (std::size_t i = 0; i < sections_.size(); ++i)
    std::copy(sections_[i].raw.begin(), sections_[i].raw.end(), out.begin() + image.sectionData[i]);

  if (resourceIndex_) {
    image.resourceSection = image.sectionData[*resourceIndex_];
    image.resources = resourceLayout_;
  }
  return image;
}

}  // namespace testpe
