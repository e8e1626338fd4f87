// The start-up discovery over the scripted registry and process table, the lookup of a
// process's path with its fallback, and the pacing of the progress display.
#include "native/FormFixture.h"

using platform::standin::OpenableWith;
using Texts = std::vector<std::string>;

namespace {
constexpr const char* kUserAssist =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
    "{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count";
}  // namespace

using DiscoveryTest = FormFixture;

TEST_F(DiscoveryTest, TheSourcesInOrderAndOnlyWhatIsNewOnTheNextRun) {
  // Every source holds something to take and something to skip.
  SetRegValue(RegistryPath::Layers, "C:\\APPS\\LEGACY.EXE", "HIGHDPIAWARE RUNASADMIN");
  SetRegValue(RegistryPath::Layers, "C:\\Apps\\Gone.exe", "HIGHDPIAWARE");  // file is gone
  SetRegValue(RegistryPath::Layers, "C:\\Apps\\Old32.exe", std::int32_t{7});
  platform::standin::SetProcesses({
      {100, "Aware.exe", apps::Aware, OpenableWith::Both},
      {200, "Console.exe", apps::Console, OpenableWith::LimitedOnly},
      {300, "Legacy.exe", apps::Legacy, OpenableWith::Both},  // listed already
      {400, "odd.exe", "\\Device\\odd.exe", OpenableWith::Both},
  });
  for (const std::string& name : {Rot13(apps::Notepad), std::string("HRZR_PGYFRFFVBA")})
    SetRegValue(kUserAssist, name, std::int32_t{1});
  platform::standin::SetIcon(apps::Aware, 0, 0xFF123456);
  form.tmrLoad_Timer();
  EXPECT_EQ(Keys(lvwCompat), (Texts{"c:\\apps\\legacy.exe", "c:\\apps\\gone.exe", "c:\\apps\\old32.exe"}));
  EXPECT_EQ(lvwPrograms.Count(), 0);
  EXPECT_TRUE(form.ScanPending);

  SetRegValue(RegistryPath::Layers, "C:\\APPS\\LEGACY.EXE", "EDITED");
  SetRegValue(RegistryPath::Layers, "C:\\APPS\\PAINTER.EXE", "RUNASADMIN");
  form.mnuTrayShow_Click();
  EXPECT_EQ(tmrLoad.Interval(), TimerInterval::LoadWhenShown);
  form.tmrLoad_Timer();
  EXPECT_FALSE(tmrLoad.Enabled());
  EXPECT_FALSE(form.ScanPending);
  EXPECT_EQ(Column(lvwCompat, 1), (Texts{"HIGHDPIAWARE RUNASADMIN", "HIGHDPIAWARE", "7", "RUNASADMIN"}));
  EXPECT_EQ(Keys(lvwPrograms), (Texts{Key(apps::Legacy), Key(apps::Old32), Key(apps::Painter),
                                      Key(apps::Aware), Key(apps::Console), Key(apps::Notepad)}));
  EXPECT_EQ(lvwPrograms.SmallIcon(4), Key(apps::Aware));  // the icon pass ran
  form.tmrLoad_Timer();  // nothing new: no duplicates in either list
  EXPECT_EQ(lvwCompat.Count() + lvwPrograms.Count(), 10);
}

TEST_F(DiscoveryTest, ProcessPathsComeFromTheProcessOrFromListedRowsOutsideSystemFolders) {
  for (const char* listed : {apps::Legacy, apps::AppSvchost, apps::Notepad})
    form.Catalogue.AddProgram(listed);
  platform::standin::SetProcesses({
      {4, "System", apps::Legacy, OpenableWith::Both},
      {10, "svchost.exe", apps::SysSvchost, OpenableWith::Both},
      {11, "Aware.exe", apps::Aware, OpenableWith::LimitedOnly},
      {13, "svchost.exe", "", OpenableWith::Nothing},
      {14, "notepad.exe", "", OpenableWith::Nothing},
      {15, "Aware.exe", "", OpenableWith::Nothing},
      {12, "LEGACY.EXE", "", OpenableWith::Nothing},  // last: an id not found must not take it
  });
  const std::pair<std::uint32_t, std::string> cases[] = {
      {0, ""},  {4, ""},  {10, apps::SysSvchost}, {11, apps::Aware}, {12, Key(apps::Legacy)},
      {13, ""}, {14, ""}, {15, ""}, {99, ""},
  };
  for (const auto& [id, expected] : cases)
    EXPECT_EQ(form.Catalogue.GetProcessPath(id), expected) << id;

  // Missing sources still end ready, with the monitor running.
  platform::standin::SetSnapshotFails(true);
  EXPECT_EQ(form.Catalogue.GetProcessPath(12), "");
  window.Show();
  form.tmrLoad_Timer();
  EXPECT_EQ(lvwPrograms.Count(), 3);
  EXPECT_EQ(SBar.Panel1Text(), "Ready");
  EXPECT_TRUE(tmrMonitor.Enabled());
}

TEST_F(DiscoveryTest, ProgressRepaintsAtMostTenTimesASecondOfTheClock) {
  platform::standin::SetClock(50.0f);
  form.Catalogue.UpdateProgress(0);  // whatever ran before, the last repaint is now at 50 s
  const std::pair<float, int> steps[] = {{50.0625f, 0}, {50.125f, 1}, {86399.9375f, 1}, {0.0f, 1}};
  int value = 1;
  for (const auto& [clock, repaints] : steps) {
    platform::standin::SetClock(clock);
    const int before = window.doEvents, shown = PBar.Value();
    form.Catalogue.UpdateProgress(static_cast<float>(value));
    EXPECT_EQ(window.doEvents - before, repaints) << clock;
    EXPECT_EQ(PBar.Value(), repaints ? value : shown) << clock;
    ++value;
  }
}
