// The real Sharpwell.exe under Wine, started with " /s": it stays hidden, rewrites its
// Run value, puts its icon up only after the postponed discovery, then puts the unaware
// program in front on the compatibility list, refuses a second start and ends on taskkill.
#include "common/FixturePath.h"
#include "common/TempFolder.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
using namespace wine_session;

constexpr char kRunName[] = "Sharpwell";
constexpr const char* kArch = sizeof(void*) == 8 ? "x64" : "x86";

// No Run value before and after the run; the Layers values it adds go again.
struct CleanRegistry {
  CleanRegistry() { DeleteRegValue(RegistryPath::Run, kRunName); }
  ~CleanRegistry() { DeleteRegValue(RegistryPath::Run, kRunName); }
  SeededRegistry layers;
};
}  // namespace

TEST(MonitorEndToEndTest, AStartWithTextStaysHiddenMonitorsRefusesASecondStartAndEndsOnTaskkill) {
  TempFolder folder;  // a copy under a name no earlier run has seen
  const std::string unaware = folder.Path("Unaware Tool.exe");
  CopyFileA(fixtures::FixturePath(kArch, "no_manifest.exe").c_str(), unaware.c_str(), FALSE);
  CleanRegistry registry;
  const std::string exe = ProgramBeside("Sharpwell.exe");
  SetRegValue(RegistryPath::Run, kRunName, "\"C:\\Elsewhere\\Sharpwell.exe\" /s");
  Child front(Quoted(unaware) + " /exit-after 120");  // in front for the monitor to see
  ASSERT_NE(WaitForTopLevel(front.Id(), "SharpwellFixtureWindow", 10000, true), nullptr);

  const ULONGLONG started = GetTickCount64();
  Child app(Quoted(exe) + " /s");
  HWND main = WaitForTopLevel(app.Id(), "SharpwellMainWindow", 20000);
  ASSERT_NE(main, nullptr);
  HWND check = nullptr;  // created last
  WaitUntil([&] { return (check = FindWindowExA(main, nullptr, "Button", nullptr)) != nullptr; }, 10000);
  const auto icon = reinterpret_cast<std::uintptr_t>(FindWindowExA(main, nullptr, "SharpwellIcon16", 0));
  EXPECT_TRUE(WaitUntil(
      [&] { return GetRegValue(RegistryPath::Run, kRunName).ToText() == Quoted(exe) + " /s"; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000));
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_FALSE(TrayIconIsUp(icon));  // not before the discovery, 30 seconds after the start

  EXPECT_TRUE(WaitUntil([&] { return TrayIconIsUp(icon); }, 45000));
  EXPECT_GE(GetTickCount64() - started, 29000u);
  EXPECT_TRUE(WaitUntil([&] { return LayersValue(unaware) == "HIGHDPIAWARE"; }, 25000));
  EXPECT_FALSE(IsWindowVisible(main));

  Child second(Quoted(exe));
  HWND box = WaitForTopLevel(second.Id(), "#32770", 20000);
  ASSERT_NE(box, nullptr);
  WaitUntil([&] { return !TextOf(box, 0xFFFF).empty(); }, 5000);  // the box exists before its text
  EXPECT_EQ(TextOf(box, 0xFFFF), "This program is already running!\r\n\r\nPlease check your system tray.");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.WaitForExit(10000));

  // A close from another program (taskkill without /f sends WM_CLOSE) ends it.
  RunToEnd("taskkill.exe /im Sharpwell.exe");
  EXPECT_TRUE(app.WaitForExit(10000));
  EXPECT_FALSE(TrayIconIsUp(icon));
}
