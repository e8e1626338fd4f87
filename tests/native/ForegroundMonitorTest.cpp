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
  EXPECT_EQ(lvwCompat.Count(), 0);
  EXPECT_EQ(Tray().calls, 0);

  // The same window again: nothing runs, not even the DPI line.
  lvwPrograms.SetSelectedRow(2);
  lblDPI.SetCaption("unchanged");
  Tick(kLegacyWindow);
  EXPECT_EQ(SelectedRows(lvwPrograms), std::vector<int>{2});
  EXPECT_EQ(lblDPI.Caption(), "unchanged");

  // A program with no row, then one with a row but no old selection left to take
  // away: nothing is scrolled to.
  Tick(kOld32Window);
  EXPECT_EQ(lvwPrograms.LastEnsuredVisible(), 1);
  ASSERT_TRUE(SelectedRows(lvwPrograms).empty());
  Tick(kAwareWindow);
  EXPECT_EQ(lvwPrograms.LastEnsuredVisible(), 1);
  EXPECT_EQ(lvwPrograms.Count(), 2);
}

TEST_F(ForegroundMonitorTest, WhileMonitoringAProgramThatIsNotDpiAwareIsAddedOnceWithABalloon) {
  form.Form_Load(false);  // started with Windows: hidden, checked, no icon yet
  Tick(window.Handle());  // the own window adds nothing
  ASSERT_EQ(Tray().icons.size(), 0u);
  EXPECT_EQ(lvwCompat.Count(), 0);

  Tick(kOld32Window);
  ASSERT_EQ(Tray().icons.size(), 1u);
  EXPECT_EQ(Tray().icons.begin()->second.hIcon, window.IconHandle());
  EXPECT_STREQ(Tray().icons.begin()->second.szTip.data(), "Sharpwell");
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
  EXPECT_EQ(Tray().balloons, 1);
  EXPECT_EQ(lvwCompat.Count(), 1);
  window.Show();  // shown, the own window refreshes the DPI line
  Tick(window.Handle());
  EXPECT_EQ(lblDPI.Caption(), "Current system resolution: 0 DPI");
  EXPECT_EQ(lvwCompat.Count(), 1);
}

// The program's own texts reach Windows in the active code page, with curly quotes
// where it has them and plain ones where it has not; names from Windows pass unchanged.
TEST_F(ForegroundMonitorTest, TheProgramsTextsAreInTheActiveCodePage) {
  const struct {
    unsigned codePage;
    const char *open, *close, *name;
  } cases[] = {{65001, "\xE2\x80\x9C", "\xE2\x80\x9D", "Caf\xC3\xA9"},
               {1252, "\x93", "\x94", "Caf\xE9"},
               {20127, "\"", "\"", "Cafe"}};
  form.Form_Load(false);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codePage);
    platform::standin::SetActiveCodePage(c.codePage);
    lvwCompat.Clear();
    DeleteRegValue(RegistryPath::Layers, Upper(apps::Old32));
    Tick(kAwareWindow);
    Tick(kOld32Window);
    EXPECT_EQ(std::string(Tray().lastBalloon.szInfo.data()),
              std::string(c.open) + "Old32.exe" + c.close +
                  " has been added to the HighDPIAware list, so it should appear clearly the "
                  "next time you open it.");
    EXPECT_EQ(RunAsAdministratorText(c.name),
              std::string("Please right-click ") + c.open + c.name + ".exe" + c.close +
                  " and click " + c.open + "Run as Administrator" + c.close +
                  " so that the Windows Common Controls component for VisualBasic "
                  "(comctl32.ocx) can be installed.");
  }
}
