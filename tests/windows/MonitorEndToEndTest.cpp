// End to end with the real Sharpwell.exe under Wine: started with monitoring on, it
// puts the unaware program in front on the compatibility list and leaves an aware one
// alone; started with " /s" it stays hidden, rewrites its Run value and puts its icon
// up only after the postponed discovery. Each run ends through the tray menu's "&Exit".
#include "common/FixturePath.h"
#include "common/TempFolder.h"
#include "compat/LayersKey.h"
#include "compat/modRegistry.h"
#include "platform/TrayApi.h"
#include "shell/frmSharpwell.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace {
using namespace wine_session;

constexpr char kRunName[] = "Sharpwell";
constexpr const char* kArch = sizeof(void*) == 8 ? "x64" : "x86";

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The Run value and the Layers values a test names are removed when it ends.
class RegistryCleanup {
 public:
  explicit RegistryCleanup(std::vector<std::string> programs) : programs_(std::move(programs)) {
    Clean();
  }
  ~RegistryCleanup() { Clean(); }
  RegistryCleanup(const RegistryCleanup&) = delete;
  RegistryCleanup& operator=(const RegistryCleanup&) = delete;

 private:
  void Clean() {
    DeleteRegValue(RegistryPath::Run, kRunName);
    for (const std::string& path : programs_) DeleteRegValue(RegistryPath::Layers, Upper(path));
  }
  std::vector<std::string> programs_;
};

std::string LayersValue(const std::string& path) {
  return GetRegValue(RegistryPath::Layers, Upper(path)).ToText();
}

// Whether the notification area holds the icon of `owner` (id 0): only then does a
// modify that changes nothing succeed.
bool IconIsUp(HWND owner) {
  platform::TrayIconData record;
  record.cbSize = platform::tray::RecordSize();
  record.hWnd = reinterpret_cast<std::uintptr_t>(owner);
  return platform::Shell_NotifyIconA(platform::tray::kModifyIcon, record);
}

// A copy of a fixture under a name no earlier run has seen.
std::string CopyFixture(const TempFolder& folder, const char* fixture, const char* name) {
  const std::string target = folder.Path(name);
  CopyFileA(fixtures::FixturePath(kArch, fixture).c_str(), target.c_str(), FALSE);
  return target;
}

// The running program's windows.
struct ProgramWindows {
  HWND main = nullptr, check = nullptr, icon = nullptr, programs = nullptr;
};

ProgramWindows FindProgramWindows(const Child& app, bool visible) {
  ProgramWindows w;
  w.main = WaitForTopLevel(app.Id(), "SharpwellMainWindow", 20000, visible);
  if (!w.main) return w;
  // A hidden window is found as soon as it exists, before its controls: the check box
  // comes last.
  WaitUntil([&] { return (w.check = FindWindowExA(w.main, nullptr, "Button", nullptr)) != nullptr; },
            10000);
  w.icon = FindWindowExA(w.main, nullptr, "SharpwellIcon16", nullptr);
  w.programs = FindWindowExA(w.main, nullptr, WC_LISTVIEWA, nullptr);  // created first
  return w;
}

// Ends the program the way the user does from the notification area: a right click
// on the icon opens the tray menu, and its "&Exit" is chosen by its access key.
bool ExitThroughTrayMenu(const Child& app, HWND icon) {
  PostMessageA(icon, 0x200, 0, WM_RBUTTONUP);
  HWND menu = WaitForTopLevel(app.Id(), "#32768", 10000, true);
  if (!menu) return false;
  Sleep(300);  // the menu's own message loop takes over once it is shown
  PostMessageA(menu, WM_CHAR, 'e', 1);
  return app.WaitForExit(10000);
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
}  // namespace

