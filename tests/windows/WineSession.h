#pragma once
// What the tests that drive real windows and processes under Wine share: started
// processes, window search, modal loops closed from another thread.
#include "compat/LayersKey.h"
#include "platform/TrayApi.h"
#include "shell/window/ProductInfo.h"
#include "windows/SeededRegistry.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace wine_session {

inline std::string ProgramBeside(const char* name) { return OwnModulePath().folder + "\\" + name; }

inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Whether `predicate` came true within `ms`, polled every 50 ms.
inline bool WaitUntil(const std::function<bool()>& predicate, DWORD ms) {
  for (const ULONGLONG end = GetTickCount64() + ms; !predicate(); Sleep(50))
    if (GetTickCount64() >= end) return false;
  return true;
}

// A started process (id 0 when it could not start), its standard output into the file
// `output` when given; terminated if still running when the object goes.
class Child {
 public:
  explicit Child(std::string commandLine, const std::string& output = "", DWORD creationFlags = 0) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE out = INVALID_HANDLE_VALUE;
    if (!output.empty())
      out = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = output.empty() ? 0 : STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, !output.empty(), creationFlags, nullptr,
                   nullptr, &startup, &info_);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);  // the child has its own copy
  }
  ~Child() {
    TerminateProcess(info_.hProcess, 1);
    WaitForExit(5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  DWORD Id() const { return info_.dwProcessId; }
  bool WaitForExit(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }

  // The exit status, once it ended within 30 s; -1 when it did not start or end.
  long ExitCode() const {
    DWORD code = 0;
    return WaitForExit(30000) && GetExitCodeProcess(info_.hProcess, &code) ? static_cast<long>(code) : -1;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// A window's text, or that of its child `item` (0xFFFF: a message box's text).
inline std::string TextOf(HWND window, int item = 0) {
  char text[512] = {};
  item ? GetDlgItemTextA(window, item, text, sizeof text) : GetWindowTextA(window, text, sizeof text);
  return text;
}

// The first top-level window of class `className` that process `processId` shows (or
// has, when not `visibleOnly`), waited for up to `ms`.
inline HWND WaitForTopLevel(DWORD processId, const char* className, DWORD ms, bool visibleOnly = false) {
  HWND found = nullptr;
  WaitUntil([&] {
    while ((found = FindWindowExA(nullptr, found, className, nullptr))) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (owner == processId && (!visibleOnly || IsWindowVisible(found))) return true;
    }
    return false;
  }, ms);
  return found;
}

// The Layers value of `path` (named by its upper-case form), or "".
inline std::string LayersValue(const std::string& path) {
  return GetRegValue(RegistryPath::Layers, UpperCase(path)).ToText();
}

// Whether the notification area holds the icon of `owner` (id 0): only then does a
// modify that changes nothing succeed.
inline bool TrayIconIsUp(std::uintptr_t owner) {
  platform::TrayIconData record;
  record.cbSize = platform::tray::RecordSize();
  record.hWnd = owner;
  return platform::Shell_NotifyIconA(platform::tray::kModifyIcon, record);
}

// Closes this process's pop-up menus as soon as each shows, from a thread of its own,
// until the object goes; counts them.
class MenuCloser {
 public:
  MenuCloser() : thread_([this] { Run(); }) {}
  ~MenuCloser() {
    stop_ = true;
    thread_.join();
  }

  // The menu closed, when exactly one was; else null.
  HMENU Only() const { return count_ == 1 ? last_.load() : nullptr; }

 private:
  void Run() {
    for (; !stop_; Sleep(20)) {
      const HWND window = WaitForTopLevel(GetCurrentProcessId(), "#32768", 0, true);
      if (!window) continue;
      last_ = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
      ++count_;
      EndMenu();
      WaitUntil([window] { return !IsWindowVisible(window); }, 5000);
    }
  }

  std::atomic<bool> stop_{false};
  std::atomic<int> count_{0};
  std::atomic<HMENU> last_{nullptr};
  std::thread thread_;
};

}  // namespace wine_session
