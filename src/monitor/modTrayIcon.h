#pragma once
// The program's icon in the notification area. One record is kept between calls and
// sent whole each time; every operation writes only its own fields, so a balloon goes
// to the icon that the last AddTrayIcon or RemoveTrayIcon named.
#include <cstdint>
#include <string>

#include "platform/TrayApi.h"

namespace modTrayIcon {

inline constexpr std::uint32_t kCallbackMessage = 0x200;  // WM_MOUSEMOVE
inline constexpr std::uint32_t kLeftButtonUp = 0x202;   // WM_LBUTTONUP
inline constexpr std::uint32_t kRightButtonUp = 0x205;  // WM_RBUTTONUP

// Modifies the icon, and adds it only when that fails (the icon is not there).
void AddTrayIcon(std::uintptr_t hWnd, std::uintptr_t hIcon, const std::string& toolTip);
void RemoveTrayIcon(std::uintptr_t hWnd);
void ShowTrayBalloon(const std::string& title, const std::string& text, std::uint32_t timeout,
                     std::uint32_t infoFlags, bool realTime, bool noSound);

// The record as it stands, for tests.
const platform::TrayIconData& TrayIconData();

}  // namespace modTrayIcon
