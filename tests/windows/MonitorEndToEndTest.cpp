// End to end with the real Sharpwell.exe under Wine: started with monitoring on, it
// puts the unaware program in front on the compatibility list and leaves an aware one
// alone; started with " /s" it stays hidden, rewrites its Run value and puts its icon
// up only after the postponed discovery. Each run ends through the tray menu's "&Exit".
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

// The Run value is gone before and after each run; the Layers values a run adds go
// with the seeded registry's end.
struct CleanRegistry {
  CleanRegistry() { DeleteRegValue(RegistryPath::Run, kRunName); }
  ~CleanRegistry() { DeleteRegValue(RegistryPath::Run, kRunName); }
  SeededRegistry layers;
};

// A copy of a fixture under a name no earlier run has seen.
std::string CopyFixture(const TempFolder& folder, const char* fixture, const char* name) {
  CopyFileA(fixtures::FixturePath(kArch, fixture).c_str(), folder.Path(name).c_str(), FALSE);
  return folder.Path(name);
}

// The running program's windows: the main window, the check box (created last), the
// icon's owner and the catalogue (the first list view).
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
}  // namespace

TEST(MonitorEndToEndTest, MonitoringPutsTheUnawareProgramInFrontOnTheListAndNotTheAwareOne) {
  TempFolder folder;
  const std::string unaware = CopyFixture(folder, "no_manifest.exe", "Unaware Tool.exe");
  const std::string aware = CopyFixture(folder, "dpi_true_lower.exe", "Aware Tool.exe");
  CleanRegistry registry;
  const std::string exe = ProgramBeside("Sharpwell.exe");
  SetRegValue(RegistryPath::Run, kRunName, Quoted(exe) + " /s");

  Child app(Quoted(exe));
  ASSERT_TRUE(app.Started());
  ProgramWindows w = FindProgramWindows(app, true);
  ASSERT_NE(w.main, nullptr);
  // The Run value names this copy: the box comes up checked.
  EXPECT_TRUE(WaitUntil([&] { return w.Checked(); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return w.IconUp(); }, 5000));
  // Discovery has run once the program's own process is listed.
  ASSERT_TRUE(WaitUntil([&] { return RowCount(w.programs) > 0; }, 20000));

  Child unawareProgram(Quoted(unaware) + " /exit-after 60");
  ASSERT_TRUE(unawareProgram.Started());
  EXPECT_TRUE(WaitUntil([&] { return LayersValue(unaware) == "HIGHDPIAWARE"; }, 25000))
      << "no Layers value for " << unaware;

  // The aware program in front is listed by the next tick, but gets no Layers value.
  const int listed = RowCount(w.programs);
  Child awareProgram(Quoted(aware) + " /exit-after 60");
  ASSERT_TRUE(awareProgram.Started());
  EXPECT_TRUE(WaitUntil([&] { return RowCount(w.programs) > listed; }, 20000));
  EXPECT_EQ(LayersValue(aware), "");
  EXPECT_EQ(LayersValue(unaware), "HIGHDPIAWARE");

  EXPECT_TRUE(ExitThroughTrayMenu(app, w.icon));
  EXPECT_FALSE(w.IconUp());
}

TEST(MonitorEndToEndTest, AStartWithTextStaysHiddenAndPutsTheIconUpAfterTheDelayedDiscovery) {
  CleanRegistry registry;
  const std::string exe = ProgramBeside("Sharpwell.exe");
  SetRegValue(RegistryPath::Run, kRunName, "\"C:\\Elsewhere\\Sharpwell.exe\" /s");
  // A window in front for the first monitor tick to see.
  Child front(Quoted(fixtures::FixturePath(kArch, "dpi_true_lower.exe")) + " /exit-after 90");
  ASSERT_TRUE(front.Started());
  ASSERT_NE(WaitForTopLevel(front.Id(), "SharpwellFixtureWindow", 10000, true), nullptr);

  const ULONGLONG started = GetTickCount64();
  Child app(Quoted(exe) + " /s");
  ASSERT_TRUE(app.Started());
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

  // A close from another program (taskkill without /f sends WM_CLOSE) ends it.
  Child taskkill("taskkill.exe /im Sharpwell.exe");
  ASSERT_TRUE(taskkill.Started());
  EXPECT_TRUE(app.WaitForExit(10000));
  EXPECT_FALSE(w.IconUp());
}
