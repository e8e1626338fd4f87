// The real Sharpwell.exe under Wine: started with monitoring on, it puts the unaware
// program in front on the compatibility list and ends through the tray menu's "&Exit";
// started with " /s" it stays hidden, rewrites its Run value, puts its icon up only after
// the postponed discovery, refuses a second start and ends on taskkill.
#include "common/FixturePath.h"
#include "common/TempFolder.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {
using namespace wine_session;

constexpr char kRunName[] = "Sharpwell";
constexpr const char* kArch = sizeof(void*) == 8 ? "x64" : "x86";

// No Run value before and after each run; the Layers values a run adds go again.
struct CleanRegistry {
  CleanRegistry() { DeleteRegValue(RegistryPath::Run, kRunName); }
  ~CleanRegistry() { DeleteRegValue(RegistryPath::Run, kRunName); }
  SeededRegistry layers;
};

// The running program's main window, check box (created last), icon owner and catalogue.
struct ProgramWindows {
  HWND main = nullptr, check = nullptr, icon = nullptr, programs = nullptr;
  bool Checked() const { return SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool IconUp() const { return TrayIconIsUp(reinterpret_cast<std::uintptr_t>(icon)); }
};

ProgramWindows FindProgramWindows(const Child& app, bool visible) {
  ProgramWindows w;
  w.main = WaitForTopLevel(app.Id(), "SharpwellMainWindow", 20000, visible);
  if (!w.main) return w;
  WaitUntil([&] { return (w.check = FindWindowExA(w.main, nullptr, "Button", nullptr)) != nullptr; }, 10000);
  w.icon = FindWindowExA(w.main, nullptr, "SharpwellIcon16", nullptr);
  w.programs = FindWindowExA(w.main, nullptr, WC_LISTVIEWA, nullptr);
  return w;
}

// A right click on the icon opens the tray menu; its "&Exit" is chosen by its access key.
bool ExitThroughTrayMenu(const Child& app, HWND icon) {
  PostMessageA(icon, 0x200, 0, WM_RBUTTONUP);
  HWND menu = WaitForTopLevel(app.Id(), "#32768", 10000, true);
  if (!menu) return false;
  Sleep(300);  // the menu's own message loop takes over once it is shown
  PostMessageA(menu, WM_CHAR, 'e', 1);
  return app.WaitForExit(10000);
}
}  // namespace

TEST(MonitorEndToEndTest, MonitoringPutsTheUnawareProgramInFrontOnTheList) {
  TempFolder folder;  // a copy under a name no earlier run has seen
  const std::string unaware = folder.Path("Unaware Tool.exe");
  CopyFileA(fixtures::FixturePath(kArch, "no_manifest.exe").c_str(), unaware.c_str(), FALSE);
  CleanRegistry registry;
  const std::string exe = ProgramBeside("Sharpwell.exe");
  SetRegValue(RegistryPath::Run, kRunName, Quoted(exe) + " /s");

  Child app(Quoted(exe));
  ProgramWindows w = FindProgramWindows(app, true);
  ASSERT_NE(w.main, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return w.Checked(); }, 5000));  // the Run value names this copy
  EXPECT_TRUE(WaitUntil([&] { return w.IconUp(); }, 5000));
  // Discovery has run once the program's own process is listed.
  ASSERT_TRUE(WaitUntil([&] { return RowCount(w.programs) > 0; }, 20000));

  Child unawareProgram(Quoted(unaware) + " /exit-after 60");
  EXPECT_TRUE(WaitUntil([&] { return LayersValue(unaware) == "HIGHDPIAWARE"; }, 25000));
  EXPECT_TRUE(ExitThroughTrayMenu(app, w.icon));
  EXPECT_FALSE(w.IconUp());
}

TEST(MonitorEndToEndTest, AStartWithTextStaysHiddenAndPutsTheIconUpAfterTheDelayedDiscovery) {
  CleanRegistry registry;
  const std::string exe = ProgramBeside("Sharpwell.exe");
  SetRegValue(RegistryPath::Run, kRunName, "\"C:\\Elsewhere\\Sharpwell.exe\" /s");
  // A window in front for the first monitor tick to see.
  Child front(Quoted(fixtures::FixturePath(kArch, "dpi_true_lower.exe")) + " /exit-after 90");
  ASSERT_NE(WaitForTopLevel(front.Id(), "SharpwellFixtureWindow", 10000, true), nullptr);

  const ULONGLONG started = GetTickCount64();
  Child app(Quoted(exe) + " /s");
  ProgramWindows w = FindProgramWindows(app, false);
  ASSERT_NE(w.main, nullptr);
  EXPECT_TRUE(WaitUntil(
      [&] { return GetRegValue(RegistryPath::Run, kRunName).ToText() == Quoted(exe) + " /s"; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return w.Checked(); }, 5000));
  EXPECT_FALSE(IsWindowVisible(w.main));
  EXPECT_FALSE(w.IconUp());  // not before the discovery, 30 seconds after the start

  EXPECT_TRUE(WaitUntil([&] { return w.IconUp(); }, 45000));
  EXPECT_GE(GetTickCount64() - started, 29000u);
  EXPECT_FALSE(IsWindowVisible(w.main));

  Child second(Quoted(exe));
  HWND box = WaitForTopLevel(second.Id(), "#32770", 20000);
  ASSERT_NE(box, nullptr);
  WaitUntil([&] { return !TextOf(box, 0xFFFF).empty(); }, 5000);  // the box exists before its text
  EXPECT_EQ(TextOf(box), "Sharpwell");
  EXPECT_EQ(TextOf(box, 0xFFFF), "This program is already running!\r\n\r\nPlease check your system tray.");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.WaitForExit(10000));

  // A close from another program (taskkill without /f sends WM_CLOSE) ends it.
  RunToEnd("taskkill.exe /im Sharpwell.exe");
  EXPECT_TRUE(app.WaitForExit(10000));
  EXPECT_FALSE(w.IconUp());
}
