// The compatibility-list commands of sharpwell-cli over the build's registry, with the
// backups in a folder of the test's own; the list is put back as it was afterwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "LayersCommands.h"
#include "common/LayersState.h"
#include "common/TempFolder.h"
#include "compat/LayersBackup.h"
#ifndef _WIN32
#include "platform/standin/HostPath.h"
#endif

namespace {
using layers_state::Stored;

struct Outcome { int status; std::string output, errors; };

Outcome RunCommand(auto command, const std::vector<std::string>& args) {
  std::FILE* output = std::tmpfile();
  std::FILE* errors = std::tmpfile();
  const int status = command(args, output, errors);
  return {status, layers_state::ReadBack(output), layers_state::ReadBack(errors)};
}

// An empty list, no backup yet in this run, and an empty backup folder of the test's own.
class LayersCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ForgetLayersBackupOfThisRun();
#ifdef _WIN32
    platform::SetEnvironmentVariableA("LOCALAPPDATA", local_.Path());
#else
    platform::standin::SetDriveRoot('L', local_.Path());  // the stand-in's files take drive paths
    platform::SetEnvironmentVariableA("LOCALAPPDATA", "L:");
#endif
  }
  void TearDown() override { ForgetLayersBackupOfThisRun(); }

  layers_state::Saved saved_;
  TempFolder local_;
};
}  // namespace

TEST_F(LayersCommandsTest, FlagsShowsAndChangesOneProgramsValue) {
  // The text stored ("": no value), the arguments, the status, the flags printed, and the name
  // they are then stored under ("": the list is as it was; a new value is named in upper case).
  struct Case { std::string seed; std::vector<std::string> args; int status; std::string flags = "", name = ""; };
  const std::string path = "C:\\Apps\\Old.exe";
  const std::string old = "~ RUNASADMIN DPIUNAWARE";
  const Case cases[] = {
      {old, {"C:\\APPS\\OLD.EXE"}, 0, old},
      {old, {"c:\\apps\\old.exe", "--mode", "application"}, 0, "~ RUNASADMIN HIGHDPIAWARE", path},
      {old, {path, "--mode", "system-enhanced"}, 0, "~ RUNASADMIN DPIUNAWARE GDIDPISCALING", path},
      {"GDIDPISCALING DPIUNAWARE HIGHDPIAWARE", {path, "--mode", "none"}, 0, "", path},
      {"", {"C:\\Apps\\New.exe", "--add", "HIGHDPIAWARE", "RUNASADMIN"}, 0, "HIGHDPIAWARE RUNASADMIN",
       "C:\\APPS\\NEW.EXE"},
      {old, {path, "--remove", "DPIUNAWARE", "RUNASADMIN"}, 0, "~", path},
      {"", {path, "--remove", "HIGHDPIAWARE"}, 0},  // no empty value made
      {old, {path, "--mode", "fast"}, 2},
      {old, {path, "--add"}, 2},
      {old, {path, "--add", "A", "--remove", "B"}, 2},
      {"", {}, 2},
  };
  for (const Case& c : cases) {
    layers_state::Clear();
    if (!c.seed.empty()) SetRegValue(kLayersKeyPath, path, c.seed);
    const std::vector<std::string> before = Stored();
    const Outcome outcome = RunCommand(RunFlags, c.args);
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.back());
    EXPECT_EQ(outcome.status, c.status) << outcome.errors;
    EXPECT_EQ(outcome.output, c.status == 0 ? c.flags + "\n" : "");
    EXPECT_EQ(Stored(), c.name.empty() ? before : std::vector<std::string>{c.name + "=" + c.flags});
  }
}

TEST_F(LayersCommandsTest, EachRunSavesTheListOnceAndTheNewestBackupsStay) {
  const std::size_t runs = kLayersBackupsKept + 2;  // all within a second or two: numbered names
  for (std::size_t run = 1; run <= runs; ++run) {
    ForgetLayersBackupOfThisRun();
    SetLayersValue("C:\\N.EXE", std::to_string(run));
    SetLayersValue("C:\\N.EXE", std::to_string(run) + " again");
  }
  const std::vector<std::string> backups = *ListLayersBackups();
  ASSERT_EQ(backups.size(), kLayersBackupsKept);
  EXPECT_TRUE(RunCommand(RunBackups, {}).output.starts_with(LayersBackupOfThisRun() + "\n"));
  ForgetLayersBackupOfThisRun();  // the newest backup holds the list as before its run's first change
  EXPECT_EQ(RunCommand(RunImport, {backups.front()}).status, 0);
  EXPECT_EQ(Stored(), std::vector<std::string>{"C:\\N.EXE=" + std::to_string(runs - 1) + " again"});
}

TEST_F(LayersCommandsTest, ImportPutsBackWhatExportSavedAndRefusesBadFilesWhole) {
  SetRegValue(kLayersKeyPath, "C:\\OLD.EXE", "RUNASADMIN");
  SetRegValue(kLayersKeyPath, "C:\\N.EXE", std::int32_t{7});
  const std::vector<std::string> exported = Stored();
  const std::string file = local_.Path("list.reg");
  ASSERT_EQ(RunCommand(RunExport, {file}).status, 0);

  DeleteLayersValue("C:\\OLD.EXE");
  SetLayersValue("C:\\NEW.EXE", "DPIUNAWARE");
  const Outcome imported = RunCommand(RunImport, {file});
  EXPECT_EQ(imported.status, 0) << imported.errors;
  EXPECT_EQ(Stored(), exported);
  EXPECT_NE(imported.output.find(LayersBackupOfThisRun()), std::string::npos);

  // Bad files change nothing: a malformed line (its number), no file, no file named.
  const std::string header =
      "Windows Registry Editor Version 5.00\r\n\r\n[" + std::string(kLayersKeyName) + "]\r\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{local_.Write("malformed.reg", header + "\"A\"=\"B\"\r\n\"C\"=hex:00\r\n")}, "line 5"},
      {{local_.Path("missing.reg")}, "cannot read"},
      {{}, "FILE"},
  };
  for (const auto& [args, message] : cases) {
    const Outcome refused = RunCommand(RunImport, args);
    EXPECT_EQ(refused.status, args.empty() ? 2 : 1);
    EXPECT_NE(refused.errors.find(message), std::string::npos) << refused.errors;
    EXPECT_EQ(Stored(), exported);
  }
  EXPECT_EQ(RunCommand(RunExport, {local_.Path("no-folder/list.reg")}).status, 1);

  // A later line for the same path (in any letter case) wins over an earlier one; "-" deletes.
  const std::string later = header + "\"C:\\\\N.EXE\"=\"x\"\r\n\"C:\\\\K.EXE\"=\"k\"\r\n\"c:\\\\n.exe\"=-\r\n";
  EXPECT_EQ(RunCommand(RunImport, {local_.Write("later.reg", later)}).status, 0);
  EXPECT_EQ(Stored(), std::vector<std::string>{"C:\\K.EXE=k"});
}
