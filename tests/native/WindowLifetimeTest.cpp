// The main window's load handler, close request, notification-area menu and mouse
// events, the start-with-Windows box and the system DPI line.
#include "native/FormFixture.h"
#include "platform/standin/TrayArea.h"
#include "shell/AppText.h"
#include "shell/TimerSchedule.h"

namespace {
constexpr const char* kRunValueOfThisCopy = "\"C:\\Program Files\\Sharpwell\\Sharpwell.exe\" /s";
RegistryData RunValue() { return GetRegValue(RegistryPath::Run, "Sharpwell"); }
std::size_t IconsUp() { return platform::standin::Tray().icons.size(); }
}  // namespace

struct LoadCase {
  const char* name;
  bool commandLineEmpty;
  const char* runBefore;  // nullptr: no Run value
  bool visible, checked;
  std::uint32_t loadInterval;
  const char* runAfter;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class FormLoadTest : public FormFixture, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(FormLoadTest, ShowsOrHidesTheWindowAndArmsTheDiscovery) {
  const LoadCase& c = GetParam();
  platform::standin::SetIcon(kDefaultIconKey, 2, 0xFF808080);
  if (c.runBefore) SetRegValue(RegistryPath::Run, "Sharpwell", c.runBefore);

  form.Form_Load(c.commandLineEmpty);
  EXPECT_EQ(window.Visible(), c.visible);
  EXPECT_EQ(chkMonitor.Checked(), c.checked);
  EXPECT_TRUE(tmrLoad.Enabled());
  EXPECT_EQ(tmrLoad.Interval(), c.loadInterval);
  EXPECT_EQ(RunValue().Text(), c.runAfter ? std::optional<std::string>(c.runAfter) : std::nullopt);
  // The icon goes up at load only when the box is checked in a visible window.
  EXPECT_EQ(IconsUp(), c.visible && c.checked ? 1u : 0u);
  EXPECT_EQ(lblInstructions.Caption(), AppText::Instructions);
  EXPECT_TRUE(imlIcons.Contains(kDefaultIconKey));
  EXPECT_FALSE(tmrMonitor.Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Starts, FormLoadTest,
    ::testing::Values(
        LoadCase{"Ordinary", true, nullptr, true, false, 1, nullptr},
        LoadCase{"RunValueNamesThisCopyInOtherCase", true,
                 "\"c:\\PROGRAM FILES\\sharpwell\\SHARPWELL.EXE\" /s", true, true, 1,
                 kRunValueOfThisCopy},
        LoadCase{"RunValueNamesAnotherCopy", true, "\"D:\\Copy\\Sharpwell.exe\" /s", true, false,
                 1, "\"D:\\Copy\\Sharpwell.exe\" /s"},
        LoadCase{"WithCommandLine", false, nullptr, false, true, 30000, kRunValueOfThisCopy}),
    [](const auto& info) { return std::string(info.param.name); });

using WindowLifetimeTest = FormFixture;

TEST_F(WindowLifetimeTest, CloseHidesOnlyFromTheTitleBarWhileMonitoring) {
  struct Case {
    bool monitoring;
    int unloadMode;
    bool keepsRunning;
  };
  const Case cases[] = {{true, 0, true}, {false, 0, false}, {true, 1, false}, {true, 3, false}};
  platform::standin::SetIcon(apps::Legacy, 0, 0xFF00FF00);
  window.Show();
  chkMonitor.SetChecked(true);
  ASSERT_EQ(IconsUp(), 1u);
  EXPECT_EQ(platform::standin::Tray().icons.begin()->second.hWnd, window.IconOwnerHandle());
  chkMonitor.SetChecked(false);  // unchecking removes the Run value and the icon
  EXPECT_TRUE(RunValue().IsNone());
  EXPECT_EQ(IconsUp(), 0u);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.monitoring << " mode " << c.unloadMode);
    window.Show();
    window.ended = false;
    chkMonitor.SetChecked(c.monitoring);
    form.Catalogue.AddProgram(apps::Legacy, true);
    form.Catalogue.GetIcon(Key(apps::Legacy));

    EXPECT_EQ(form.Form_QueryUnload(c.unloadMode), c.keepsRunning);
    EXPECT_EQ(window.ended, !c.keepsRunning);
    EXPECT_EQ(window.Visible(), !c.keepsRunning);
    EXPECT_EQ(lvwPrograms.Count() + lvwCompat.Count() + imlIcons.Count(), c.keepsRunning ? 3 : 0);
    EXPECT_EQ(IconsUp(), c.keepsRunning ? 1u : 0u);
  }
  window.Show();
  window.ended = false;
  chkMonitor.SetChecked(true);
  form.mnuTrayExit_Click();
  EXPECT_TRUE(window.ended);
  EXPECT_EQ(IconsUp(), 0u);
}

TEST_F(WindowLifetimeTest, TrayIconMouseEventsShowTheWindowOrTheMenu) {
  for (std::uint32_t other : {0x201u, 0x204u, 0x203u})
    form.pcbIcon16_MouseMove(other);
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(window.activations + window.restores, 0);
  EXPECT_TRUE(window.popups.empty());

  form.pcbIcon16_MouseMove(517);
  EXPECT_EQ(window.popups, std::vector<PopupMenu>{PopupMenu::Tray});
  EXPECT_EQ(window.activations, 1);
  EXPECT_FALSE(window.Visible());

  form.pcbIcon16_MouseMove(514);
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(window.restores, 1);
  EXPECT_EQ(window.activations, 2);
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
    EXPECT_EQ(lblDPI.ToolTip().rfind("Your system DPI setting is 96", 0) == 0, dpi == 96);
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
  EXPECT_TRUE(schedule.TickIsDue(360, rearm));
  EXPECT_EQ(rearm, 100u);
}
