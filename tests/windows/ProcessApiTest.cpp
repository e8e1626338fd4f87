// The process and foreground-window calls over the real system (under Wine): this test
// program and a child it starts are found in a snapshot, opened and named.
// The system's own macros are used below, so the wrapper is checked against them.
#include "platform/FileApi.h"
#include "platform/ProcessApi.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>


namespace {
std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string OwnPath() {
  char buffer[MAX_PATH] = {};
  DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return std::string(buffer, length);
}

std::string SystemFile(const std::string& name) {
  char buffer[MAX_PATH] = {};
  UINT length = ::GetSystemDirectoryA(buffer, MAX_PATH);
  return std::string(buffer, length) + "\\" + name;
}

// Where a program started from the system folder really runs from: for a 32-bit
// process on 64-bit Windows the system folder is redirected to SysWOW64.
std::string SystemImage(const std::string& name) {
  BOOL wow64 = FALSE;
  char buffer[MAX_PATH] = {};
  if (!::IsWow64Process(::GetCurrentProcess(), &wow64) || !wow64) return SystemFile(name);
  UINT length = ::GetSystemWow64DirectoryA(buffer, MAX_PATH);
  return std::string(buffer, length) + "\\" + name;
}

// The snapshot's entry for `processId`, if it has one.
std::optional<platform::ProcessEntry> FindInSnapshot(std::uint32_t processId) {
  platform::Snapshot snapshot = platform::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (!snapshot) return std::nullopt;
  platform::ProcessEntry entry;
  for (bool ok = platform::Process32First(snapshot, &entry); ok;
       ok = platform::Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == processId) return entry;
  }
  return std::nullopt;
}

std::optional<std::string> ImagePathOf(std::uint32_t processId, std::uint32_t access) {
  platform::ProcessHandle process = platform::OpenProcess(access, false, processId);
  if (!process) return std::nullopt;
  return platform::QueryFullProcessImageNameA(process);
}

// A program started for the length of one test (suspended: it need not run to be
// listed and named), ended and released when the test ends.
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& path) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path + "\"";
    started_ = ::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                                &info_) != FALSE;
  }
  ~ChildProcess() {
    if (!started_) return;
    ::TerminateProcess(info_.hProcess, 0);
    ::WaitForSingleObject(info_.hProcess, 5000);
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return started_; }
  std::uint32_t Id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};

// A copy of a system program at a path of exactly `length` characters under the
// temporary folder, removed with its folders when the test ends.
class ProgramAtLength {
 public:
  explicit ProgramAtLength(std::size_t length) {
    char temp[MAX_PATH] = {};
    DWORD used = ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp, used) + "sharpwell-" +
                         std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(length);
    // Folders of 100 characters until the rest fits one file name (a folder path
    // itself must stay under 248 characters).
    folders_.push_back(folder);
    while (folder.size() + 1 + 100 + 10 < length) {
      folder += "\\" + std::string(100, 'd');
      folders_.push_back(folder);
    }
    for (const std::string& each : folders_) ::CreateDirectoryA(each.c_str(), nullptr);
    path_ = folder + "\\";
    path_ += std::string(length - path_.size() - 4, 'p') + ".exe";
    copied_ = ::CopyFileA(SystemFile("ping.exe").c_str(), path_.c_str(), FALSE) != FALSE;
  }
  ~ProgramAtLength() {
    ::DeleteFileA(path_.c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) {
      ::RemoveDirectoryA(folder->c_str());
    }
  }
  ProgramAtLength(const ProgramAtLength&) = delete;
  ProgramAtLength& operator=(const ProgramAtLength&) = delete;

  bool Copied() const { return copied_; }
  const std::string& Path() const { return path_; }

 private:
  std::vector<std::string> folders_;
  std::string path_;
  bool copied_ = false;
};
}  // namespace

