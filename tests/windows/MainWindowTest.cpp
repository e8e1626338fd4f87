// The real main window under Wine: layout at the screen's DPI, columns, status bar,
// focus order, and the program's name from its version record.
#include "platform/Layout.h"
#include "shell/window/ProductInfo.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {
PixelRect ClientRectOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

using MainWindowTest = wine_session::MainWindowTestBase;
}  // namespace

TEST_F(MainWindowTest, ControlsColumnsAndFocusOrderAsLaidOutAtTheScreensDpi) {
  const double tpp = TwipsPerPixel(ScreenDpi());
  RECT client{};
  GetClientRect(window_->Hwnd(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(kClientArea.width, tpp));
  EXPECT_EQ(client.bottom, TwipsToPixels(kClientArea.height, tpp));
  for (const ControlLayout& control : kControlLayout) {
    if (control.id == ControlId::SBar) continue;  // docked to the bottom edge instead
    SCOPED_TRACE(std::string(control.name));
    EXPECT_EQ(ClientRectOf(Control(control.id)), ToPixels(control.twips, tpp, tpp));
  }
  HWND programs = Control(ControlId::lvwPrograms), compat = Control(ControlId::lvwCompat);
  for (int i = 0; i < static_cast<int>(kProgramsColumns.size()); ++i)
    EXPECT_EQ(ListView_GetColumnWidth(programs, i), TwipsToPixels(kProgramsColumns[i].widthTwips, tpp));
  EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(compat)), 2);
  EXPECT_EQ(wine_session::TextOf(window_->Hwnd()), "Sharpwell");
  EXPECT_FALSE(IsWindowVisible(window_->Hwnd()));  // created hidden

  window_->Show();
  EXPECT_EQ(GetFocus(), programs);
  const HWND order[] = {programs, compat, Control(ControlId::chkMonitor), programs};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(GetNextDlgTabItem(window_->Hwnd(), order[i], FALSE), order[i + 1]);
  window_->Hide();
}

TEST_F(MainWindowTest, ResizingMovesOnlyTheStatusBarAndTheProgressBarOverItsSecondPanel) {
  HWND status = Control(ControlId::SBar);
  const PixelRect programs = ClientRectOf(Control(ControlId::lvwPrograms));
  SetWindowPos(window_->Hwnd(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(ClientRectOf(Control(ControlId::lvwPrograms)), programs);
  const PixelRect bar = ClientRectOf(FindWindowExA(window_->Hwnd(), nullptr, PROGRESS_CLASSA, nullptr));
  const PixelRect statusRect = ClientRectOf(status);
  RECT panel2{};
  SendMessageA(status, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&panel2));
  EXPECT_EQ(bar, (PixelRect{statusRect.left + panel2.left, statusRect.top + 2, panel2.right - panel2.left,
                            statusRect.height - 3}));
}

// In a narrow window panel 1 keeps 1440 twips, in pixels at the window's own DPI.
TEST(MainWindowDpiTest, StatusPanelOneKeepsItsMinimumAtTheWindowsDpi) {
  std::unique_ptr<MainWindow> window = MainWindow::Create(GetModuleHandleA(nullptr), 144);
  ASSERT_NE(window, nullptr);
  SetWindowPos(window->Hwnd(), nullptr, 0, 0, 120, 400, SWP_NOMOVE | SWP_NOZORDER);
  int parts[2] = {};
  SendMessageA(window->Control(ControlId::SBar), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  EXPECT_EQ(parts[0], TwipsToPixels(kStatusPanel1MinTwips, TwipsPerPixel(144)));
}

TEST(ProductInfoTest, TheProgramNamesItselfFromItsVersionRecord) {
  EXPECT_EQ(ReadProductName(wine_session::ProgramBeside("Sharpwell.exe")), "Sharpwell");
  ModulePath own = OwnModulePath();
  EXPECT_EQ(own.baseName, "sharpwell-wintests");
  EXPECT_EQ(modSharpwell::MakeAppExePath(own.folder, own.baseName), own.fullPath);
}
