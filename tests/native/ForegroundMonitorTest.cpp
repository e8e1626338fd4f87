// The foreground monitor: following the program in front, and while monitoring,
// putting it on the compatibility list with a balloon.
#include "native/FormFixture.h"
#include "shell/modRegServer.h"

using platform::standin::OpenableWith;

namespace {
constexpr std::uintptr_t kLegacyWindow = 0x50, kOld32Window = 0x60, kAwareWindow = 0x70;
}  // namespace

class ForegroundMonitorTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    platform::standin::SetProcesses({{100, "Legacy.exe", apps::Legacy, OpenableWith::Both},
                                     {200, "Old32.exe", apps::Old32, OpenableWith::Both},
                                     {300, "Aware.exe", apps::Aware, OpenableWith::Both}});
    platform::standin::SetWindowProcess(kLegacyWindow, 100);
    platform::standin::SetWindowProcess(kOld32Window, 200);
    platform::standin::SetWindowProcess(kAwareWindow, 300);
    // The program's own window, mapped to a program that would otherwise be added.
    platform::standin::SetWindowProcess(window.Handle(), 200);
    form.Catalogue.AddProgram(apps::Legacy);
    form.Catalogue.AddProgram(apps::Aware);
  }
  void Tick(std::uintptr_t foreground) {
    platform::standin::SetForegroundWindow(foreground);
    form.tmrMonitor_Timer();
  }
  const platform::standin::TrayArea& Tray() { return platform::standin::Tray(); }
};

TEST_F(ForegroundMonitorTest, WithoutMonitoringTheTickOnlyFollowsTheProgramInFront) {
  window.Show();
  lvwPrograms.SetSelectedRow(2);
  Tick(kLegacyWindow);
  EXPECT_EQ(SelectedRows(lvwPrograms), std::vector<int>{1});
  EXPECT_EQ(lvwPrograms.LastEnsuredVisible(), 1);
  EXPECT_EQ(lblDPI.Caption(), "Current system resolution: 0 DPI");
  EXPECT_EQ(lvwCompat.Count() + Tray().calls, 0);

  // The same window again: nothing runs, so the user's own selection stays.
  lvwPrograms.SetSelectedRow(2);
  Tick(kLegacyWindow);
  EXPECT_EQ(SelectedRows(lvwPrograms), std::vector<int>{2});

  // A program with no row, then one with a row but no old selection left to take
  // away: nothing is scrolled to.
  Tick(kOld32Window);
  EXPECT_EQ(lvwPrograms.LastEnsuredVisible(), 1);
  ASSERT_TRUE(SelectedRows(lvwPrograms).empty());
  Tick(kAwareWindow);
  EXPECT_EQ(lvwPrograms.LastEnsuredVisible(), 1);
}

TEST_F(ForegroundMonitorTest, WhileMonitoringAProgramThatIsNotDpiAwareIsAddedOnceWithABalloon) {
  form.Form_Load(false);  // started with Windows: hidden, checked, no icon yet
  Tick(window.Handle());  // the own window adds nothing
  EXPECT_EQ(lvwCompat.Count() + Tray().icons.size(), 0u);

  Tick(kOld32Window);
  ASSERT_EQ(Tray().icons.size(), 1u);
  EXPECT_EQ(Keys(lvwCompat), std::vector<std::string>{Key(apps::Old32)});
  EXPECT_EQ(Layer(apps::Old32).Text(), "HIGHDPIAWARE");
  ASSERT_EQ(Tray().balloons, 1);  // its text: below, in every code page
  EXPECT_STREQ(Tray().lastBalloon.szInfoTitle.data(), "Sharpwell");
  EXPECT_EQ(Tray().lastBalloon.uTimeout, 5u);
  EXPECT_EQ(Tray().lastBalloon.dwInfoFlags, 0x4u | 0x10u);
  EXPECT_EQ(lblDPI.Caption(), "");  // hidden: no DPI line

  // A "Yes" program, then the same program again: no more balloons. An icon lost by
  // the notification area comes back at the next change.
  platform::standin::Tray().icons.clear();
  Tick(kAwareWindow);
  EXPECT_EQ(Tray().icons.size(), 1u);
  Tick(kOld32Window);
  Tick(kOld32Window);
  EXPECT_EQ(Tray().balloons + lvwCompat.Count(), 2);
  window.Show();  // shown, the own window refreshes the DPI line
  Tick(window.Handle());
  EXPECT_EQ(lblDPI.Caption(), "Current system resolution: 0 DPI");
}

TEST_F(ForegroundMonitorTest, TheProgramsTextsAreInTheActiveCodePage) {
  form.Form_Load(false);
  platform::standin::SetActiveCodePage(1252);
  Tick(kOld32Window);
  const std::string balloon = Tray().lastBalloon.szInfo.data();
  EXPECT_EQ(balloon.substr(0, balloon.find(" has")), "\x93Old32.exe\x94");
  const std::string request = RunAsAdministratorText("Caf\xE9");
  EXPECT_EQ(request.substr(0, request.find(" so that")),
            "Please right-click \x93" "Caf\xE9.exe\x94 and click \x93Run as Administrator\x94");
}
