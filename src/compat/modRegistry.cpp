#include "compat/modRegistry.h"

#include <array>
#include <span>

#include "platform/AsciiCase.h"
#include "platform/LittleEndian.h"

namespace {
using namespace platform;
using namespace platform::reg;

// Every key is opened in the 64-bit view, with the least access the operation needs.
constexpr std::uint32_t kWriteAccess = kSetValue | kCreateSubKey | kWow64Key64;
constexpr std::uint32_t kReadAccess = kQueryValue | kWow64Key64;
constexpr std::uint32_t kDeleteAccess = kSetValue | kWow64Key64;

// The first read of a value takes this many bytes; longer values are read again.
constexpr std::uint32_t kFirstQuerySize = 32;
// Room for a value name in a listing, the terminating zero included.
constexpr std::uint32_t kNameBufferLength = 255;

struct RootName {
  std::string_view name;
  RegKey key;
};
constexpr std::array<RootName, 6> kRoots{{{"HKCR", kClassesRoot},
                                          {"HKCU", kCurrentUser},
                                          {"HKLM", kLocalMachine},
                                          {"HKU", kUsers},
                                          {"HKPD", kPerformanceData},
                                          {"HKCC", kCurrentConfig}}};

// Opens the key named by `keyPath`; an empty owner when the path or the key is unusable.
RegistryKey OpenKey(std::string_view keyPath, std::uint32_t access) {
  ParsedKeyPath parsed = ParseKeyPath(keyPath);
  RegistryKey key;
  if (!parsed.root) return key;
  if (RegOpenKeyExA(*parsed.root, parsed.subKey, 0, access, key.Receive()) != kSuccess)
    key.Reset();
  return key;
}

// The key that receives a value: created when missing, or the root itself.
RegistryKey CreateKey(std::string_view keyPath) {
  ParsedKeyPath parsed = ParseKeyPath(keyPath);
  RegistryKey key;
  if (!parsed.root) return key;
  if (parsed.subKey.empty()) return RegistryKey(*parsed.root);
  if (RegCreateKeyExA(*parsed.root, parsed.subKey, kNonVolatile, kWriteAccess,
                      key.Receive(), nullptr) != kSuccess)
    key.Reset();
  return key;
}

void StoreValue(std::string_view keyPath, const std::string& valueName, std::uint32_t type,
                std::span<const std::uint8_t> bytes) {
  RegistryKey key = CreateKey(keyPath);
  if (!key) return;
  RegSetValueExA(key.Get(), valueName, type, bytes.data(),
                 static_cast<std::uint32_t>(bytes.size()));
}

void StoreNumber(std::string_view keyPath, const std::string& valueName, std::int32_t number,
                 bool asBinary) {
  auto bits = static_cast<std::uint32_t>(number);
  const std::array<std::uint8_t, 4> bytes{
      static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
      static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
  StoreValue(keyPath, valueName, asBinary ? kBinary : kDword, bytes);
}

// The value's bytes: the first read's, or, when they did not fit, a second read with
// a buffer of exactly the size the first reported. Nothing when a read fails.
std::optional<std::vector<std::uint8_t>> WholeValue(RegKey key, const std::string& valueName,
                                                    std::int32_t firstStatus,
                                                    std::vector<std::uint8_t> buffer,
                                                    std::uint32_t size) {
  std::int32_t status = firstStatus;
  if (status == kMoreData) {
    buffer.assign(size, 0);
    std::uint32_t type = 0;
    status = RegQueryValueExA(key, valueName, &type, buffer.data(), &size);
  }
  if (status != kSuccess) return std::nullopt;
  buffer.resize(std::min<std::size_t>(size, buffer.size()));
  return buffer;
}

RegistryData ReadText(RegKey key, const std::string& valueName, std::int32_t firstStatus,
                      std::vector<std::uint8_t> buffer, std::uint32_t size) {
  auto bytes = WholeValue(key, valueName, firstStatus, std::move(buffer), size);
  // The terminating zero is dropped; a value without even that reads as none.
  if (!bytes || bytes->empty()) return {};
  return RegistryData(std::string(bytes->begin(), bytes->end() - 1));
}

RegistryData ReadBinary(RegKey key, const std::string& valueName, std::int32_t firstStatus,
                        std::vector<std::uint8_t> buffer, std::uint32_t size) {
  auto bytes = WholeValue(key, valueName, firstStatus, std::move(buffer), size);
  if (!bytes) return {};
  return RegistryData(std::string(bytes->begin(), bytes->end()));
}

RegistryData ReadNumber(RegKey key, const std::string& valueName) {
  std::array<std::uint8_t, 4> bytes{};
  std::uint32_t size = 4;
  std::uint32_t type = 0;
  if (RegQueryValueExA(key, valueName, &type, bytes.data(), &size) != kSuccess) return {};
  return RegistryData(LoadS32(bytes, 0));
}
}  // namespace

std::optional<std::string> RegistryData::Text() const {
  if (auto text = std::get_if<std::string>(&value_)) return *text;
  return std::nullopt;
}

std::optional<std::int32_t> RegistryData::Number() const {
  if (auto number = std::get_if<std::int32_t>(&value_)) return *number;
  return std::nullopt;
}

std::string RegistryData::ToText() const {
  if (auto number = std::get_if<std::int32_t>(&value_)) return std::to_string(*number);
  if (auto text = std::get_if<std::string>(&value_)) return *text;
  return {};
}

ParsedKeyPath ParseKeyPath(std::string_view keyPath) {
  ParsedKeyPath parsed;
  if (keyPath.empty()) return parsed;
  std::size_t slash = keyPath.find('\\');
  std::string_view rootName = keyPath.substr(0, slash);
  if (slash != std::string_view::npos) parsed.subKey = std::string(keyPath.substr(slash + 1));
  for (const auto& root : kRoots) {
    if (EqualsIgnoringCase(root.name, rootName)) parsed.root = root.key;
  }
  return parsed;
}

void SetRegValue(std::string_view keyPath, const std::string& valueName, std::string_view data,
                 bool asBinary) {
  std::vector<std::uint8_t> bytes(data.begin(), data.end());
  if (!asBinary) bytes.push_back(0);
  StoreValue(keyPath, valueName, asBinary ? kBinary : kSz, bytes);
}

void SetRegValue(std::string_view keyPath, const std::string& valueName, const char* data,
                 bool asBinary) {
  SetRegValue(keyPath, valueName, std::string_view(data ? data : ""), asBinary);
}

void SetRegValue(std::string_view keyPath, const std::string& valueName, std::uint8_t data,
                 bool asBinary) {
  StoreNumber(keyPath, valueName, data, asBinary);
}

void SetRegValue(std::string_view keyPath, const std::string& valueName, std::int16_t data,
                 bool asBinary) {
  StoreNumber(keyPath, valueName, data, asBinary);
}

void SetRegValue(std::string_view keyPath, const std::string& valueName, std::int32_t data,
                 bool asBinary) {
  StoreNumber(keyPath, valueName, data, asBinary);
}

void SetRegValue(std::string_view keyPath, const std::string& valueName, bool data,
                 bool asBinary) {
  StoreNumber(keyPath, valueName, data ? -1 : 0, asBinary);
}

RegistryData GetRegValue(std::string_view keyPath, const std::string& valueName) {
  RegistryKey key = OpenKey(keyPath, kReadAccess);
  if (!key) return {};
  std::uint32_t type = kNoType;
  std::uint32_t size = kFirstQuerySize;
  std::vector<std::uint8_t> buffer(kFirstQuerySize, 0);
  std::int32_t status = RegQueryValueExA(key.Get(), valueName, &type, buffer.data(), &size);
  switch (type) {
    case kSz:
    case kExpandSz:
    case kMultiSz:
      return ReadText(key.Get(), valueName, status, std::move(buffer), size);
    case kBinary:
      return ReadBinary(key.Get(), valueName, status, std::move(buffer), size);
    case kDword:
      return ReadNumber(key.Get(), valueName);
    default:
      return {};
  }
}

std::vector<std::string> EnumRegValues(std::string_view keyPath) {
  std::vector<std::string> names;
  RegistryKey key = OpenKey(keyPath, kReadAccess);
  if (!key) return names;
  for (std::uint32_t index = 0;; ++index) {
    std::array<char, kNameBufferLength> name{};
    std::uint32_t length = kNameBufferLength;
    std::uint32_t type = 0;
    std::uint32_t dataSize = 0;
    if (RegEnumValueA(key.Get(), index, name.data(), &length, &type, nullptr, &dataSize) !=
        kSuccess)
      break;
    names.emplace_back(name.data(), std::min<std::size_t>(length, name.size()));
  }
  return names;
}

void DeleteRegValue(std::string_view keyPath, const std::string& valueName) {
  RegistryKey key = OpenKey(keyPath, kDeleteAccess);
  if (!key) return;
  if (valueName.empty()) {
    RegDeleteKeyA(key.Get(), "");
  } else {
    RegDeleteValueA(key.Get(), valueName);
  }
}
