// The main window's load, close, notification-area events, start-with-Windows box and DPI line.
#include "native/FormFixture.h"
#include "shell/TimerSchedule.h"

namespace {
constexpr const char* kRunValueOfThisCopy = "\"C:\\Program Files\\Sharpwell\\Sharpwell.exe\" /s";
RegistryData RunValue() { return GetRegValue(RegistryPath::Run, "Sharpwell"); }
std::size_t IconsUp() { return platform::standin::Tray().icons.size(); }
}  // namespace

using WindowLifetimeTest = FormFixture;

TEST_F(WindowLifetimeTest, LoadShowsOrHidesTheWindowAndArmsTheDiscovery) {
  const struct {
    bool commandLineEmpty;
    const char* runBefore;  // nullptr: no Run value
    bool visible, checked;
    std::uint32_t loadInterval;
  } cases[] = {
      {true, nullptr, true, false, 1},
      {true, "\"c:\\PROGRAM FILES\\sharpwell\\SHARPWELL.EXE\" /s", true, true, 1},
      {false, nullptr, false, true, 30000},
  };
  platform::standin::SetIcon(kDefaultIconKey, 2, 0xFF808080);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.loadInterval);
    window.Hide();
    chkMonitor.SetChecked(false);
    if (c.runBefore) SetRegValue(RegistryPath::Run, "Sharpwell", c.runBefore);
    form.Form_Load(c.commandLineEmpty);
    EXPECT_EQ(window.Visible(), c.visible);
    EXPECT_EQ(chkMonitor.Checked(), c.checked);
    EXPECT_EQ(tmrLoad.Interval(), c.loadInterval);
    EXPECT_EQ(RunValue().Text().value_or(""), c.checked ? kRunValueOfThisCopy : "");
    // The icon goes up at load only when the box is checked in a visible window.
    EXPECT_EQ(IconsUp(), c.visible && c.checked ? 1u : 0u);
  }
  EXPECT_TRUE(tmrLoad.Enabled());
  EXPECT_TRUE(imlIcons.Contains(kDefaultIconKey));
  EXPECT_FALSE(tmrMonitor.Enabled());
}

TEST_F(WindowLifetimeTest, CloseHidesOnlyFromTheTitleBarWhileMonitoring) {
  struct Case {
    bool monitoring;
    int unloadMode;
    bool keepsRunning;
  };
  const Case cases[] = {{true, 0, true}, {false, 0, false}, {true, 1, false}};
  platform::standin::SetIcon(apps::Legacy, 0, 0xFF00FF00);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.monitoring << " mode " << c.unloadMode);
    window.Show();
    window.ended = false;
    chkMonitor.SetChecked(c.monitoring);
    form.Catalogue.AddProgram(apps::Legacy, true);
    form.Catalogue.GetIcon(Key(apps::Legacy));

    EXPECT_EQ(form.Form_QueryUnload(c.unloadMode), c.keepsRunning);
    EXPECT_EQ(window.ended, !c.keepsRunning);
    EXPECT_EQ(lvwPrograms.Count() + lvwCompat.Count() + imlIcons.Count(), c.keepsRunning ? 3 : 0);
    EXPECT_EQ(IconsUp(), c.keepsRunning ? 1u : 0u);
  }
  chkMonitor.SetChecked(false);  // unchecking removes the Run value
  EXPECT_TRUE(RunValue().IsNone());
  window.Show();
  window.ended = false;
  chkMonitor.SetChecked(true);
  ASSERT_EQ(IconsUp(), 1u);
  EXPECT_EQ(platform::standin::Tray().icons.begin()->second.hWnd, window.IconOwnerHandle());
  form.mnuTrayExit_Click();
  EXPECT_TRUE(window.ended);
  EXPECT_EQ(IconsUp(), 0u);
}

TEST_F(WindowLifetimeTest, TrayIconMouseEventsShowTheWindowOrTheMenu) {
  form.pcbIcon16_MouseMove(517);
  EXPECT_EQ(window.popups, std::vector<PopupMenu>{PopupMenu::Tray});
  EXPECT_EQ(window.activations, 1);
  EXPECT_FALSE(window.Visible());

  form.pcbIcon16_MouseMove(514);
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(window.restores, 1);
  EXPECT_TRUE(tmrGetIcons.Enabled());  // no scan pending: only the icon fill restarts
  EXPECT_EQ(tmrLoad.Armings(), 0);
}

TEST_F(WindowLifetimeTest, TheDpiLineIsRedOnlyAtExactly96) {
  for (const std::int32_t dpi : {96, 120, 0}) {  // 0: no value stored
    SCOPED_TRACE(dpi);
    if (dpi)
      SetRegValue(RegistryPath::WindowMetrics, "AppliedDPI", dpi);
    else
      DeleteRegValue(RegistryPath::WindowMetrics, "AppliedDPI");
    form.ShowSystemDpi();
    EXPECT_EQ(lblDPI.Caption(), "Current system resolution: " + std::to_string(dpi) + " DPI");
    EXPECT_EQ(lblDPI.ForeColour(), (dpi == 96 ? Colour{255, 0, 0} : Colour{0, 150, 0}));
  }
}

// The system timer and the tick count disagree a little, and a restart only notes the
// moment: the schedule re-arms the timer for the rest of the interval, then the full one.
TEST(TimerScheduleTest, TicksComeAFullIntervalAfterArmingOrRestarting) {
  TimerSchedule schedule(100);
  schedule.Armed(0);
  std::uint32_t rearm = 1;
  EXPECT_FALSE(schedule.TickIsDue(95, rearm));
  EXPECT_EQ(rearm, 5u);
  EXPECT_TRUE(schedule.TickIsDue(100, rearm));
  EXPECT_EQ(rearm, 100u);
  EXPECT_TRUE(schedule.TickIsDue(200, rearm));
  EXPECT_EQ(rearm, 0u);  // the period is right as it is
  schedule.Restarted(260);
  EXPECT_FALSE(schedule.TickIsDue(300, rearm));
  EXPECT_EQ(rearm, 60u);
}
