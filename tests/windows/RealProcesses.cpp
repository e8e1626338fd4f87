// The process contract's programs under Wine: copies of a system program started
// suspended (they need not run to be listed and named), ended when the test ends; and
// the foreground-window calls reached once over a real window.
// The platform headers come before windows.h, whose macros share their constants' names.
#include "common/RunningProgram.h"
#include "platform/ProcessApi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::string SystemFolder(bool wow64Redirected) {
  char buffer[MAX_PATH] = {};
  UINT length = wow64Redirected ? ::GetSystemWow64DirectoryA(buffer, MAX_PATH)
                                : ::GetSystemDirectoryA(buffer, MAX_PATH);
  return std::string(buffer, length);
}

// Where a program started from the system folder really runs from: for a 32-bit
// process on 64-bit Windows the system folder is redirected to SysWOW64.
std::string SystemImage(const std::string& name) {
  BOOL wow64 = FALSE;
  return SystemFolder(::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64) + "\\" + name;
}

class ChildProgram : public RunningProgram {
 public:
  // Copies ping.exe to a path of `length` characters under the temporary folder
  // (folders of 100 characters until the rest fits one file name), unless 0.
  explicit ChildProgram(std::size_t length) : path_(SystemImage("ping.exe")) {
    if (length > 0) path_ = Copy(length);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path_ + "\"";
    started_ = !path_.empty() &&
               ::CreateProcessA(path_.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                                &info_) != FALSE;
  }
  ~ChildProgram() override {
    if (started_) {
      ::TerminateProcess(info_.hProcess, 0);
      ::WaitForSingleObject(info_.hProcess, 5000);
      ::CloseHandle(info_.hThread);
      ::CloseHandle(info_.hProcess);
    }
    if (!folders_.empty()) ::DeleteFileA(path_.c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) {
      ::RemoveDirectoryA(folder->c_str());
    }
  }
  bool Started() const { return started_; }
  std::uint32_t Id() const override { return info_.dwProcessId; }
  std::string ImagePath() const override { return path_; }

 private:
  std::string Copy(std::size_t length) {
    char temp[MAX_PATH] = {};
    DWORD used = ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp, used) + "sharpwell-" +
                         std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(length);
    folders_.push_back(folder);
    while (folder.size() + 1 + 100 + 10 < length) {
      folder += "\\" + std::string(100, 'd');
      folders_.push_back(folder);
    }
    for (const std::string& each : folders_) ::CreateDirectoryA(each.c_str(), nullptr);
    std::string path = folder + "\\";
    path += std::string(length - path.size() - 4, 'p') + ".exe";
    const std::string ping = SystemFolder(false) + "\\ping.exe";
    return ::CopyFileA(ping.c_str(), path.c_str(), FALSE) ? path : "";
  }

  std::vector<std::string> folders_;
  std::string path_;
  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};
}  // namespace

std::unique_ptr<RunningProgram> StartProgram(std::size_t pathLength) {
  auto program = std::make_unique<ChildProgram>(pathLength);
  if (!program->Started()) return nullptr;
  return program;
}

TEST(RealProcesses, ForegroundWindowNamesItsProcess) {
  HWND window = ::CreateWindowExA(0, "STATIC", "Sharpwell probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ::SetForegroundWindow(window);
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);

  const auto handle = reinterpret_cast<std::uintptr_t>(window);
  EXPECT_EQ(platform::GetForegroundWindow(), handle);
  EXPECT_EQ(platform::GetWindowThreadProcessId(handle), ::GetCurrentProcessId());
  ::DestroyWindow(window);
  EXPECT_EQ(platform::GetWindowThreadProcessId(handle), 0u);
}
