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
               {"register_missing.dll", false}, {"no_such_component.dll", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RegisterServer(Component(c.name)), c.registers);
    EXPECT_EQ(GetModuleHandleA(Component(c.name).c_str()), nullptr);
  }
}

// A load that fails for want of the window class `failures` times: the spare copy
// (comctl32.oc-) in the working folder is installed, registered and the load tried once more.
TEST(ComponentRecoveryTest, TheComponentIsRegisteredAndTheLoadTriedOnceMore) {
  if (Exists(kTarget)) GTEST_SKIP() << kTarget << " exists already; it is left alone";
  const struct {
    int failures;
    bool loads;
    std::string message;  // the start of the one message shown, or none
  } cases[] = {{1, true, ""}, {2, false, "Error showing GUI, Cannot find window class.!"}};
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failures);
    TempFolder folder;
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    ASSERT_TRUE(CopyFileA(Component("register_ok.dll").c_str(), folder.Path("comctl32.oc-").c_str(), FALSE));
    int attempts = 0;
    auto closer = std::make_unique<wine_session::ModalCloser>();
    const bool loaded = LoadMainWindow("Sharpwell", WindowLoadSteps{
        [&] {
          if (++attempts > c.failures) return true;
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
    EXPECT_EQ(attempts, 2);
    EXPECT_TRUE(Exists(kTarget));
    DeleteFileA(kTarget);
    ASSERT_EQ(shown.size(), c.message.empty() ? 0u : 1u);
    EXPECT_EQ(shown.empty() ? "" : shown[0].text, c.message);
  }
}
