#pragma once
// One executable judged on its own: load it, read what the catalogue shows of it
// (the "DPI aware" and "Bits" texts, the subsystem), unload it.
#include <cstdint>
#include <string>

class clsExeReader;

namespace DpiAwareText {
inline constexpr const char* Yes = "Yes";
inline constexpr const char* No = "No";
inline constexpr const char* NotApplicable = "N/A";
}  // namespace DpiAwareText

inline constexpr std::int32_t kWindowsGuiSubsystem = 2;

struct ExeInspection {
  bool loaded = false;            // false: the file could not be opened or read
  std::int32_t errorNumber = 0;   // CurrentError after LoadExe when not loaded
  std::string errorDescription;
  std::string dpiAware;           // "Yes", "No" or "N/A"
  std::string bits;               // the reader's Architecture text
  std::int32_t subsystem = 0;
};

// Clears CurrentError, loads `path` into `reader`, and unloads it again. The verdict
// is asked for only for the Windows graphical subsystem; every other one is "N/A".
ExeInspection InspectExecutable(clsExeReader& reader, const std::string& path);
