// The native build's registry: keys and values held in memory, with the statuses,
// access checks and size rules of advapi32's "A" entry points. Key and value names
// are matched without regard to ASCII letter case and kept as first written; values
// keep their type and raw bytes and are listed in the order they were first stored.
#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/RegistryApi.h"
#include "platform/TextApi.h"
#include "platform/standin/RegistryStore.h"

namespace platform {
namespace {
using namespace reg;

struct Value {
  std::string name;
  std::uint32_t type = kNoType;
  std::vector<std::uint8_t> bytes;
};

struct Node {
  std::string name;
  Node* parent = nullptr;
  bool deleted = false;
  std::vector<Value> values;
  std::vector<std::shared_ptr<Node>> children;
};

struct OpenKey {
  std::shared_ptr<Node> node;
  std::uint32_t access = 0;
};

constexpr std::int32_t kBadPathname = err::kBadPathname;
constexpr std::size_t kRootCount = 6;
// Opened keys are numbered from here, well below the predefined roots.
constexpr RegKey kFirstHandle = 0x1000;

struct Store {
  std::array<std::shared_ptr<Node>, kRootCount> roots;
  std::map<RegKey, OpenKey> handles;
  RegKey nextHandle = kFirstHandle;
  std::vector<standin::RegistryCall> calls;
};

Store& TheStore() {
  static Store store;
  return store;
}

void Log(const char* function, const std::string& name, std::uint32_t number) {
  TheStore().calls.push_back(standin::RegistryCall{function, name, number});
}

bool SameName(std::string_view a, std::string_view b) { return SamePath(a, b); }

// The node a handle stands for, with the access it was opened with.
std::int32_t Resolve(RegKey key, OpenKey* out) {
  Store& store = TheStore();
  if (IsPredefined(key)) {
    auto& root = store.roots[key - kClassesRoot];
    if (!root) root = std::make_shared<Node>();
    *out = OpenKey{root, kAllAccess};
    return kSuccess;
  }
  auto found = store.handles.find(key);
  if (found == store.handles.end()) return kInvalidHandle;
  if (found->second.node->deleted) return kKeyDeleted;
  *out = found->second;
  return kSuccess;
}

// The path's components; empty ones (doubled or trailing backslashes) are skipped,
// a leading backslash is refused, as the system does.
std::optional<std::vector<std::string>> SplitPath(const std::string& path) {
  if (!path.empty() && path.front() == '\\') return std::nullopt;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::shared_ptr<Node> Child(const Node& node, std::string_view name) {
  for (const auto& child : node.children) {
    if (SameName(child->name, name)) return child;
  }
  return nullptr;
}

Value* FindValue(Node& node, std::string_view name) {
  for (auto& value : node.values) {
    if (SameName(value.name, name)) return &value;
  }
  return nullptr;
}

RegKey NewHandle(std::shared_ptr<Node> node, std::uint32_t access) {
  Store& store = TheStore();
  RegKey key = store.nextHandle;
  store.nextHandle += 4;
  store.handles.emplace(key, OpenKey{std::move(node), access});
  return key;
}

// Walks `subKey` below `root`; with `create` the missing keys are made on the way.
std::int32_t Walk(RegKey root, const std::string& subKey, bool create,
                  std::shared_ptr<Node>* result, bool* created) {
  OpenKey start;
  if (std::int32_t status = Resolve(root, &start)) return status;
  auto parts = SplitPath(subKey);
  if (!parts) return kBadPathname;
  std::shared_ptr<Node> node = start.node;
  for (const auto& part : *parts) {
    std::shared_ptr<Node> next = Child(*node, part);
    if (!next) {
      if (!create) return kFileNotFound;
      next = std::make_shared<Node>();
      next->name = part;
      next->parent = node.get();
      node->children.push_back(next);
      if (created) *created = true;
    }
    node = std::move(next);
  }
  *result = std::move(node);
  return kSuccess;
}

// The handle's node when the handle was opened with `needed` access.
std::int32_t ResolveFor(RegKey key, std::uint32_t needed, std::shared_ptr<Node>* node) {
  OpenKey open;
  if (std::int32_t status = Resolve(key, &open)) return status;
  if ((open.access & needed) != needed) return kAccessDenied;
  *node = open.node;
  return kSuccess;
}

// Fills an optional data buffer: ERROR_MORE_DATA with the needed size when it is
// too small; without a buffer only the size is given.
std::int32_t GiveData(const std::vector<std::uint8_t>& bytes, void* data, std::uint32_t* size) {
  auto needed = static_cast<std::uint32_t>(bytes.size());
  if (!data) {
    if (size) *size = needed;
    return kSuccess;
  }
  if (!size) return kInvalidParameter;
  std::uint32_t room = *size;
  *size = needed;
  if (room < needed) return kMoreData;
  if (needed) std::memcpy(data, bytes.data(), needed);
  return kSuccess;
}
}  // namespace

std::int32_t RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t /*options*/,
                           std::uint32_t access, RegKey* result) {
  Log("RegOpenKeyExA", subKey, access);
  *result = 0;
  std::shared_ptr<Node> node;
  if (std::int32_t status = Walk(root, subKey, false, &node, nullptr)) return status;
  *result = NewHandle(std::move(node), access);
  return kSuccess;
}

std::int32_t RegCreateKeyExA(RegKey root, const std::string& subKey, std::uint32_t /*options*/,
                             std::uint32_t access, RegKey* result, std::uint32_t* disposition) {
  Log("RegCreateKeyExA", subKey, access);
  *result = 0;
  std::shared_ptr<Node> node;
  bool created = false;
  if (std::int32_t status = Walk(root, subKey, true, &node, &created)) return status;
  *result = NewHandle(std::move(node), access);
  if (disposition) *disposition = created ? kCreatedNewKey : kOpenedExistingKey;
  return kSuccess;
}

std::int32_t RegQueryValueExA(RegKey key, const std::string& name, std::uint32_t* type,
                              void* data, std::uint32_t* size) {
  Log("RegQueryValueExA", name, data && size ? *size : 0);
  std::shared_ptr<Node> node;
  if (std::int32_t status = ResolveFor(key, kQueryValue, &node)) return status;
  Value* value = FindValue(*node, name);
  if (!value) return kFileNotFound;
  if (type) *type = value->type;
  return GiveData(value->bytes, data, size);
}

std::int32_t RegSetValueExA(RegKey key, const std::string& name, std::uint32_t type,
                            const void* data, std::uint32_t size) {
  Log("RegSetValueExA", name, size);
  std::shared_ptr<Node> node;
  if (std::int32_t status = ResolveFor(key, kSetValue, &node)) return status;
  if (!data && size) return kInvalidParameter;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::vector<std::uint8_t> stored(bytes, bytes + size);
  // A value stored again keeps its place in the listing.
  if (Value* existing = FindValue(*node, name)) {
    existing->type = type;
    existing->bytes = std::move(stored);
  } else {
    node->values.push_back(Value{name, type, std::move(stored)});
  }
  return kSuccess;
}

std::int32_t RegEnumValueA(RegKey key, std::uint32_t index, char* name,
                           std::uint32_t* nameLength, std::uint32_t* type, void* data,
                           std::uint32_t* dataSize) {
  Log("RegEnumValueA", "", *nameLength);
  std::shared_ptr<Node> node;
  if (std::int32_t status = ResolveFor(key, kQueryValue, &node)) return status;
  if (index >= node->values.size()) return kNoMoreItems;
  const Value& value = node->values[index];
  // The name must fit with its terminating zero.
  if (!name || value.name.size() >= *nameLength) return kMoreData;
  std::memcpy(name, value.name.c_str(), value.name.size() + 1);
  *nameLength = static_cast<std::uint32_t>(value.name.size());
  if (type) *type = value.type;
  return GiveData(value.bytes, data, dataSize);
}

std::int32_t RegDeleteValueA(RegKey key, const std::string& name) {
  Log("RegDeleteValueA", name, 0);
  std::shared_ptr<Node> node;
  if (std::int32_t status = ResolveFor(key, kSetValue, &node)) return status;
  auto& values = node->values;
  auto found = std::find_if(values.begin(), values.end(),
                            [&](const Value& value) { return SameName(value.name, name); });
  if (found == values.end()) return kFileNotFound;
  values.erase(found);
  return kSuccess;
}

std::int32_t RegDeleteKeyA(RegKey key, const std::string& subKey) {
  Log("RegDeleteKeyA", subKey, 0);
  std::shared_ptr<Node> node;
  if (std::int32_t status = Walk(key, subKey, false, &node, nullptr)) return status;
  // A root, or a key that still has subkeys, stays.
  if (!node->parent || !node->children.empty()) return kAccessDenied;
  auto& siblings = node->parent->children;
  siblings.erase(std::find(siblings.begin(), siblings.end(), node));
  node->deleted = true;
  node->parent = nullptr;
  return kSuccess;
}

std::int32_t RegCloseKey(RegKey key) {
  Log("RegCloseKey", "", 0);
  if (IsPredefined(key)) return kSuccess;
  return TheStore().handles.erase(key) ? kSuccess : kInvalidHandle;
}

std::uint32_t GetACP() { return 65001; }

namespace standin {

void ResetRegistry() { TheStore() = Store{}; }

std::size_t OpenRegistryHandles() { return TheStore().handles.size(); }

const std::vector<RegistryCall>& RegistryCalls() { return TheStore().calls; }

void ClearRegistryCalls() { TheStore().calls.clear(); }

}  // namespace standin
}  // namespace platform
