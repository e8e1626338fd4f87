// The real sharpwell-cli.exe as a user runs it against Wine's registry: scan over the
// compatibility list and Explorer's recently-run list, flags, export (with and without
// --recommended), import and backups, and the saved files taken by the system's `reg import`.
#include "common/FixturePath.h"
#include "common/LayersState.h"
#include "common/TempFolder.h"
#include "compat/LayersKey.h"
#include "platform/TextApi.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {
using layers_state::Stored;
using wine_session::Quoted;
using wine_session::RunToEnd;

std::string Lower(const std::string& path) { return platform::LowerCasePath(path); }

// The lines of `text` that name a file in `folder`, in order, without their line ends.
std::vector<std::string> LinesNaming(const std::string& text, const std::string& folder) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (Lower(line).find(Lower(folder)) != std::string::npos)
      lines.push_back(line.substr(0, line.find('\r')));
  return lines;
}

class CliEndToEndTest : public ::testing::Test {
 protected:
  // Runs sharpwell-cli.exe with `args`; its output goes to the folder's out.txt.
  long Cli(const std::string& args) {
    const std::string cli = Quoted(wine_session::ProgramBeside("sharpwell-cli.exe"));
    return RunToEnd(cli + " " + args, folder_.Path("out.txt"));
  }
  std::string Output() const { return folder_.Read("out.txt"); }
  // A copy of the 64-bit program without awareness named `name` in the folder.
  std::string Place(const std::string& name) {
    const std::string path = folder_.Path(name);
    EXPECT_TRUE(CopyFileA(fixtures::FixturePath("x64", "dpi_false.exe").c_str(), path.c_str(), TRUE));
    return path;
  }

  layers_state::Saved saved_;  // an empty list to start with, the old one put back after
  SeededRegistry seeded_;
  TempFolder folder_;
};
}  // namespace

TEST_F(CliEndToEndTest, ScanListsEachSourceAndExportRecommendedAddsTheFlagToTheFileOnly) {
  const std::string listed = Place("Listed.exe");
  const std::string recent = Place("R\xC3\xA9" "cent.exe");
  seeded_.AddLayer(listed, "~ RUNASADMIN");
  seeded_.AddRecent(recent);

  ASSERT_EQ(Cli("scan"), 0);
  EXPECT_EQ(LinesNaming(Output(), folder_.Path()),
            (std::vector<std::string>{"No\tunaware\tx64\t~ RUNASADMIN\t" + Lower(listed),
                                      "No\tunaware\tx64\t\t" + Lower(recent)}));

  const std::vector<std::string> before = Stored();
  const std::string file = folder_.Path("recommended.reg");
  ASSERT_EQ(Cli("export " + Quoted(file) + " --recommended"), 0);
  EXPECT_EQ(Stored(), before);
  ASSERT_EQ(RunToEnd("reg.exe import " + Quoted(file)), 0);
  std::string stored;
  for (const std::string& value : Stored()) stored += value + "\n";
  EXPECT_EQ(LinesNaming(stored, folder_.Path()),
            (std::vector<std::string>{platform::UpperCasePath(recent) + "=HIGHDPIAWARE",
                                      listed + "=~ RUNASADMIN HIGHDPIAWARE"}));
}

TEST_F(CliEndToEndTest, ImportGivesBackWhatExportSavedAndTheBackupUndoesTheImport) {
  SetRegValue(kLayersKeyPath, "C:\\Program Files\\Caf\xC3\xA9\\\"Old\".exe", "~ HIGHDPIAWARE");
  SetRegValue(kLayersKeyPath, "C:\\TOOLS\\N.EXE", std::int32_t{-1});
  SetRegValue(kLayersKeyPath, "C:\\TOOLS\\B.EXE", "DPIUNAWARE C:\\\\x\\");
  platform::SetEnvironmentVariableA("LOCALAPPDATA", folder_.Path());  // where the backups go
  const std::vector<std::string> before = Stored();
  const std::string file = folder_.Path("list.reg");
  ASSERT_EQ(Cli("export " + Quoted(file)), 0);

  DeleteRegValue(kLayersKeyPath, "C:\\TOOLS\\N.EXE");
  ASSERT_EQ(Cli("flags C:\\New.exe --add RUNASADMIN"), 0);
  EXPECT_TRUE(Output().starts_with("RUNASADMIN")) << Output();
  const std::vector<std::string> changed = Stored();
  ASSERT_NE(changed, before);

  EXPECT_EQ(Cli("import " + Quoted(file)), 0);
  EXPECT_EQ(Stored(), before);
  ASSERT_EQ(Cli("backups"), 0);  // newest first: the changed list, saved by the import
  const std::vector<std::string> backups = LinesNaming(Output(), folder_.Path());
  ASSERT_EQ(backups.size(), 2u) << Output();
  EXPECT_EQ(Cli("import " + Quoted(backups.front())), 0);
  EXPECT_EQ(Stored(), changed);

  layers_state::Clear();
  EXPECT_EQ(RunToEnd("reg.exe import " + Quoted(file)), 0);
  EXPECT_EQ(Stored(), before);
}
