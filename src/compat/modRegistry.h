#pragma once
// modRegistry: the program's one way into the registry. Keys are named by text, a
// short root name ("HKCR", "HKCU", "HKLM", "HKU", "HKPD", "HKCC", any letter case), a
// backslash and the subkey below that root. Every key is opened in the 64-bit view
// and closed before the operation returns. Failures are silent: a write that cannot
// be made stores nothing, a read that cannot be made gives none or an empty list.
//
// Text crosses the registry as it is held by the program (8-bit, in the process's
// code page, which is UTF-8 in the program itself).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/RegistryApi.h"

// What a read gives: none, a text or a 32-bit number.
class RegistryData {
 public:
  RegistryData() = default;
  explicit RegistryData(std::string text) : value_(std::move(text)) {}
  explicit RegistryData(std::int32_t number) : value_(number) {}

  bool IsNone() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsNumber() const { return std::holds_alternative<std::int32_t>(value_); }
  // The text, or nothing when the data is not a text.
  std::optional<std::string> Text() const;
  // The number, or nothing when the data is not a number.
  std::optional<std::int32_t> Number() const;
  // The data as callers that want text take it: "" for none, decimal for a number.
  std::string ToText() const;

 private:
  std::variant<std::monostate, std::string, std::int32_t> value_;
};

struct ParsedKeyPath {
  std::optional<platform::RegKey> root;  // none for an empty path or an unknown root name
  std::string subKey;                   // everything after the first backslash
};

ParsedKeyPath ParseKeyPath(std::string_view keyPath);

// Stores one value, creating the key when it is missing. Whole numbers and booleans
// are stored as REG_DWORD (true as -1), texts as REG_SZ with a terminating zero; with
// `asBinary` the same bytes are stored as REG_BINARY.
void SetRegValue(std::string_view keyPath, const std::string& valueName, std::string_view data,
                 bool asBinary = false);
void SetRegValue(std::string_view keyPath, const std::string& valueName, const char* data,
                 bool asBinary = false);
void SetRegValue(std::string_view keyPath, const std::string& valueName, std::uint8_t data,
                 bool asBinary = false);
void SetRegValue(std::string_view keyPath, const std::string& valueName, std::int16_t data,
                 bool asBinary = false);
void SetRegValue(std::string_view keyPath, const std::string& valueName, std::int32_t data,
                 bool asBinary = false);
void SetRegValue(std::string_view keyPath, const std::string& valueName, bool data,
                 bool asBinary = false);

// Reads one value: text for REG_SZ, REG_EXPAND_SZ (unexpanded), REG_MULTI_SZ (the
// zeros between its strings kept) and REG_BINARY (every byte); a number for
// REG_DWORD; none for anything else, a missing value or a key that can't be opened.
RegistryData GetRegValue(std::string_view keyPath, const std::string& valueName);

// The names of the key's values in the order the registry lists them. The listing
// stops at the first name of 255 characters or more.
std::vector<std::string> EnumRegValues(std::string_view keyPath);

// Deletes one value; with an empty value name, the key named by the path itself.
void DeleteRegValue(std::string_view keyPath, const std::string& valueName);