TEST(ProcessApiTest, OwnProcessIsListedOpenedAndNamed) {
  const std::string own = OwnPath();
  std::optional<platform::ProcessEntry> entry = FindInSnapshot(::GetCurrentProcessId());
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(Lower(entry->szExeFile), Lower(own.substr(own.rfind('\\') + 1)));

  for (std::uint32_t access :
       {PROCESS_QUERY_INFORMATION, PROCESS_QUERY_LIMITED_INFORMATION}) {
    EXPECT_EQ(ImagePathOf(::GetCurrentProcessId(), access), own) << access;
  }
}

TEST(ProcessApiTest, ChildProcessIsListedWithItsPath) {
  const std::string ping = SystemFile("ping.exe");
  ChildProcess child(ping);
  ASSERT_TRUE(child.Started()) << ::GetLastError();

  std::optional<platform::ProcessEntry> entry = FindInSnapshot(child.Id());
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(Lower(entry->szExeFile), "ping.exe");
  std::optional<std::string> path = ImagePathOf(child.Id(), PROCESS_QUERY_INFORMATION);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(Lower(*path), Lower(SystemImage("ping.exe")));
}

TEST(ProcessApiTest, ImagePathsOf256CharactersOrMoreCannotBeRead) {
  ProgramAtLength fits(255);
  ProgramAtLength tooLong(256);
  ASSERT_TRUE(fits.Copied() && tooLong.Copied()) << ::GetLastError();
  ASSERT_EQ(fits.Path().size(), 255u);
  ASSERT_EQ(tooLong.Path().size(), 256u);

  ChildProcess first(fits.Path());
  ChildProcess second(tooLong.Path());
  ASSERT_TRUE(first.Started() && second.Started()) << ::GetLastError();
  std::optional<std::string> path = ImagePathOf(first.Id(), PROCESS_QUERY_INFORMATION);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(Lower(*path), Lower(fits.Path()));
  EXPECT_EQ(ImagePathOf(second.Id(), PROCESS_QUERY_INFORMATION), std::nullopt);
  EXPECT_EQ(platform::GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(ProcessApiTest, IdZeroCannotBeOpened) {
  for (std::uint32_t access : {PROCESS_QUERY_INFORMATION, PROCESS_QUERY_LIMITED_INFORMATION}) {
    ::SetLastError(0);
    EXPECT_FALSE(platform::OpenProcess(access, false, 0)) << access;
    EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
  }
}

TEST(ProcessApiTest, OwnersCloseTheirHandles) {
  HANDLE process = nullptr;
  HANDLE snapshot = nullptr;
  {
    platform::ProcessHandle owner =
        platform::OpenProcess(PROCESS_QUERY_INFORMATION, false, ::GetCurrentProcessId());
    platform::Snapshot snapshotOwner = platform::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_TRUE(owner && snapshotOwner);
    platform::ProcessHandle moved = std::move(owner);
    process = reinterpret_cast<HANDLE>(moved.Get());
    snapshot = reinterpret_cast<HANDLE>(snapshotOwner.Get());
    DWORD flags = 0;
    EXPECT_TRUE(::GetHandleInformation(process, &flags));
    EXPECT_TRUE(::GetHandleInformation(snapshot, &flags));
  }
  DWORD flags = 0;
  EXPECT_FALSE(::GetHandleInformation(process, &flags));
  EXPECT_FALSE(::GetHandleInformation(snapshot, &flags));
}

TEST(ProcessApiTest, ForegroundWindowNamesItsProcess) {
  HWND window = ::CreateWindowExA(0, "STATIC", "Sharpwell probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ::SetForegroundWindow(window);
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);

  EXPECT_EQ(platform::GetForegroundWindow(), reinterpret_cast<std::uintptr_t>(window));
  EXPECT_EQ(platform::GetWindowThreadProcessId(reinterpret_cast<std::uintptr_t>(window)),
            ::GetCurrentProcessId());
  ::DestroyWindow(window);
  EXPECT_EQ(platform::GetWindowThreadProcessId(reinterpret_cast<std::uintptr_t>(window)), 0u);
}
