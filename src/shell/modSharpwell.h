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

// Texts the program shows.
namespace AppText {
inline constexpr const char* ProductName = "Sharpwell";
inline constexpr const char* AlreadyRunning =
    "This program is already running!\r\n\r\nPlease check your system tray.";
inline constexpr const char* ErrorShowingGui = "Error showing GUI, ";
inline constexpr const char* Instructions =
    "    Drag'n'drop programs from the list of programs above into the compatibility list "
    "below to manually enable the clear, XP style scaling on older programs.\r\n"
    "    The change will take effect next time you start that program.";
inline constexpr const char* MonitorCaption =
    "Run in the background, monitoring for and adding new non-DPI aware programs "
    "automatically";
}  // namespace AppText
