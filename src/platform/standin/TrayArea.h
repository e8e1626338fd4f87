#pragma once
// The stand-in notification area, for tests: the icons it shows and the last balloon.
#include <map>
#include <string>
#include <utility>

#include "platform/TrayApi.h"

namespace platform::standin {
struct TrayArea {
  std::map<std::pair<std::uintptr_t, std::uint32_t>, TrayIconData> icons;
  TrayIconData lastBalloon;
  int balloons = 0;
  int calls = 0;
};
TrayArea& Tray();
}  // namespace platform::standin
