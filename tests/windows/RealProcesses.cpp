// The process contract's programs under Wine: this test program itself, or a copy of it,
// started suspended (they need not run to be listed and named), ended when the test ends; and
// the foreground-window calls reached once over a real window.
// The platform headers come before windows.h, whose macros share their constants' names.
#include "common/RunningProgram.h"
#include "common/TempFolder.h"
#include "platform/ProcessApi.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {
std::string OwnPath() {
  char buffer[MAX_PATH] = {};
  return std::string(buffer, ::GetModuleFileNameA(nullptr, buffer, MAX_PATH));
}

class ChildProgram : public RunningProgram {
 public:
  explicit ChildProgram(std::size_t length) : path_(length > 0 ? Copy(length) : OwnPath()) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path_ + "\"";
    started_ = !path_.empty() &&
               ::CreateProcessA(path_.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                                &info_) != FALSE;
  }
  ~ChildProgram() override {
    if (!started_) return;
    ::TerminateProcess(info_.hProcess, 0);
    ::WaitForSingleObject(info_.hProcess, 5000);
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
  }
  bool Started() const { return started_; }
  std::uint32_t Id() const override { return info_.dwProcessId; }
  std::string ImagePath() const override { return path_; }

 private:
  // This program copied to a path of `length` characters: folders of 100 characters until
  // the rest fits one file name.
  std::string Copy(std::size_t length) {
    std::string folder = folder_.Path();
    while (folder.size() + 1 + 100 + 10 < length) folder += "\\" + std::string(100, 'd');
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string path = folder + "\\" + std::string(length - folder.size() - 5, 'p') + ".exe";
    return ::CopyFileA(OwnPath().c_str(), path.c_str(), FALSE) ? path : "";
  }

  TempFolder folder_;  // removed after the program has ended
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
