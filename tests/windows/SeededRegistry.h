#pragma once
// The registry lists that discovery reads, seeded for one test or benchmark and put
// back as they were: every compatibility entry and UserAssist name that was not there
// before is deleted, and the UserAssist keys that seeding created are removed again.
#include "compat/modRegistry.h"
#include "platform/AsciiCase.h"
#include "platform/ProgramText.h"

#include <windows.h>

#include <array>
#include <set>
#include <string>
#include <string_view>

class SeededRegistry {
 public:
  static constexpr const char* kLayers =
      "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
  static constexpr const char* kCount =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
      "{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count";

  SeededRegistry() {
    for (const char* key : kChain)  // the first missing key of the chain, removed with all below it
      if (!created_ && !KeyExists(key)) created_ = key;
    for (const std::string& name : EnumRegValues(kLayers)) layersBefore_.insert(UpperCase(name));
    for (const std::string& name : EnumRegValues(kCount)) countBefore_.insert(name);
  }
  ~SeededRegistry() {
    for (const std::string& name : EnumRegValues(kLayers))
      if (!layersBefore_.contains(UpperCase(name))) DeleteRegValue(kLayers, name);
    for (const std::string& name : EnumRegValues(kCount))
      if (!countBefore_.contains(name)) DeleteRegValue(kCount, name);
    if (created_) RegDeleteTreeA(HKEY_CURRENT_USER, created_);
  }
  SeededRegistry(const SeededRegistry&) = delete;
  SeededRegistry& operator=(const SeededRegistry&) = delete;

  // A compatibility entry named `name` (any case) with `flags`.
  void AddLayer(const std::string& name, const std::string& flags) { SetRegValue(kLayers, name, flags); }
  // A recently run program, named as Explorer names it (ROT13 of the path).
  void AddRecent(const std::string& path) {
    SetRegValue(kCount, Rot13(path), std::string_view("\0\0\0\0\x01\0\0\0", 8), true);
  }

 private:
  // The keys from the first that may be missing down to the Count key.
  static constexpr std::array<const char*, 3> kChain = {
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
      "{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
      "{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count"};

  static bool KeyExists(const char* subKey) {
    HKEY key = nullptr;
    const bool exists = RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) == 0;
    if (exists) RegCloseKey(key);
    return exists;
  }

  const char* created_ = nullptr;
  std::set<std::string> layersBefore_;
  std::set<std::string> countBefore_;
};
