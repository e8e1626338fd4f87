#pragma once
// Helpers for the tests that drive real windows and processes under Wine: started
// processes, window search, and message boxes and pop-up menus answered from another
// thread while the code under test waits in their modal loops.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wine_session {

inline std::string ProgramBeside(const char* name) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.rfind('\\') + 1) + name;
}

// Whether `predicate` came true within `ms`, polled every 100 ms.
inline bool WaitUntil(const std::function<bool()>& predicate, DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    if (predicate()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(100);
  }
}

// A started process; one still running when the object goes is terminated.
class Child {
 public:
  explicit Child(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info_) != FALSE;
    if (!started_) error_ = GetLastError();
  }
  ~Child() {
    if (!started_) return;
    if (Running()) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  bool Started() const { return started_; }
  DWORD Error() const { return error_; }  // the system's error when it did not start
  DWORD Id() const { return info_.dwProcessId; }
  bool WaitForExit(DWORD ms) const {
    return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
  }
  bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  // The exit status once it has ended (STILL_ACTIVE before).
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
  DWORD error_ = 0;
};

inline std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The first top-level window of process `processId` with class `className`
// (visible ones only when `visibleOnly`).
struct TopLevelSearch {
  DWORD processId;
  const char* className;
  bool visibleOnly;
  HWND found;
};

// An EnumWindows callback must be a stdcall function (a lambda is not, in 32-bit code).
inline BOOL CALLBACK MatchTopLevel(HWND window, LPARAM context) {
  auto* s = reinterpret_cast<TopLevelSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != s->processId || ClassOf(window) != s->className) return TRUE;
  if (s->visibleOnly && !IsWindowVisible(window)) return TRUE;
  s->found = window;
  return FALSE;
}

inline HWND FindTopLevel(DWORD processId, const char* className, bool visibleOnly = false) {
  TopLevelSearch search{processId, className, visibleOnly, nullptr};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline HWND WaitForTopLevel(DWORD processId, const char* className, DWORD ms,
                            bool visibleOnly = false) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevel(processId, className, visibleOnly)) != nullptr; }, ms);
  return found;
}

// A message box as it was shown: title, text and icon.
struct ShownMessage {
  std::string title;
  std::string text;
  bool exclamation = false;
  bool information = false;
  bool critical = false;
};

// The icon control of a message box: id 0x440 in Wine's dialog, 20 in Windows'.
inline HICON MessageIcon(HWND box) {
  for (int id : {0x440, 20})
    if (HWND icon = GetDlgItem(box, id))
      return reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
  return nullptr;
}

// Answers every message box of this process with OK from its own thread, recording
// each, until the object goes.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() : thread_([this] { Run(); }) {}
  ~MessageBoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  std::vector<ShownMessage> Shown() {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
  }

 private:
  void Run() {
    const HICON exclamation = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_EXCLAMATION));
    const HICON information = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_INFORMATION));
    const HICON critical = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND));
    while (!stop_) {
      HWND box = FindTopLevel(GetCurrentProcessId(), "#32770", true);
      if (!box) {
        Sleep(50);
        continue;
      }
      ShownMessage message;
      message.title = TextOf(box);
      char text[512] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the text's static control
      message.text = text;
      HICON icon = MessageIcon(box);
      message.exclamation = icon && icon == exclamation;
      message.information = icon && icon == information;
      message.critical = icon && icon == critical;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        shown_.push_back(message);
      }
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
    }
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<ShownMessage> shown_;
  std::thread thread_;
};

// Closes every pop-up menu of this process as soon as it shows, recording the menu
// handle of each (MN_GETHMENU), until the object goes.
class PopupMenuCloser {
 public:
  PopupMenuCloser() : thread_([this] { Run(); }) {}
  ~PopupMenuCloser() {
    stop_ = true;
    thread_.join();
  }
  PopupMenuCloser(const PopupMenuCloser&) = delete;
  PopupMenuCloser& operator=(const PopupMenuCloser&) = delete;

  std::vector<HMENU> Shown() {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
  }

 private:
  static constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

  void Run() {
    while (!stop_) {
      HWND popup = FindTopLevel(GetCurrentProcessId(), "#32768", true);
      if (!popup) {
        Sleep(20);
        continue;
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        shown_.push_back(reinterpret_cast<HMENU>(SendMessageA(popup, kGetMenuHandle, 0, 0)));
      }
      EndMenu();
      WaitUntil([popup] { return !IsWindowVisible(popup); }, 5000);
    }
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<HMENU> shown_;
  std::thread thread_;
};

}  // namespace wine_session
