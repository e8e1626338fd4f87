// The compatibility list saved and put back by the real sharpwell-cli.exe, and the saved
// file taken by the system's own `reg import`, against Wine's registry.
#include "common/LayersState.h"
#include "common/TempFolder.h"
#include "compat/LayersBackup.h"
#include "compat/LayersFile.h"
#include "compat/LayersKey.h"
#include "platform/FolderApi.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using layers_state::Stored;
using wine_session::Quoted;

// The exit status of `commandLine`, or -1 when it did not start or end within 30 s.
long RunToEnd(const std::string& commandLine) {
  wine_session::Child child(commandLine);
  if (!child.Started() || !child.WaitForExit(30000)) return -1;
  return static_cast<long>(child.ExitCode());
}

class LayersEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetEnvironmentVariableA("LOCALAPPDATA", folder_.Path());  // children inherit it
    SetRegValue(kLayersKeyPath, "C:\\Program Files\\Caf\xC3\xA9\\\"Old\".exe", "~ HIGHDPIAWARE");
    SetRegValue(kLayersKeyPath, "C:\\TOOLS\\N.EXE", std::int32_t{-1});
    SetRegValue(kLayersKeyPath, "C:\\TOOLS\\B.EXE", "DPIUNAWARE C:\\\\x\\");
    before_ = Stored();
  }
  void ChangeTheList() {
    DeleteRegValue(kLayersKeyPath, "C:\\TOOLS\\N.EXE");
    SetRegValue(kLayersKeyPath, "C:\\TOOLS\\B.EXE", "HIGHDPIAWARE");
    SetRegValue(kLayersKeyPath, "C:\\NEW.EXE", "RUNASADMIN");
  }

  layers_state::Saved saved_;
  TempFolder folder_;
  std::vector<std::string> before_;
};
}  // namespace

TEST_F(LayersEndToEndTest, ExportChangeImportGivesTheListBack) {
  const std::string cli = Quoted(wine_session::ProgramBeside("sharpwell-cli.exe")) + " ";
  const std::string file = folder_.Path("list.reg");
  ASSERT_EQ(RunToEnd(cli + "export " + Quoted(file)), 0);
  ChangeTheList();
  const std::vector<std::string> changed = Stored();

  EXPECT_EQ(RunToEnd(cli + "import " + Quoted(file)), 0);
  EXPECT_EQ(Stored(), before_);
  // The import saved the changed list first: that backup puts it back in turn.
  const std::vector<std::string> backups = ListLayersBackups().value_or(std::vector<std::string>{});
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(RunToEnd(cli + "import " + Quoted(backups.front())), 0);
  EXPECT_EQ(Stored(), changed);
}

TEST_F(LayersEndToEndTest, TheSystemsRegImportTakesTheSavedFile) {
  const std::string file = folder_.Path("list.reg");
  std::vector<std::string> skipped;
  ASSERT_FALSE(ExportLayers(file, false, skipped).has_value());
  layers_state::Clear();
  EXPECT_EQ(RunToEnd("reg.exe import " + Quoted(file)), 0);
  EXPECT_EQ(Stored(), before_);
}
