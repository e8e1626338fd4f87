#include "monitor/modTrayIcon.h"

#include <algorithm>

namespace modTrayIcon {
namespace {
platform::TrayIconData record;

// The text, a terminating zero and blanks after it up to the field's size; a longer
// text is cut so that the zero still fits.
template <std::size_t N>
void SetTextField(std::array<char, N>& field, const std::string& text) {
  field.fill(' ');
  std::size_t length = std::min(text.size(), N - 1);
  std::copy_n(text.begin(), length, field.begin());
  field[length] = '\0';
}
}  // namespace

void AddTrayIcon(std::uintptr_t hWnd, std::uintptr_t hIcon, const std::string& toolTip) {
  using namespace platform::tray;
  record.cbSize = RecordSize();
  record.hWnd = hWnd;
  record.uID = 0;
  record.uFlags = kMessageField | kIconField | kTipField;
  record.uCallbackMessage = kCallbackMessage;
  record.hIcon = hIcon;
  SetTextField(record.szTip, toolTip);
  if (!platform::Shell_NotifyIconA(kModifyIcon, record))
    platform::Shell_NotifyIconA(kAddIcon, record);
}

void RemoveTrayIcon(std::uintptr_t hWnd) {
  record.cbSize = platform::tray::RecordSize();
  record.hWnd = hWnd;
  record.uFlags = 0;
  platform::Shell_NotifyIconA(platform::tray::kDeleteIcon, record);
}

void ShowTrayBalloon(const std::string& title, const std::string& text, std::uint32_t timeout,
                     std::uint32_t infoFlags, bool realTime, bool noSound) {
  using namespace platform::tray;
  record.cbSize = RecordSize();
  record.uFlags = kInfoField | (realTime ? kRealTime : 0);
  SetTextField(record.szInfo, text);
  SetTextField(record.szInfoTitle, title);
  record.dwInfoFlags = infoFlags | (noSound ? kNoSound : 0);
  record.uTimeout = timeout;
  platform::Shell_NotifyIconA(kModifyIcon, record);
}

const platform::TrayIconData& TrayIconData() { return record; }

}  // namespace modTrayIcon
