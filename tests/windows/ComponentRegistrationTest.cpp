// Registering the common-controls component, and start-up's recovery when the main window
// cannot be loaded, over real modules built for the test.
#include "common/FixturePath.h"
#include "common/TempFolder.h"
#include "platform/CurrentError.h"
#include "shell/modRegServer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace {
constexpr char kTarget[] = "C:\\Windows\\system32\\comctl32.ocx";

std::string Component(const char* name) { return fixtures::FixturePath(fixtures::kOwnArch, name); }
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

TEST(RegisterServerTest, TrueOnlyWhenTheEntryPointReturnsZeroAndTheModuleIsFreed) {
  const std::pair<const char*, bool> cases[] = {
      {"register_ok.dll", true}, {"register_fails.dll", false},
      {"register_missing.dll", false}, {"no_such_component.dll", false}};
  for (const auto& [name, registers] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(RegisterServer(Component(name)), registers);
    EXPECT_EQ(GetModuleHandleA(Component(name).c_str()), nullptr);
  }
}

// A load that fails for want of the window class `failures` times: the spare copy
// (comctl32.oc-) in the working folder is installed, registered and the load tried once more.
TEST(ComponentRecoveryTest, TheComponentIsRegisteredAndTheLoadTriedOnceMore) {
  if (Exists(kTarget)) GTEST_SKIP() << kTarget << " exists already; it is left alone";
  const std::pair<int, std::vector<std::string>> cases[] = {
      {1, {}}, {2, {"Error showing GUI, Cannot find window class.!"}}};
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  for (const auto& [failures, messages] : cases) {
    SCOPED_TRACE(failures);
    TempFolder folder;
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    ASSERT_TRUE(CopyFileA(Component("register_ok.dll").c_str(), folder.Path("comctl32.oc-").c_str(), FALSE));
    int attempts = 0;
    std::vector<std::string> shown;
    const bool loaded = LoadMainWindow("Sharpwell", WindowLoadSteps{
        [&] {
          if (++attempts > failures) return true;
          CurrentError::Raise(ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class.");
          return false;
        },
        [&](const std::string& text, std::uint32_t) { shown.push_back(text); }});
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(loaded, messages.empty());
    EXPECT_EQ(attempts, 2);
    EXPECT_TRUE(Exists(kTarget));
    DeleteFileA(kTarget);
    EXPECT_EQ(shown, messages);
  }
}
