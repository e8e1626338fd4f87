#pragma once
// The compatibility list as the tests see it, and its state put back after a test.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "compat/LayersKey.h"
#include "platform/FolderApi.h"

namespace layers_state {

// Values as "name=text", "name=#number" or "name=-" (a deletion), for comparing lists.
inline std::vector<std::string> Shown(const std::vector<RegFileValue>& values) {
  std::vector<std::string> shown;
  for (const RegFileValue& value : values)
    shown.push_back(value.name + "=" + (value.data.IsNone() ? "-" : value.data.IsNumber() ? "#" : "") +
                    value.data.ToText());
  return shown;
}

// The list as stored, shown so and sorted.
inline std::vector<std::string> Stored() {
  std::vector<std::string> shown = Shown(ReadLayersValues());
  std::sort(shown.begin(), shown.end());
  return shown;
}

inline void Clear() {
  for (const RegFileValue& value : ReadLayersValues()) DeleteRegValue(kLayersKeyPath, value.name);
}

// Empties the list for a test; the list and LOCALAPPDATA come back when the object goes.
class Saved {
 public:
  Saved() { Clear(); }
  ~Saved() {
    Clear();
    for (const RegFileValue& value : values_) {
      if (std::optional<std::int32_t> number = value.data.Number())
        SetRegValue(kLayersKeyPath, value.name, *number);
      else
        SetRegValue(kLayersKeyPath, value.name, value.data.ToText());
    }
    platform::SetEnvironmentVariableA("LOCALAPPDATA", localAppData_);
  }
  Saved(const Saved&) = delete;
  Saved& operator=(const Saved&) = delete;

 private:
  const std::vector<RegFileValue> values_ = ReadLayersValues();
  const std::optional<std::string> localAppData_ = platform::GetEnvironmentVariableA("LOCALAPPDATA");
};

// What was written to `file` (from its start), which is closed.
inline std::string ReadBack(std::FILE* file) {
  std::string text;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  std::fclose(file);
  return text;
}

}  // namespace layers_state
