#include "platform/TrayApi.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstddef>

namespace platform {

// The program's names for the notification-area messages and record flags.
static_assert(tray::kAddIcon == NIM_ADD && tray::kModifyIcon == NIM_MODIFY &&
              tray::kDeleteIcon == NIM_DELETE);
static_assert(tray::kMessageField == NIF_MESSAGE && tray::kIconField == NIF_ICON &&
              tray::kTipField == NIF_TIP);
static_assert(tray::kInfoField == NIF_INFO && tray::kRealTime == NIF_REALTIME);
static_assert(tray::kUserIcon == NIIF_USER && tray::kNoSound == NIIF_NOSOUND);
namespace {
// The 8-bit record with the balloon fields and nothing after them: 488 bytes in a
// 32-bit build (504 in a 64-bit one). The SDK's NOTIFYICONDATAA for this Windows
// version goes on with guidItem and hBalloonIcon, which the program does not send.
struct BalloonRecordA {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  CHAR szTip[128];
  DWORD dwState;
  DWORD dwStateMask;
  CHAR szInfo[256];
  UINT uTimeout;
  CHAR szInfoTitle[64];
  DWORD dwInfoFlags;
};
static_assert(sizeof(BalloonRecordA) == NOTIFYICONDATAA_V2_SIZE);
static_assert(sizeof(void*) != 4 || sizeof(BalloonRecordA) == 488);
static_assert(offsetof(BalloonRecordA, szInfo) == offsetof(NOTIFYICONDATAA, szInfo));
static_assert(offsetof(BalloonRecordA, dwInfoFlags) == offsetof(NOTIFYICONDATAA, dwInfoFlags));
}  // namespace

std::uint32_t tray::RecordSize() { return sizeof(BalloonRecordA); }

bool Shell_NotifyIconA(std::uint32_t message, const TrayIconData& data) {
  BalloonRecordA record{};
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
  // The system reads cbSize bytes: the record is the leading part of NOTIFYICONDATAA.
  return ::Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&record)) != FALSE;
}

}  // namespace platform
