#include "compat/LayersKey.h"

#include "compat/LayersBackup.h"
#include "compat/modRegistry.h"
#include "platform/TextApi.h"

void SetLayersValue(const std::string& name, std::string_view flags) {
  BackUpLayersBeforeFirstChange();
  SetRegValue(kLayersKeyPath, name, flags);
}

void SetLayersValue(const std::string& name, std::int32_t number) {
  BackUpLayersBeforeFirstChange();
  SetRegValue(kLayersKeyPath, name, number);
}

void DeleteLayersValue(const std::string& name) {
  BackUpLayersBeforeFirstChange();
  DeleteRegValue(kLayersKeyPath, name);
}

std::optional<std::string> FindLayersValueName(const std::string& path) {
  for (std::string& name : EnumRegValues(kLayersKeyPath))
    if (platform::SamePath(name, path)) return name;
  return std::nullopt;
}

std::vector<RegFileValue> ReadLayersValues() {
  std::vector<RegFileValue> values;
  for (std::string& name : EnumRegValues(kLayersKeyPath)) {
    RegistryData data = GetRegValue(kLayersKeyPath, name);
    // A value without data, or of a type the registry module reads as none, is kept
    // as an empty text rather than lost.
    if (data.IsNone()) data = RegistryData(std::string());
    values.push_back({std::move(name), std::move(data)});
  }
  return values;
}
