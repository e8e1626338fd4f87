#pragma once
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
