// The notification-area icon against Wine's own notification area: what the system
// answers to modify, add and delete around AddTrayIcon, ShowTrayBalloon and
// RemoveTrayIcon, and the icon's mouse callback reaching the real main window.
#include "monitor/modTrayIcon.h"
#include "platform/CurrentError.h"
#include "platform/TrayApi.h"
#include "platform/modSharpwell.h"
#include "shell/window/MainWindow.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
using namespace platform::tray;

// A window of the test's own to own the icon.
class OwnerWindow {
 public:
  OwnerWindow()
      : hwnd_(CreateWindowExA(0, "STATIC", "tray owner", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}
  ~OwnerWindow() { DestroyWindow(hwnd_); }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  std::uintptr_t Handle() const { return reinterpret_cast<std::uintptr_t>(hwnd_); }

 private:
  HWND hwnd_;
};

// Asks the notification area directly about the icon (`owner`, id 0): modify and
// delete succeed only for an icon that is there, add only for one that is not.
bool Notify(std::uint32_t message, std::uintptr_t owner) {
  platform::TrayIconData record;
  record.cbSize = RecordSize();
  record.hWnd = owner;
  return platform::Shell_NotifyIconA(message, record);
}
bool IconIsUp(std::uintptr_t owner) { return Notify(kModifyIcon, owner); }

std::uintptr_t ApplicationIcon() {
  return reinterpret_cast<std::uintptr_t>(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
}
}  // namespace

// The 8-bit record with the balloon fields and no later ones, whatever the SDK adds.
TEST(TrayIconTest, RecordIsThe8BitFormWithTheBalloonFields) {
  EXPECT_EQ(RecordSize(), sizeof(void*) == 8 ? 504u : 488u);
}

TEST(TrayIconTest, AddingTwiceLeavesOneIconAndRemovingTakesItAway) {
  OwnerWindow owner;
  ASSERT_FALSE(IconIsUp(owner.Handle()));  // modify fails before any add

  modTrayIcon::AddTrayIcon(owner.Handle(), ApplicationIcon(), "Sharpwell");
  EXPECT_TRUE(IconIsUp(owner.Handle()));
  modTrayIcon::AddTrayIcon(owner.Handle(), ApplicationIcon(), "Sharpwell");  // a modify
  EXPECT_FALSE(Notify(kAddIcon, owner.Handle()));  // the icon is there already

  modTrayIcon::ShowTrayBalloon("Sharpwell", "\xE2\x80\x9Ctool.exe\xE2\x80\x9D has been added",
                               5, kUserIcon, true, true);
  EXPECT_EQ(modTrayIcon::TrayIconData().hWnd, owner.Handle());  // the balloon went to it
  EXPECT_TRUE(IconIsUp(owner.Handle()));

  modTrayIcon::RemoveTrayIcon(owner.Handle());
  EXPECT_FALSE(IconIsUp(owner.Handle()));
  EXPECT_FALSE(Notify(kDeleteIcon, owner.Handle()));  // exactly one icon was there
}

TEST(TrayIconTest, ABalloonWithoutAnIconIsNotShownAndAddsNone) {
  OwnerWindow owner;
  modTrayIcon::RemoveTrayIcon(owner.Handle());  // names this owner, has nothing to delete
  modTrayIcon::ShowTrayBalloon("Sharpwell", "text", 5, kUserIcon, false, false);
  EXPECT_FALSE(IconIsUp(owner.Handle()));
}

// The icon's mouse events as the notification area delivers them: the callback
// message 0x200 to pcbIcon16, the event in the low word of lParam.
class TrayCallbackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modSharpwell::AppProductName = "Sharpwell";
    CurrentError::Clear();
    window_ = MainWindow::Create(GetModuleHandleA(nullptr));
    ASSERT_NE(window_, nullptr) << CurrentError::Description();
    window_->SetEndProcessHook([this] { ended_ = true; });
    icon_ = window_->Control(ControlId::pcbIcon16);
  }
  void Callback(UINT mouseEvent) { SendMessageA(icon_, 0x200, 0, mouseEvent); }

  std::unique_ptr<MainWindow> window_;
  HWND icon_ = nullptr;
  bool ended_ = false;
};

TEST_F(TrayCallbackTest, RightButtonReleaseOpensTheTrayMenuWithShowAsDefault) {
  wine_session::PopupMenuCloser closer;
  Callback(WM_RBUTTONDOWN);
  Callback(WM_MOUSEMOVE);
  EXPECT_TRUE(closer.Shown().empty());
  Callback(WM_RBUTTONUP);
  ASSERT_EQ(closer.Shown().size(), 1u);
  HMENU menu = closer.Shown()[0];
  EXPECT_EQ(menu, window_->Menu(PopupMenu::Tray));
  char text[32] = {};
  GetMenuStringA(menu, GetMenuDefaultItem(menu, TRUE, 0), text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Show");
  EXPECT_FALSE(ended_);
}

TEST_F(TrayCallbackTest, LeftButtonReleaseShowsTheWindowAndPressingDoesNot) {
  for (UINT other : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MBUTTONUP}) Callback(other);
  EXPECT_FALSE(IsWindowVisible(window_->Hwnd()));
  Callback(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(window_->Hwnd()));
  ShowWindow(window_->Hwnd(), SW_MINIMIZE);
  Callback(WM_LBUTTONUP);
  EXPECT_FALSE(IsIconic(window_->Hwnd()));  // restored
}

TEST_F(TrayCallbackTest, ExitFromTheTrayMenuEndsEvenWhileMonitoring) {
  window_->Show();
  SendMessageA(window_->Control(ControlId::chkMonitor), BM_CLICK, 0, 0);
  ASSERT_EQ(SendMessageA(window_->Control(ControlId::chkMonitor), BM_GETCHECK, 0, 0), BST_CHECKED);
  const auto owner = reinterpret_cast<std::uintptr_t>(icon_);
  EXPECT_TRUE(IconIsUp(owner));  // checking the box while visible puts the icon up
  HMENU tray = window_->Menu(PopupMenu::Tray);
  SendMessageA(window_->Hwnd(), WM_COMMAND, GetMenuItemID(tray, 2), 0);  // "&Exit"
  EXPECT_TRUE(ended_);
  EXPECT_FALSE(IconIsUp(owner));
  // Leave the start-with-Windows value as it was before the test checked the box.
  window_->SetEndProcessHook([] {});
  SendMessageA(window_->Control(ControlId::chkMonitor), BM_CLICK, 0, 0);
}
