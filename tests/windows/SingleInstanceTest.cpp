// End to end with the real Sharpwell.exe: a second start while one runs is refused
// with the "already running" message and ends; the first goes on.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
std::string ProgramBeside(const char* name) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.rfind('\\') + 1) + name;
}

// A started process, ended and closed with the object.
class Child {
 public:
  explicit Child(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info_) != FALSE;
  }
  ~Child() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  bool WaitForExit(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }
  bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (owner == search->processId && std::string(className) == search->className) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForWindow(DWORD processId, const char* className, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    WindowSearch search{processId, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(100);
  }
  return nullptr;
}

std::string MessageText(HWND box) {
  // The message box's text is its static control with the id 0xFFFF.
  char text[256] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}
}  // namespace

TEST(SingleInstanceTest, SecondStartIsRefusedWithTheMessageAndEnds) {
  const std::string exe = "\"" + ProgramBeside("Sharpwell.exe") + "\"";
  Child first(exe);
  ASSERT_TRUE(first.Started());
  ASSERT_NE(WaitForWindow(first.Id(), "SharpwellMainWindow", 20000), nullptr);

  Child second(exe);
  ASSERT_TRUE(second.Started());
  HWND box = WaitForWindow(second.Id(), "#32770", 20000);
  ASSERT_NE(box, nullptr);
  char title[64] = {};
  GetWindowTextA(box, title, sizeof title);
  EXPECT_STREQ(title, "Sharpwell");
  EXPECT_EQ(MessageText(box), "This program is already running!\r\n\r\nPlease check your system tray.");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.WaitForExit(10000));
  EXPECT_TRUE(first.Running());
}
