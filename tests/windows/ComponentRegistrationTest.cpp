// Registering the common-controls component, and start-up's recovery when the main
// window cannot be loaded, over real modules built for the test (register_ok.dll,
// register_fails.dll, register_missing.dll) and real message boxes.
#include "common/FixturePath.h"
#include "common/TempFolder.h"
#include "platform/CurrentError.h"
#include "shell/modRegServer.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
constexpr const char* kArch = sizeof(void*) == 8 ? "x64" : "x86";
constexpr char kTarget[] = "C:\\Windows\\system32\\comctl32.ocx";

std::string Component(const char* name) { return fixtures::FixturePath(kArch, name); }
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

TEST(RegisterServerTest, TrueOnlyWhenTheEntryPointReturnsZeroAndTheModuleIsFreed) {
  const struct {
    const char* name;
    bool registers;
  } cases[] = {{"register_ok.dll", true}, {"register_fails.dll", false},  // status 1
               {"register_missing.dll", false},                             // no DllRegisterServer
               {"no_such_component.dll", false}, {"dpi_false.exe", false}};  // loads, exports nothing
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RegisterServer(Component(c.name)), c.registers);
    EXPECT_EQ(GetModuleHandleA(Component(c.name).c_str()), nullptr);
  }
}

// Start-up's load with recovery, from a working folder that holds the spare copy
// (comctl32.oc-) or not, with a load that fails `failures` times and then succeeds.
TEST(ComponentRecoveryTest, TheSpareCopyIsInstalledAndRegisteredOnlyForAMissingControl) {
  if (Exists(kTarget)) GTEST_SKIP() << kTarget << " exists already; it is left alone";
  const std::string admin = "Please right-click \u201CSharpwell.exe\u201D and click \u201CRun as Admin";
  const std::string noClass = "Error showing GUI, Cannot find window class.!";
  const struct {
    const char* spare;  // or none
    bool installed;     // the component already in the system folder
    int failures;
    bool otherError;  // a failure other than a missing window class
    bool loads;
    int attempts;
    bool installedAfter;
    std::string message;  // the start of the one message shown, or none
  } cases[] = {
      {"register_ok.dll", false, 0, false, true, 1, false, ""},
      {"register_ok.dll", false, 1, false, true, 2, true, ""},
      {"register_ok.dll", false, 2, false, false, 2, true, noClass},
      {"register_ok.dll", false, 1, true, false, 1, false, "Error showing GUI, Not enough memory.!"},
      {"register_fails.dll", false, 1, false, false, 1, true, admin},
      {nullptr, false, 1, false, false, 1, false, admin},
      {nullptr, true, 1, false, true, 2, true, ""},
  };
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.spare ? c.spare : "no spare") << " installed " << c.installed
                                    << " failures " << c.failures << " other error " << c.otherError);
    TempFolder folder;
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    if (c.spare) ASSERT_TRUE(CopyFileA(Component(c.spare).c_str(), folder.Path("comctl32.oc-").c_str(), 0));
    if (c.installed) ASSERT_TRUE(CopyFileA(Component("register_ok.dll").c_str(), kTarget, FALSE));
    int attempts = 0;
    bool errorLeftSet = false;  // the error is cleared before each load
    auto closer = std::make_unique<wine_session::ModalCloser>();
    const bool loaded = LoadMainWindow("Sharpwell", WindowLoadSteps{
        [&] {
          errorLeftSet |= CurrentError::IsSet();
          if (++attempts > c.failures) return true;
          if (c.otherError)
            CurrentError::Raise(ERROR_NOT_ENOUGH_MEMORY, "Not enough memory.");
          else
            CurrentError::Raise(ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class.");
          return false;
        },
        [](const std::string& text, std::uint32_t style) {  // the real message box, as start-up shows it
          MessageBoxA(nullptr, text.c_str(), "Sharpwell", MB_OK | style);
        }});
    const std::vector<wine_session::ModalCloser::Shown> shown = closer->Seen();
    closer.reset();
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(loaded, c.loads);
    EXPECT_EQ(attempts, c.attempts);
    EXPECT_FALSE(errorLeftSet);
    EXPECT_EQ(Exists(kTarget), c.installedAfter);
    DeleteFileA(kTarget);
    ASSERT_EQ(shown.size(), c.message.empty() ? 0u : 1u);
    if (!shown.empty()) EXPECT_EQ(shown[0].text.substr(0, c.message.size()), c.message);
  }
}
