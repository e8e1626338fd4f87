#pragma once
// One executable judged on its own: load it, read what the catalogue shows of it
// (the DPI verdict, the "Bits" text, the subsystem), unload it.
#include <cstdint>
#include <string>

class clsExeReader;

// Whether a program declares DPI awareness; only Windows graphical programs are judged.
enum class DpiVerdict { Yes, No, NotApplicable };

inline constexpr std::int32_t kWindowsGuiSubsystem = 2;

struct ExeInspection {
  bool loaded = false;            // false: the file could not be opened or read
  std::int32_t errorNumber = 0;   // CurrentError after LoadExe when not loaded
  std::string errorDescription;
  DpiVerdict dpiAware = DpiVerdict::NotApplicable;
  std::string bits;               // the reader's Architecture text
  std::int32_t subsystem = 0;
};

// Clears CurrentError, loads `path` into `reader`, and unloads it again. The verdict
// is asked for only for the Windows graphical subsystem; every other one is NotApplicable.
ExeInspection InspectExecutable(clsExeReader& reader, const std::string& path);