TEST(MonitorEndToEndTest, MonitoringPutsTheUnawareProgramInFrontOnTheListAndNotTheAwareOne) {
  TempFolder folder;
  const std::string unaware = CopyFixture(folder, "no_manifest.exe", "Unaware Tool.exe");
  const std::string aware = CopyFixture(folder, "dpi_true_lower.exe", "Aware Tool.exe");
  RegistryCleanup cleanup({unaware, aware});
  const std::string exe = ProgramBeside("Sharpwell.exe");
  SetRegValue(RegistryPath::Run, kRunName, Quoted(exe) + " /s");

  Child app(Quoted(exe));
  ASSERT_TRUE(app.Started()) << app.Error();
  ProgramWindows w = FindProgramWindows(app, true);
  ASSERT_NE(w.main, nullptr);
  // The Run value names this copy: the box comes up checked.
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(w.check, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return IconIsUp(w.icon); }, 5000));
  // Discovery has run once the program's own process is listed.
  ASSERT_TRUE(WaitUntil([&] { return RowCount(w.programs) > 0; }, 20000));

  const ULONGLONG started = GetTickCount64();
  Child unawareProgram(Quoted(unaware) + " /exit-after 60");
  ASSERT_TRUE(unawareProgram.Started()) << unawareProgram.Error();
  EXPECT_TRUE(WaitUntil([&] { return LayersValue(unaware) == "HIGHDPIAWARE"; }, 25000))
      << "no Layers value for " << Upper(unaware);
  std::printf("[          ] unaware program on the list after %llu ms\n", GetTickCount64() - started);

  // The aware program in front is listed by the next tick, but gets no Layers value.
  const int listed = RowCount(w.programs);
  Child awareProgram(Quoted(aware) + " /exit-after 60");
  ASSERT_TRUE(awareProgram.Started()) << awareProgram.Error();
  EXPECT_TRUE(WaitUntil([&] { return RowCount(w.programs) > listed; }, 20000));
  EXPECT_EQ(LayersValue(aware), "");
  EXPECT_EQ(LayersValue(unaware), "HIGHDPIAWARE");

  EXPECT_TRUE(ExitThroughTrayMenu(app, w.icon));
  EXPECT_FALSE(IconIsUp(w.icon));
}

TEST(MonitorEndToEndTest, AStartWithTextStaysHiddenAndPutsTheIconUpAfterTheDelayedDiscovery) {
  RegistryCleanup cleanup({});
  const std::string exe = ProgramBeside("Sharpwell.exe");
  SetRegValue(RegistryPath::Run, kRunName, "\"C:\\Elsewhere\\Sharpwell.exe\" /s");
  // A window in front for the first monitor tick to see.
  Child front(Quoted(fixtures::FixturePath(kArch, "dpi_true_lower.exe")) + " /exit-after 90");
  ASSERT_TRUE(front.Started()) << front.Error();
  ASSERT_NE(WaitForTopLevel(front.Id(), "SharpwellFixtureWindow", 10000, true), nullptr);

  const ULONGLONG started = GetTickCount64();
  Child app(Quoted(exe) + " /s");
  ASSERT_TRUE(app.Started()) << app.Error();
  ProgramWindows w = FindProgramWindows(app, false);
  ASSERT_NE(w.main, nullptr);
  EXPECT_TRUE(WaitUntil(
      [&] { return GetRegValue(RegistryPath::Run, kRunName).ToText() == Quoted(exe) + " /s"; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(w.check, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000));
  EXPECT_FALSE(IsWindowVisible(w.main));
  EXPECT_FALSE(IconIsUp(w.icon));  // not before the discovery, 30 seconds after the start

  EXPECT_TRUE(WaitUntil([&] { return IconIsUp(w.icon); }, 45000));
  const ULONGLONG elapsed = GetTickCount64() - started;
  std::printf("[          ] icon up after %llu ms\n", elapsed);
  EXPECT_GE(elapsed, 29000u);
  EXPECT_FALSE(IsWindowVisible(w.main));

  // A close from another program (taskkill without /f sends WM_CLOSE) ends it.
  Child taskkill("taskkill.exe /im Sharpwell.exe");
  ASSERT_TRUE(taskkill.Started()) << taskkill.Error();
  EXPECT_TRUE(app.WaitForExit(10000));
  EXPECT_FALSE(IconIsUp(w.icon));
}
