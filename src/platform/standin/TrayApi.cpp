#include "platform/TrayApi.h"

#include "platform/standin/TrayArea.h"

namespace platform {

// The record of a 32-bit Windows build (the release architecture).
std::uint32_t tray::RecordSize() { return 488; }

standin::TrayArea& standin::Tray() {
  static TrayArea area;
  return area;
}

bool Shell_NotifyIconA(std::uint32_t message, const TrayIconData& data) {
  auto& area = standin::Tray();
  ++area.calls;
  auto key = std::make_pair(data.hWnd, data.uID);
  auto found = area.icons.find(key);
  switch (message) {
    case tray::kAddIcon:
      if (found != area.icons.end()) return false;
      area.icons[key] = data;
      return true;
    case tray::kModifyIcon:
      if (found == area.icons.end()) return false;
      if (data.uFlags & tray::kInfoField) {
        area.lastBalloon = data;
        ++area.balloons;
      }
      found->second = data;
      return true;
    case tray::kDeleteIcon:
      if (found == area.icons.end()) return false;
      area.icons.erase(found);
      return true;
    default:
      return false;
  }
}

}  // namespace platform
