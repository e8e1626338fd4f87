#pragma once
// Module-wide state of the program: its own executable path and product name, set
// once at start-up before the main window loads.
#include <string>

namespace modSharpwell {
extern std::string AppExePath;
extern std::string AppProductName;

// The program's folder, one backslash (a drive root already ends in one), the
// executable's base name and ".exe".
std::string MakeAppExePath(const std::string& folder, const std::string& baseName);
}  // namespace modSharpwell
