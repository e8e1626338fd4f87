// The real Sharpwell.exe and sharpwell-cli.exe as a user runs them under Wine: against the
// system's registry, notification area, `reg import` and `taskkill`.
#include "common/FixturePath.h"
#include "common/LayersState.h"
#include "common/TempFolder.h"
#include "compat/LayersKey.h"
#include "monitor/ForegroundMonitor.h"
#include "platform/TextApi.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

namespace {
using namespace wine_session;
using layers_state::Stored;

constexpr char kRunName[] = "Sharpwell";

// Takes the Run value away after the run; the Layers values it adds go too.
struct CleanRegistry {
  ~CleanRegistry() { DeleteRegValue(RegistryPath::Run, kRunName); }
  SeededRegistry layers;
};

// The lines of `text` that name a file in `folder`, in order, without their line ends.
std::vector<std::string> LinesNaming(const std::string& text, const std::string& folder) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (platform::LowerCasePath(line).find(platform::LowerCasePath(folder)) != std::string::npos)
      lines.push_back(line.substr(0, line.find('\r')));
  return lines;
}

class CliEndToEndTest : public ::testing::Test {
 protected:
  long Cli(const std::string& args) {
    const std::string cli = Quoted(ProgramBeside("sharpwell-cli.exe"));
    return Child(cli + " " + args, folder_.Path("out.txt")).ExitCode();
  }
  std::string Output() const { return folder_.Read("out.txt"); }

  layers_state::Saved saved_;  // an empty list to start with, the old one put back after
  SeededRegistry seeded_;
  TempFolder folder_;
};
}  // namespace

TEST_F(CliEndToEndTest, ScanListsEachSourceAndRegImportTakesTheRecommendedExport) {
  const std::string listed = folder_.Path("Listed.exe");
  const std::string recent = folder_.Path("R\xC3\xA9" "cent.exe");
  for (const std::string& copy : {listed, recent})  // 64-bit, without awareness
    ASSERT_TRUE(CopyFileA(fixtures::FixturePath("x64", "dpi_false.exe").c_str(), copy.c_str(), TRUE));
  seeded_.AddLayer(listed, "~ RUNASADMIN");
  seeded_.AddRecent(recent);

  ASSERT_EQ(Cli("scan"), 0);
  EXPECT_EQ(LinesNaming(Output(), folder_.Path()),
            (std::vector<std::string>{"No\tunaware\tx64\t~ RUNASADMIN\t" + platform::LowerCasePath(listed),
                                      "No\tunaware\tx64\t\t" + platform::LowerCasePath(recent)}));

  const std::string file = folder_.Path("recommended.reg");
  ASSERT_EQ(Cli("export " + Quoted(file) + " --recommended"), 0);
  ASSERT_EQ(Child("reg.exe import " + Quoted(file)).ExitCode(), 0);
  std::string stored;
  for (const std::string& value : Stored()) stored += value + "\n";
  EXPECT_EQ(LinesNaming(stored, folder_.Path()),
            (std::vector<std::string>{platform::UpperCasePath(recent) + "=HIGHDPIAWARE",
                                      listed + "=~ RUNASADMIN HIGHDPIAWARE"}));
}

TEST_F(CliEndToEndTest, ImportGivesBackWhatExportSavedAndTheBackupUndoesTheImport) {
  SetRegValue(kLayersKeyPath, "C:\\Program Files\\Caf\xC3\xA9\\\"Old\".exe", "~ HIGHDPIAWARE");
  platform::SetEnvironmentVariableA("LOCALAPPDATA", folder_.Path());  // where the backups go
  const std::vector<std::string> before = Stored();
  const std::string file = folder_.Path("list.reg");
  ASSERT_EQ(Cli("export " + Quoted(file)), 0);

  ASSERT_EQ(Cli("flags C:\\New.exe --add RUNASADMIN"), 0);
  const std::vector<std::string> changed = Stored();
  ASSERT_NE(changed, before);

  EXPECT_EQ(Cli("import " + Quoted(file)), 0);
  EXPECT_EQ(Stored(), before);
  ASSERT_EQ(Cli("backups"), 0);  // newest first: the changed list, saved by the import
  const std::vector<std::string> backups = LinesNaming(Output(), folder_.Path());
  ASSERT_EQ(backups.size(), 2u) << Output();
  EXPECT_EQ(Cli("import " + Quoted(backups.front())), 0);
  EXPECT_EQ(Stored(), changed);
}

TEST(MonitorEndToEndTest, AStartWithTextStaysHiddenMonitorsRefusesASecondStartAndEndsOnTaskkill) {
  TempFolder folder;  // a copy under a name no earlier run has seen
  const std::string unaware = folder.Path("Unaware Tool.exe");
  CopyFileA(fixtures::FixturePath(fixtures::kOwnArch, "no_manifest.exe").c_str(), unaware.c_str(), FALSE);
  CleanRegistry registry;
  const std::string exe = ProgramBeside("Sharpwell.exe");
  SetRegValue(RegistryPath::Run, kRunName, "\"C:\\Elsewhere\\Sharpwell.exe\" /s");
  Child front(Quoted(unaware) + " /exit-after 120");  // in front for the monitor to see
  ASSERT_NE(WaitForTopLevel(front.Id(), "SharpwellFixtureWindow", 10000, true), nullptr);

  Child app(Quoted(exe) + " /s");
  HWND main = WaitForTopLevel(app.Id(), "SharpwellMainWindow", 20000);
  ASSERT_NE(main, nullptr);
  // The monitor box is created last: then the whole window is built.
  WaitUntil([&] { return FindWindowExA(main, nullptr, "Button", nullptr) != nullptr; }, 10000);
  const auto icon = reinterpret_cast<std::uintptr_t>(FindWindowExA(main, nullptr, "SharpwellIcon16", 0));
  EXPECT_TRUE(WaitUntil(
      [&] { return GetRegValue(RegistryPath::Run, kRunName).ToText() == Quoted(exe) + " /s"; }, 5000));
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_FALSE(TrayIconIsUp(icon));  // not before the discovery, 30 seconds after the start

  EXPECT_TRUE(WaitUntil([&] { return TrayIconIsUp(icon); }, 45000));
  EXPECT_TRUE(WaitUntil([&] { return LayersValue(unaware) == "HIGHDPIAWARE"; }, 25000));

  Child second(Quoted(exe));
  HWND box = WaitForTopLevel(second.Id(), "#32770", 20000);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(box, 0xFFFF).starts_with("This program is already"); }, 5000));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.WaitForExit(10000));

  // A close from another program (taskkill without /f sends WM_CLOSE) ends it.
  Child("taskkill.exe /im Sharpwell.exe").ExitCode();
  EXPECT_TRUE(app.WaitForExit(10000));
  EXPECT_FALSE(TrayIconIsUp(icon));
}
