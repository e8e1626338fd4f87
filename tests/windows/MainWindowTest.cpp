// The real main window under Wine: layout at the screen's DPI, columns, status bar,
// pop-up menus, and what closing does with monitoring off and on.
#include "platform/CurrentError.h"
#include "platform/Layout.h"
#include "platform/modSharpwell.h"
#include "shell/window/MainWindow.h"
#include "shell/window/ProductInfo.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {
PixelRect ClientRectOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string MenuText(HMENU menu, UINT position) {
  char text[128] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

std::string HeaderText(HWND list, int column) {
  char text[64] = {};
  LVCOLUMNA info{};
  info.mask = LVCF_TEXT;
  info.pszText = text;
  info.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
  return text;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modSharpwell::AppProductName = "Sharpwell";
    modSharpwell::AppExePath = "C:\\Program Files\\Sharpwell\\Sharpwell.exe";
    CurrentError::Clear();
    window_ = MainWindow::Create(GetModuleHandleA(nullptr));
    ASSERT_NE(window_, nullptr) << CurrentError::Number() << " " << CurrentError::Description();
    window_->SetEndProcessHook([this] { ended_ = true; });
  }
  std::unique_ptr<MainWindow> window_;
  bool ended_ = false;
};
}  // namespace

TEST_F(MainWindowTest, ControlsSitWhereTheLayoutTableSaysAtTheScreensDpi) {
  const double tpp = TwipsPerPixel(ScreenDpi());
  RECT client{};
  GetClientRect(window_->Hwnd(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(kClientArea.width, tpp));
  EXPECT_EQ(client.bottom, TwipsToPixels(kClientArea.height, tpp));
  for (const ControlLayout& control : kControlLayout) {
    if (control.id == ControlId::SBar) continue;  // docked to the bottom edge instead
    SCOPED_TRACE(std::string(control.name));
    EXPECT_EQ(ClientRectOf(window_->Control(control.id)), ToPixels(control.twips, tpp, tpp));
  }
  char caption[64] = {};
  GetWindowTextA(window_->Hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Sharpwell");
  EXPECT_FALSE(IsWindowVisible(window_->Hwnd()));  // created hidden
}

TEST_F(MainWindowTest, ListColumnsHaveTheirHeadersAndWidths) {
  const double tpp = TwipsPerPixel(ScreenDpi());
  HWND programs = window_->Control(ControlId::lvwPrograms);
  for (int i = 0; i < static_cast<int>(kProgramsColumns.size()); ++i) {
    EXPECT_EQ(HeaderText(programs, i), kProgramsColumns[i].header);
    EXPECT_EQ(SendMessageA(programs, LVM_GETCOLUMNWIDTH, i, 0),
              TwipsToPixels(kProgramsColumns[i].widthTwips, tpp));
  }
  HWND compat = window_->Control(ControlId::lvwCompat);
  EXPECT_EQ(HeaderText(compat, 0), "Name");
  EXPECT_EQ(HeaderText(compat, 1), "Flags");
}

TEST_F(MainWindowTest, StatusBarHasTwoPanelsAndTheProgressBarSitsOverTheSecond) {
  const double tpp = TwipsPerPixel(ScreenDpi());
  HWND status = window_->Control(ControlId::SBar);
  int parts[4] = {};
  ASSERT_EQ(SendMessageA(status, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(parts)), 2);
  RECT client{};
  GetClientRect(status, &client);
  EXPECT_EQ(client.right - parts[0], TwipsToPixels(kStatusPanel2Twips, tpp));
  char text[64] = {};
  SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Loading...");
  // Resizing moves only the progress bar.
  HWND programs = window_->Control(ControlId::lvwPrograms);
  PixelRect before = ClientRectOf(programs);
  SetWindowPos(window_->Hwnd(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(ClientRectOf(programs), before);
  PixelRect statusRect = ClientRectOf(status);
  RECT panel2{};
  SendMessageA(status, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&panel2));
  HWND bar = FindWindowExA(window_->Hwnd(), nullptr, PROGRESS_CLASSA, nullptr);
  ASSERT_NE(bar, nullptr);
  PixelRect barRect = ClientRectOf(bar);
  EXPECT_EQ(barRect.left, statusRect.left + panel2.left);
  EXPECT_EQ(barRect.width, panel2.right - panel2.left);
  EXPECT_EQ(barRect.top, statusRect.top + 2);
  EXPECT_EQ(barRect.height, statusRect.height - 3);
}

// In a narrow window panel 1 keeps 1440 twips, in pixels at the window's DPI.
TEST(MainWindowDpiTest, StatusPanelOneKeepsItsMinimumAtEveryDpi) {
  for (int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    std::unique_ptr<MainWindow> window = MainWindow::Create(GetModuleHandleA(nullptr), dpi);
    ASSERT_NE(window, nullptr);
    SetWindowPos(window->Hwnd(), nullptr, 0, 0, 120, 400, SWP_NOMOVE | SWP_NOZORDER);
    int parts[2] = {};
    SendMessageA(window->Control(ControlId::SBar), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    EXPECT_EQ(parts[0], TwipsToPixels(kStatusPanel1MinTwips, TwipsPerPixel(dpi)));
  }
}

TEST_F(MainWindowTest, PopUpMenusHoldTheirItems) {
  HMENU compat = window_->Menu(PopupMenu::Compat);
  ASSERT_EQ(GetMenuItemCount(compat), 5);
  EXPECT_EQ(MenuText(compat, 0), "&High DPI aware");
  EXPECT_EQ(MenuText(compat, 1), "&Run as Administrator");
  EXPECT_EQ(GetMenuState(compat, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(MenuText(compat, 3), "&Edit");
  EXPECT_EQ(MenuText(compat, 4), "&Delete (reset to default)");
  HMENU tray = window_->Menu(PopupMenu::Tray);
  ASSERT_EQ(GetMenuItemCount(tray), 3);
  EXPECT_EQ(MenuText(tray, 0), "&Show");
  EXPECT_EQ(MenuText(tray, 2), "&Exit");
  EXPECT_EQ(GetMenuDefaultItem(tray, TRUE, 0), 0u);  // "&Show" is the default item
}

// Only a close from the title bar or the system menu hides the window while
// monitoring; a close from elsewhere (taskkill, Task Manager, an installer) or the end
// of the session ends the process.
TEST_F(MainWindowTest, ClosingHidesOnlyFromTheTitleBarWhileMonitoring) {
  const struct {
    UINT message;
    WPARAM wParam;
    bool monitoring, ends;
  } cases[] = {
      {WM_SYSCOMMAND, SC_CLOSE, true, false}, {WM_SYSCOMMAND, SC_CLOSE, false, true},
      {WM_CLOSE, 0, true, true},              {WM_ENDSESSION, TRUE, true, true},
  };
  HWND check = window_->Control(ControlId::chkMonitor);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.message << " monitoring " << c.monitoring);
    ended_ = false;
    window_->Show();
    SendMessageA(check, BM_SETCHECK, c.monitoring ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(window_->Hwnd(), c.message, c.wParam, 0);
    EXPECT_EQ(ended_, c.ends);
    EXPECT_EQ(IsWindowVisible(window_->Hwnd()) != FALSE, c.ends);  // hidden, or left to end
  }
}

TEST_F(MainWindowTest, FocusOpensOnTheCatalogueAndTabsThroughTheListsAndTheCheckBox) {
  window_->Show();
  HWND programs = window_->Control(ControlId::lvwPrograms);
  HWND compat = window_->Control(ControlId::lvwCompat);
  HWND check = window_->Control(ControlId::chkMonitor);
  EXPECT_EQ(GetFocus(), programs);
  EXPECT_EQ(GetNextDlgTabItem(window_->Hwnd(), programs, FALSE), compat);
  EXPECT_EQ(GetNextDlgTabItem(window_->Hwnd(), compat, FALSE), check);
  EXPECT_EQ(GetNextDlgTabItem(window_->Hwnd(), check, FALSE), programs);
  window_->Hide();
}

TEST(ProductInfoTest, TheProgramNamesItselfFromItsVersionRecord) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string program = self;
  program = program.substr(0, program.rfind('\\') + 1) + "Sharpwell.exe";
  EXPECT_EQ(ReadProductName(program), "Sharpwell");
  ModulePath own = OwnModulePath();
  EXPECT_EQ(own.baseName, "sharpwell-wintests");
  EXPECT_EQ(modSharpwell::MakeAppExePath(own.folder, own.baseName), own.fullPath);
  EXPECT_EQ(modSharpwell::MakeAppExePath("C:\\", "Tool"), "C:\\Tool.exe");
}
