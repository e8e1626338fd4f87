// The process contract's programs under Wine: this test program itself, or a copy of it,
// started suspended (they need not run to be listed and named), ended when the test ends.
#include "common/RunningProgram.h"
#include "common/TempFolder.h"

#include <windows.h>

namespace {
std::string OwnPath() {
  char buffer[MAX_PATH] = {};
  return std::string(buffer, ::GetModuleFileNameA(nullptr, buffer, MAX_PATH));
}

class ChildProgram {
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
  ~ChildProgram() {
    if (!started_) return;
    ::TerminateProcess(info_.hProcess, 0);
    ::WaitForSingleObject(info_.hProcess, 5000);
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
  }
  bool Started() const { return started_; }
  std::uint32_t Id() const { return info_.dwProcessId; }
  const std::string& Path() const { return path_; }

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

std::optional<RunningProgram> StartProgram(std::size_t pathLength) {
  auto program = std::make_shared<ChildProgram>(pathLength);
  if (!program->Started()) return std::nullopt;
  return RunningProgram{program->Id(), program->Path(), program};
}
