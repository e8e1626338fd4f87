#include "platform/TrayApi.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

namespace platform {

std::uint32_t tray::RecordSize() { return sizeof(NOTIFYICONDATAA); }

bool Shell_NotifyIconA(std::uint32_t message, const TrayIconData& data) {
  NOTIFYICONDATAA record{};
  record.cbSize = data.cbSize;
  record.hWnd = reinterpret_cast<HWND>(data.hWnd);
  record.uID = data.uID;
  record.uFlags = data.uFlags;
  record.uCallbackMessage = data.uCallbackMessage;
  record.hIcon = reinterpret_cast<HICON>(data.hIcon);
  std::copy(data.szTip.begin(), data.szTip.end(), record.szTip);
  record.dwState = data.dwState;
  record.dwStateMask = data.dwStateMask;
  std::copy(data.szInfo.begin(), data.szInfo.end(), record.szInfo);
  record.uTimeout = data.uTimeout;
  std::copy(data.szInfoTitle.begin(), data.szInfoTitle.end(), record.szInfoTitle);
  record.dwInfoFlags = data.dwInfoFlags;
  return ::Shell_NotifyIconA(message, &record) != FALSE;
}

}  // namespace platform
