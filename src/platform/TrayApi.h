#pragma once
// The notification area: Shell_NotifyIconA with the 8-bit NOTIFYICONDATA record and its
// balloon fields. The native build stands in with an in-memory notification area that
// keeps the same rules: modifying or deleting an icon that is not there fails.
#include <array>
#include <cstdint>

namespace platform {

struct TrayIconData {
  std::uint32_t cbSize = 0;
  std::uintptr_t hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::uintptr_t hIcon = 0;
  std::array<char, 128> szTip{};
  std::uint32_t dwState = 0;
  std::uint32_t dwStateMask = 0;
  std::array<char, 256> szInfo{};
  std::uint32_t uTimeout = 0;
  std::array<char, 64> szInfoTitle{};
  std::uint32_t dwInfoFlags = 0;
};

// The system's values under the program's own names (the Windows build checks each).
namespace tray {
inline constexpr std::uint32_t kAddIcon = 0, kModifyIcon = 1, kDeleteIcon = 2;
inline constexpr std::uint32_t kMessageField = 0x1, kIconField = 0x2, kTipField = 0x4;
inline constexpr std::uint32_t kInfoField = 0x10, kRealTime = 0x40;
inline constexpr std::uint32_t kUserIcon = 0x4, kNoSound = 0x10;
// The size of the system's 8-bit record with balloon fields in this build.
std::uint32_t RecordSize();
}  // namespace tray

bool Shell_NotifyIconA(std::uint32_t message, const TrayIconData& data);

}  // namespace platform
