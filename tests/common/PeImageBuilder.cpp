#include "PeImageBuilder.h"

#include <algorithm>

namespace testpe {
namespace {
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint32_t kSectionAlignment = 0x1000;

std::uint32_t AlignUp(std::size_t value, std::uint32_t alignment) {
  return static_cast<std::uint32_t>((value + alignment - 1) / alignment * alignment);
}

void Store(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value, std::size_t width) {
  if (bytes.size() < offset + width) bytes.resize(offset + width, 0);
  for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A directory's entry: the directory under it, or at the language level a leaf.
struct Node {
  ResourceKey key;
  std::vector<Node> children;
  std::size_t leaf = 0;  // its index in the tree
};

Node& Enter(Node& parent, const ResourceKey& key) {
  for (Node& child : parent.children)
    if (child.key == key) return child;
  return parent.children.emplace_back(Node{key, {}, 0});
}

// Writes a resource section loaded at `sectionRva`, depth first.
struct SectionWriter {
  const ResourceTree& tree;
  std::uint32_t sectionRva;
  ResourceLayout& layout;
  std::vector<std::uint8_t> out;

  std::uint32_t Append(std::size_t size, std::uint32_t alignment) {
    const std::uint32_t at = AlignUp(out.size(), alignment);
    out.resize(at + size, 0);
    return at;
  }
  // `path` holds the offsets of the directories above `node`, the root's first.
  std::uint32_t Directory(Node& node, std::vector<std::uint32_t> path) {
    auto isNamed = [](const Node& child) { return child.key.name.has_value(); };
    const auto named = static_cast<std::uint32_t>(
        std::stable_partition(node.children.begin(), node.children.end(), isNamed) - node.children.begin());
    const std::uint32_t at = Append(16 + 8 * node.children.size(), 4);
    path.push_back(at);
    Store(out, at + 12, named, 2);
    Store(out, at + 14, static_cast<std::uint32_t>(node.children.size()) - named, 2);
    for (std::size_t k = 0; k < node.children.size(); ++k) {
      Node& child = node.children[k];
      Store(out, at + 16 + 8 * k, child.key.name ? kHighBit | Name(*child.key.name) : child.key.id, 4);
      const bool leaf = path.size() == 3;  // under the root, a type and a name
      Store(out, at + 20 + 8 * k, leaf ? Leaf(child.leaf, path) : kHighBit | Directory(child, path), 4);
    }
    return at;
  }
  std::uint32_t Name(const std::u16string& text) {
    const std::uint32_t at = Append(2 + 2 * text.size(), 2);
    Store(out, at, static_cast<std::uint32_t>(text.size()), 2);
    for (std::size_t i = 0; i < text.size(); ++i) Store(out, at + 2 + 2 * i, text[i], 2);
    return at;
  }
  std::uint32_t Leaf(std::size_t index, const std::vector<std::uint32_t>& path) {
    const std::string& bytes = tree.leaves[index].bytes;
    ResourceLayout::Leaf& leaf = layout.leaves[index];
    leaf.typeDirectory = path[1];
    leaf.nameDirectory = path[2];
    leaf.dataEntry = Append(16, 4);
    leaf.data = Append(bytes.size(), 8);
    std::copy(bytes.begin(), bytes.end(), out.begin() + leaf.data);
    Store(out, leaf.dataEntry, sectionRva + leaf.data, 4);
    Store(out, leaf.dataEntry + 4, static_cast<std::uint32_t>(bytes.size()), 4);
    return leaf.dataEntry;
  }
};
}  // namespace

void PeImage::Put16(std::size_t offset, std::uint16_t value) { Store(bytes, offset, value, 2); }
void PeImage::Put32(std::size_t offset, std::uint32_t value) { Store(bytes, offset, value, 4); }

PeImageBuilder& PeImageBuilder::AddResources(const ResourceTree& tree, std::string name) {
  Node root;
  for (std::size_t i = 0; i < tree.leaves.size(); ++i) {
    const ResourceTree::Leaf& leaf = tree.leaves[i];
    Enter(Enter(Enter(root, leaf.type), leaf.name), leaf.language).leaf = i;
  }
  resourceLayout_.leaves.assign(tree.leaves.size(), {});
  const auto rva = static_cast<std::uint32_t>(kSectionAlignment * (sections_.size() + 1));
  SectionWriter writer{tree, rva, resourceLayout_, {}};
  writer.Directory(root, {});
  resourceIndex_ = sections_.size();
  return AddSection(Section{std::move(name), std::move(writer.out)});
}

PeImage PeImageBuilder::Build() const {
  PeImage image;
  auto& out = image.bytes;
  const auto nt = static_cast<std::size_t>(lfanew_);
  const std::uint16_t optionalSize = machine_ == kMachineI386 ? 224 : 240;
  Store(out, 0, 0x5A4D, 2);  // "MZ"
  Store(out, 60, static_cast<std::uint32_t>(lfanew_), 4);
  Store(out, nt, 0x00004550, 4);  // "PE\0\0"
  Store(out, nt + 4, machine_, 2);
  Store(out, nt + 6, static_cast<std::uint32_t>(sections_.size()), 2);
  Store(out, nt + 20, optionalSize, 2);
  Store(out, nt + 24 + 68, subsystem_, 2);
  out.resize(nt + 24 + optionalSize, 0);

  image.sectionTable = static_cast<std::uint32_t>(out.size());
  std::uint32_t data = AlignUp(out.size() + sections_.size() * kSectionHeaderSize, 0x200);
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const std::size_t header = image.sectionTable + i * kSectionHeaderSize;
    const std::string& name = sections_[i].name;
    for (std::size_t c = 0; c < std::min<std::size_t>(name.size(), 8); ++c)
      Store(out, header + c, static_cast<std::uint8_t>(name[c]), 1);
    Store(out, header + 12, static_cast<std::uint32_t>(kSectionAlignment * (i + 1)), 4);
    Store(out, header + 20, data, 4);
    if (i == resourceIndex_) image.resourceSection = data;
    out.resize(data + AlignUp(sections_[i].raw.size(), 0x200), 0);
    std::copy(sections_[i].raw.begin(), sections_[i].raw.end(), out.begin() + data);
    data = static_cast<std::uint32_t>(out.size());
  }
  out.resize(data, 0);
  image.resources = resourceLayout_;
  return image;
}

}  // namespace testpe
