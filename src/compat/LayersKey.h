#pragma once
// The compatibility list: the Layers key, one value per executable. Every change the
// program makes to it, from the window or the command line, goes through SetLayersValue
// and DeleteLayersValue, which first save the whole key once per run (LayersBackup.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compat/RegFile.h"

inline constexpr const char* kLayersKeyPath =
    "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
// The same key as registry files name it.
inline constexpr const char* kLayersKeyName =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

namespace RegistryPath {
inline constexpr const char* Layers = kLayersKeyPath;
}  // namespace RegistryPath

void SetLayersValue(const std::string& name, std::string_view flags);
void SetLayersValue(const std::string& name, std::int32_t number);
void DeleteLayersValue(const std::string& name);

// The stored name of the value for `path`, found without regard to case as paths are
// compared; nothing when the list has none.
std::optional<std::string> FindLayersValueName(const std::string& path);

// Every value of the key, in the order the registry lists them; texts and numbers, a
// value that reads as neither as an empty text.
std::vector<RegFileValue> ReadLayersValues();
