// The compatibility-list commands of sharpwell-cli as the tool runs them: flags, export,
// import and backups, over the registry (the stand-in natively, Wine's under Wine), with
// the backups in a folder of the test's own. The key is put back as it was afterwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "LayersCommands.h"
#include "common/LayersState.h"
#include "common/TempFolder.h"
#include "compat/LayersBackup.h"
#include "compat/LayersKey.h"
#include "platform/FolderApi.h"
#ifndef _WIN32
#include "platform/standin/HostPath.h"
#endif

namespace {
using layers_state::Stored;

struct Outcome {
  int status = -1;
  std::string output, errors;
};

using Command = int (*)(const std::vector<std::string>&, std::FILE*, std::FILE*);

Outcome RunCommand(Command command, const std::vector<std::string>& args) {
  std::FILE* output = std::tmpfile();
  std::FILE* errors = std::tmpfile();
  Outcome outcome;
  outcome.status = command(args, output, errors);
  outcome.output = layers_state::ReadBack(output);
  outcome.errors = layers_state::ReadBack(errors);
  return outcome;
}

class LayersCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { StartRun(); }
  void TearDown() override {
#ifndef _WIN32
    platform::standin::SetDriveRoot('L', "");
#endif
    ForgetLayersBackupOfThisRun();
  }

  // An empty list, no backup yet in this run, and a new, empty backup folder.
  void StartRun() {
    layers_state::Clear();
    ForgetLayersBackupOfThisRun();
    local_.emplace();
#ifdef _WIN32
    platform::SetEnvironmentVariableA("LOCALAPPDATA", local_->Path());
#else
    platform::standin::SetDriveRoot('L', local_->Path());  // the stand-in's files take drive paths
    platform::SetEnvironmentVariableA("LOCALAPPDATA", "L:");
#endif
  }

  std::size_t Backups() const { return ListLayersBackups().value_or(std::vector<std::string>{}).size(); }

  layers_state::Saved saved_;
  std::optional<TempFolder> local_;
};
}  // namespace

TEST_F(LayersCommandsTest, FlagsShowsAndChangesOneProgramsValue) {
  struct Case {  // a stored value (name, text), the arguments, and what comes of them
    std::vector<std::string> seed, args;
    int status;
    std::string output;
    std::vector<std::string> stored;
  };
  const std::vector<std::string> old = {"C:\\Apps\\Old.exe", "~ RUNASADMIN DPIUNAWARE"};
  const std::vector<std::string> unchanged = {"C:\\Apps\\Old.exe=~ RUNASADMIN DPIUNAWARE"};
  const Case cases[] = {
      {{}, {"C:\\Apps\\New.exe"}, 0, "\n", {}},
      {old, {"c:\\APPS\\old.EXE"}, 0, "~ RUNASADMIN DPIUNAWARE\n", unchanged},
      {old, {"c:\\apps\\old.exe", "--mode", "application"}, 0, "~ RUNASADMIN HIGHDPIAWARE\n",
       {"C:\\Apps\\Old.exe=~ RUNASADMIN HIGHDPIAWARE"}},
      {old, {"C:\\Apps\\Old.exe", "--mode", "system"}, 0, "~ RUNASADMIN DPIUNAWARE\n", unchanged},
      {old, {"C:\\Apps\\Old.exe", "--mode", "system-enhanced"}, 0,
       "~ RUNASADMIN DPIUNAWARE GDIDPISCALING\n", {"C:\\Apps\\Old.exe=~ RUNASADMIN DPIUNAWARE GDIDPISCALING"}},
      {{"C:\\A.EXE", "GDIDPISCALING DPIUNAWARE HIGHDPIAWARE"}, {"C:\\A.EXE", "--mode", "none"}, 0, "\n",
       {"C:\\A.EXE="}},
      {{}, {"C:\\Apps\\New.exe", "--add", "HIGHDPIAWARE", "RUNASADMIN"}, 0, "HIGHDPIAWARE RUNASADMIN\n",
       {"C:\\APPS\\NEW.EXE=HIGHDPIAWARE RUNASADMIN"}},
      {old, {"C:\\Apps\\Old.exe", "--remove", "DPIUNAWARE", "RUNASADMIN"}, 0, "~\n", {"C:\\Apps\\Old.exe=~"}},
      {{}, {"C:\\Apps\\New.exe", "--remove", "HIGHDPIAWARE"}, 0, "\n", {}},  // no empty value made
      {old, {"C:\\Apps\\Old.exe", "--mode", "fast"}, 2, "", unchanged},
      {old, {"C:\\Apps\\Old.exe", "--add"}, 2, "", unchanged},
      {old, {"C:\\Apps\\Old.exe", "--add", "A", "--remove", "B"}, 2, "", unchanged},
      {old, {"C:\\Apps\\Old.exe", "--clear"}, 2, "", unchanged},
      {{}, {}, 2, "", {}},
  };
  for (const Case& c : cases) {
    StartRun();
    if (!c.seed.empty()) SetRegValue(kLayersKeyPath, c.seed[0], c.seed[1]);
    const std::vector<std::string> before = Stored();
    const Outcome outcome = RunCommand(RunFlags, c.args);
    const std::string what = c.args.empty() ? "(none)" : c.args.back();
    EXPECT_EQ(outcome.status, c.status) << what << ": " << outcome.errors;
    EXPECT_EQ(outcome.output, c.output) << what;
    EXPECT_EQ(Stored(), c.stored) << what;
    EXPECT_EQ(outcome.errors.empty(), c.status == 0) << what;
    // A change is saved first; no change, no backup.
    EXPECT_EQ(Backups(), Stored() == before ? 0u : 1u) << what;
  }
}

