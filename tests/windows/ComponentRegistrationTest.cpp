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
#include <vector>

namespace {
constexpr const char* kArch = sizeof(void*) == 8 ? "x64" : "x86";
constexpr char kTarget[] = "C:\\Windows\\system32\\comctl32.ocx";

std::string Component(const char* name) { return fixtures::FixturePath(kArch, name); }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(RegisterServerTest, TrueOnlyWhenTheEntryPointReturnsZero) {
  EXPECT_TRUE(RegisterServer(Component("register_ok.dll")));
  EXPECT_FALSE(RegisterServer(Component("register_fails.dll")));  // status 1
  EXPECT_FALSE(RegisterServer(Component("register_missing.dll")));  // no DllRegisterServer
  EXPECT_FALSE(RegisterServer(Component("no_such_component.dll")));
  EXPECT_FALSE(RegisterServer(Component("dpi_false.exe")));  // loads, exports nothing
}

TEST(RegisterServerTest, TheModuleIsFreedWhateverTheOutcome) {
  for (const char* name : {"register_ok.dll", "register_fails.dll", "register_missing.dll"}) {
    SCOPED_TRACE(name);
    RegisterServer(Component(name));
    EXPECT_EQ(GetModuleHandleA(Component(name).c_str()), nullptr);
  }
}

// Start-up's load with recovery, run from a working folder of the test's own, with
// the system folder's component put there and taken away by the test.
class ComponentRecoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Exists(kTarget)) GTEST_SKIP() << kTarget << " exists already; it is left alone";
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    previous_ = previous;
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.Path().c_str()));
  }
  void TearDown() override {
    if (!previous_.empty()) SetCurrentDirectoryA(previous_.c_str());
    if (ownsTarget_) DeleteFileA(kTarget);
  }

  void PlaceSpare(const char* component) {
    ASSERT_TRUE(CopyFileA(Component(component).c_str(), folder_.Path("comctl32.oc-").c_str(), FALSE));
    ownsTarget_ = true;
  }

  // A load step that fails `failures` times, each time with the error of a missing
  // common control (or `error`), and then succeeds.
  WindowLoadSteps Steps(int failures, std::int32_t error = ERROR_CANNOT_FIND_WND_CLASS,
                        const char* description = "Cannot find window class.") {
    return WindowLoadSteps{
        [this, failures, error, description] {
          errorSetAtLoad_.push_back(CurrentError::IsSet());
          if (static_cast<int>(errorSetAtLoad_.size()) > failures) return true;
          CurrentError::Raise(error, description);
          return false;
        },
        [this](const std::string& text, std::uint32_t style) {
          // The real message box, as start-up shows it.
          MessageBoxA(nullptr, text.c_str(), "Sharpwell", MB_OK | style);
        }};
  }

  TempFolder folder_;
  std::string previous_;
  bool ownsTarget_ = false;
  std::vector<bool> errorSetAtLoad_;
  wine_session::MessageBoxAnswerer answerer_;
};

const char kRunAsAdministrator[] =
    "Please right-click “Sharpwell.exe” and click “Run as Administrator” so that the Windows "
    "Common Controls component for VisualBasic (comctl32.ocx) can be installed.";

TEST_F(ComponentRecoveryTest, AWindowThatLoadsAtOnceNeedsNoRecovery) {
  PlaceSpare("register_ok.dll");
  EXPECT_TRUE(LoadMainWindow("Sharpwell", Steps(0)));
  EXPECT_EQ(errorSetAtLoad_, std::vector<bool>{false});
  EXPECT_FALSE(Exists(kTarget));  // nothing was copied
  EXPECT_TRUE(answerer_.Shown().empty());
}

TEST_F(ComponentRecoveryTest, TheSpareCopyIsInstalledRegisteredAndTheWindowLoadedAgain) {
  PlaceSpare("register_ok.dll");
  EXPECT_TRUE(LoadMainWindow("Sharpwell", Steps(1)));
  EXPECT_EQ(errorSetAtLoad_, (std::vector<bool>{false, false}));  // cleared before each load
  EXPECT_TRUE(Exists(kTarget));
  EXPECT_TRUE(answerer_.Shown().empty());
}

TEST_F(ComponentRecoveryTest, AWindowStillMissingAfterRegistrationGivesTheGuiError) {
  PlaceSpare("register_ok.dll");
  EXPECT_FALSE(LoadMainWindow("Sharpwell", Steps(2)));
  ASSERT_EQ(errorSetAtLoad_.size(), 2u);
  std::vector<wine_session::ShownMessage> shown = answerer_.Shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Error showing GUI, Cannot find window class.!");
  EXPECT_TRUE(shown[0].critical);
}

// Any other failure to create the window is no missing component: nothing is copied
// or registered, and the message says what failed.
TEST_F(ComponentRecoveryTest, AnotherFailureGivesTheGuiErrorAndTouchesNoComponent) {
  PlaceSpare("register_ok.dll");
  EXPECT_FALSE(LoadMainWindow("Sharpwell", Steps(1, ERROR_NOT_ENOUGH_MEMORY, "Not enough memory.")));
  EXPECT_EQ(errorSetAtLoad_.size(), 1u);
  EXPECT_FALSE(Exists(kTarget));
  ASSERT_EQ(answerer_.Shown().size(), 1u);
  EXPECT_EQ(answerer_.Shown()[0].text, "Error showing GUI, Not enough memory.!");
  EXPECT_TRUE(answerer_.Shown()[0].critical);
}

TEST_F(ComponentRecoveryTest, AFailedRegistrationAsksForAdministratorRightsAndStops) {
  for (const char* spare : {"register_fails.dll", "register_missing.dll"}) {
    SCOPED_TRACE(spare);
    errorSetAtLoad_.clear();
    PlaceSpare(spare);
    EXPECT_FALSE(LoadMainWindow("Sharpwell", Steps(1)));
    EXPECT_EQ(errorSetAtLoad_.size(), 1u);  // no second load
    EXPECT_TRUE(Exists(kTarget));  // the copy is not undone
  }
  std::vector<wine_session::ShownMessage> shown = answerer_.Shown();
  ASSERT_EQ(shown.size(), 2u);
  for (const auto& message : shown) {
    EXPECT_EQ(message.title, "Sharpwell");
    EXPECT_EQ(message.text, kRunAsAdministrator);
    EXPECT_TRUE(message.exclamation);
  }
}

TEST_F(ComponentRecoveryTest, WithoutASpareCopyTheInstalledComponentIsStillRegistered) {
  // No spare copy in the working folder: a missing component draws the message with
  // the executable's own name, an installed one is registered as it is.
  EXPECT_FALSE(LoadMainWindow("My Tool", Steps(1)));
  ASSERT_EQ(answerer_.Shown().size(), 1u);
  EXPECT_EQ(answerer_.Shown()[0].text.rfind("Please right-click “My Tool.exe” and click", 0), 0u);

  ASSERT_TRUE(CopyFileA(Component("register_ok.dll").c_str(), kTarget, FALSE));
  ownsTarget_ = true;
  errorSetAtLoad_.clear();
  EXPECT_TRUE(LoadMainWindow("My Tool", Steps(1)));
  EXPECT_EQ(errorSetAtLoad_.size(), 2u);
}
}  // namespace
