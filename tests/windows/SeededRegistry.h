#pragma once
// The registry lists that discovery reads, seeded for one test or benchmark and put
// back as they were: every compatibility entry and UserAssist name that was not there
// before is deleted, and the UserAssist keys that seeding created are removed again.
#include "compat/LayersKey.h"
#include "compat/modRegistry.h"
#include "platform/AsciiCase.h"
#include "platform/ProgramText.h"

#include <windows.h>

#include <set>
#include <string>
#include <string_view>

class SeededRegistry {
 public:
  static constexpr const char* kLayers = kLayersKeyPath;
  static constexpr const char* kCount =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
      "{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count";

  SeededRegistry() {
    // The first missing key from UserAssist down to Count, removed again with all below it.
    const std::string count = std::string(kCount).substr(5);  // below HKCU
    for (std::size_t end = count.find("\\{"); created_.empty(); end = count.find('\\', end + 1)) {
      const std::string key = count.substr(0, end);
      HKEY handle = nullptr;
      if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &handle) != 0)
        created_ = key;
      else
        RegCloseKey(handle);
      if (end == std::string::npos) break;
    }
    for (const std::string& name : EnumRegValues(kLayers)) layersBefore_.insert(UpperCase(name));
    for (const std::string& name : EnumRegValues(kCount)) countBefore_.insert(name);
  }
  ~SeededRegistry() {
    for (const std::string& name : EnumRegValues(kLayers))
      if (!layersBefore_.contains(UpperCase(name))) DeleteRegValue(kLayers, name);
    for (const std::string& name : EnumRegValues(kCount))
      if (!countBefore_.contains(name)) DeleteRegValue(kCount, name);
    if (!created_.empty()) RegDeleteTreeA(HKEY_CURRENT_USER, created_.c_str());
  }
  SeededRegistry(const SeededRegistry&) = delete;
  SeededRegistry& operator=(const SeededRegistry&) = delete;

  void AddLayer(const std::string& name, const std::string& flags) { SetRegValue(kLayers, name, flags); }
  // A recently run program, named as Explorer names it (ROT13 of the path).
  void AddRecent(const std::string& path) {
    SetRegValue(kCount, Rot13(path), std::string_view("\0\0\0\0\x01\0\0\0", 8), true);
  }

 private:
  std::string created_;
  std::set<std::string> layersBefore_;
  std::set<std::string> countBefore_;
};
