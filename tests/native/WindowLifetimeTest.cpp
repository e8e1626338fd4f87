// The main window's load handler, close request, notification-area menu and mouse
// events, the start-with-Windows box and the system DPI line.
#include "native/FormFixture.h"
#include "platform/standin/TrayArea.h"
#include "shell/TimerSchedule.h"

namespace {
constexpr const char* kRunValueOfThisCopy = "\"C:\\Program Files\\Sharpwell\\Sharpwell.exe\" /s";
const std::string kInstructions =
    "    Drag'n'drop programs from the list of programs above into the compatibility list "
    "below to manually enable the clear, XP style scaling on older programs.\r\n"
    "    The change will take effect next time you start that program.";

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
  EXPECT_EQ(lblInstructions.Caption(), kInstructions);
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
  for (std::uint32_t other : {0x200u, 0x201u, 0x203u, 0x204u, 0x207u, 0x208u, 514u * 15})
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
  EXPECT_TRUE(tmrGetIcons.Enabled());  // no scan pending: the icon fill restarts
}

TEST_F(WindowLifetimeTest, TheDpiLineIsRedOnlyAtExactly96) {
  const std::string above =
      "This program is probably needed on your system becuase you are running >96 DPI";
  const std::string at96 =
      "Your system DPI setting is 96 DPI, so program may NOT be needed unless you have a high "
      "per-monitor DPI setting enabled.";
  for (const std::int32_t dpi : {96, 120, 72, 0}) {  // 0: no value stored
    SCOPED_TRACE(dpi);
    if (dpi)
      SetRegValue(RegistryPath::WindowMetrics, "AppliedDPI", dpi);
    else
      DeleteRegValue(RegistryPath::WindowMetrics, "AppliedDPI");
    form.ShowSystemDpi();
    EXPECT_EQ(lblDPI.Caption(), "Current system resolution: " + std::to_string(dpi) + " DPI");
    EXPECT_EQ(lblDPI.ForeColour(), (dpi == 96 ? Colour{255, 0, 0} : Colour{0, 150, 0}));
    EXPECT_EQ(lblDPI.ToolTip(), dpi == 96 ? at96 : above);
  }
}

// The window timers' schedule on a scripted clock: the system timer fires every period
// it was last set to, its first firing `early` milliseconds too soon (the timer and the
// tick count disagree); restarts only note the moment. Gives the times of due ticks.
static std::vector<std::uint64_t> DueTicks(std::uint32_t interval, std::uint32_t early,
                                    std::vector<std::uint64_t> restarts, std::uint64_t until) {
  TimerSchedule schedule(interval);
  schedule.Armed(0);
  std::vector<std::uint64_t> due;
  std::uint32_t period = interval;
  auto restart = restarts.begin();
  for (std::uint64_t now = interval - early; now <= until && due.size() < 50; now += period) {
    for (; restart != restarts.end() && *restart < now; ++restart) schedule.Restarted(*restart);
    std::uint32_t rearm = 0;
    if (schedule.TickIsDue(now, rearm)) due.push_back(now);
    if (rearm) period = rearm;
  }
  return due;
}

TEST(TimerScheduleTest, TicksComeAtTheIntervalAfterEarlyTicksAndRestarts) {
  using Ticks = std::vector<std::uint64_t>;
  EXPECT_EQ(DueTicks(8000, 0, {}, 24000), (Ticks{8000, 16000, 24000}));
  EXPECT_EQ(DueTicks(8000, 15, {}, 24000), (Ticks{8000, 16000, 24000}));  // monitor stays at 8 s
  // A restart waits out the rest of its interval from the moment it was noted.
  EXPECT_EQ(DueTicks(100, 0, {60}, 360), (Ticks{160, 260, 360}));
  EXPECT_EQ(DueTicks(100, 0, {60, 130}, 330), (Ticks{230, 330}));
}