TEST_F(LayersCommandsTest, EachRunSavesTheListOnceAndTheNewestBackupsStay) {
  SetRegValue(kLayersKeyPath, "C:\\N.EXE", "0");
  SetLayersValue("C:\\N.EXE", "first change");
  SetLayersValue("C:\\N.EXE", "second change, same run");
  ASSERT_EQ(Backups(), 1u);
  local_->Write("Sharpwell/Backups/notes.txt", "not a backup");

  const std::size_t runs = kLayersBackupsKept + 2;
  for (std::size_t run = 1; run <= runs; ++run) {
    ForgetLayersBackupOfThisRun();
    DeleteLayersValue("C:\\N.EXE");
    SetRegValue(kLayersKeyPath, "C:\\N.EXE", std::to_string(run));
  }
  const std::vector<std::string> backups = *ListLayersBackups();
  ASSERT_EQ(backups.size(), kLayersBackupsKept);
  EXPECT_EQ(backups.front(), LayersBackupOfThisRun());  // newest first
  EXPECT_EQ(local_->Read("Sharpwell/Backups/notes.txt"), "not a backup");

  // The newest backup holds the list as it was before this run's first change.
  SetLayersValue("C:\\N.EXE", "later");
  const Outcome listed = RunCommand(RunBackups, {});
  EXPECT_EQ(listed.status, 0);
  std::string expected;
  for (const std::string& path : backups) expected += path + "\n";
  EXPECT_EQ(listed.output, expected);
  ForgetLayersBackupOfThisRun();
  EXPECT_EQ(RunCommand(RunImport, {backups.front()}).status, 0);
  EXPECT_EQ(Stored(), std::vector<std::string>{"C:\\N.EXE=" + std::to_string(runs - 1)});
  EXPECT_EQ(Backups(), kLayersBackupsKept);
}

TEST_F(LayersCommandsTest, ImportPutsBackWhatExportSavedAndRefusesBadFilesWhole) {
  SetRegValue(kLayersKeyPath, "C:\\Program Files\\Tool \"x\"\\T\xC3\xA9.exe", "~ HIGHDPIAWARE C:\\\\ \"q\"");
  SetRegValue(kLayersKeyPath, "C:\\OLD.EXE", "RUNASADMIN");
  SetRegValue(kLayersKeyPath, "C:\\N.EXE", std::int32_t{7});
  const std::vector<std::string> exported = Stored();
  const std::string file = local_->Path("list.reg");
  const Outcome saved = RunCommand(RunExport, {file});
  ASSERT_EQ(saved.status, 0) << saved.errors;
  EXPECT_TRUE(local_->Read("list.reg").starts_with("\xFF\xFEW\0i\0n\0d\0o\0w\0s\0"));
  EXPECT_EQ(Backups(), 0u);  // exporting changes nothing

  DeleteLayersValue("C:\\OLD.EXE");
  SetLayersValue("C:\\NEW.EXE", "DPIUNAWARE");
  const Outcome imported = RunCommand(RunImport, {file});
  EXPECT_EQ(imported.status, 0) << imported.errors;
  EXPECT_EQ(Stored(), exported);
  EXPECT_NE(imported.output.find(LayersBackupOfThisRun()), std::string::npos);

  // Bad files change nothing: another key (printed), a malformed line (its number), no file.
  const std::string other = "HKEY_LOCAL_MACHINE\\Software\\Other";
  const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n[" + std::string(kLayersKeyName) + "]\r\n";
  local_->Write("other.reg", header + "\"A\"=\"B\"\r\n[" + other + "]\r\n\"C\"=\"D\"\r\n");
  local_->Write("malformed.reg", header + "\"A\"=\"B\"\r\n\"C\"=hex:00\r\n");
  struct Case { std::vector<std::string> args; int status; std::string message; };
  const Case cases[] = {
      {{local_->Path("other.reg")}, 1, other},
      {{local_->Path("malformed.reg")}, 1, "line 5"},
      {{local_->Path("missing.reg")}, 1, "cannot read"},
      {{}, 2, "FILE"},
  };
  for (const Case& c : cases) {
    const Outcome refused = RunCommand(RunImport, c.args);
    EXPECT_EQ(refused.status, c.status);
    EXPECT_NE(refused.errors.find(c.message), std::string::npos) << refused.errors;
    EXPECT_EQ(Stored(), exported);
  }
  EXPECT_EQ(RunCommand(RunExport, {local_->Path("no-folder/list.reg")}).status, 1);
}
