// The real main window under Wine: its layout at the screen's DPI and its events reaching
// frmSharpwell's handlers, each path once; and program icons drawn by the real system.
#include "common/FixturePath.h"
#include "platform/IconApi.h"
#include "platform/Layout.h"
#include "platform/modSharpwell.h"
#include "shell/window/DragDrop.h"
#include "shell/window/MainWindow.h"
#include "shell/window/Win32Controls.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <tuple>
#include <vector>

namespace {
using namespace wine_session;

const std::string kUnaware = fixtures::FixturePath("x64", "dpi_false.exe");
const std::string kNoManifest = fixtures::FixturePath("x64", "no_manifest.exe");
const std::string kAware = fixtures::FixturePath("x64", "dpi_true_lower.exe");
const std::string kIconic = fixtures::FixturePath("x64", "gui_icon.exe");

void PumpMessages() {
  MSG message;
  for (int round = 0; round < 5; ++round, Sleep(20))
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// A key press as the list sees it, with Ctrl down or up in this thread's key state.
void PressKey(HWND list, int key, bool ctrl) {
  BYTE state[256] = {};
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(state);
  SendMessageA(list, WM_KEYDOWN, key, 1);
}

// A click at a point of a window; the release is queued first, so that the list's own
// tracking of a right press sees it and reports a click.
void ClickAt(HWND window, POINT at, bool right) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageA(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, where);
  SendMessageA(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, where);
  PumpMessages();
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Drops `paths` on `target`, which may link or copy them, and gives the effect it answered.
DWORD Drop(IDropTarget* target, const std::vector<std::string>& paths) {
  ComPtr<IDataObject> data = MakeFileListData(paths);
  DWORD effect = DROPEFFECT_LINK | DROPEFFECT_COPY;
  target->Drop(data.Get(), 0, POINTL{10, 10}, &effect);
  return effect;
}

std::string CellText(HWND list, int row, int column) {
  char text[1040] = {};
  ListView_GetItemText(list, row, column, text, sizeof text);
  return text;
}

// The program's real main window, created hidden for one test; ending the process is
// recorded instead, and the registry lists are put back as they were afterwards.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modSharpwell::AppProductName = "Sharpwell";
    modSharpwell::AppExePath = "C:\\Program Files\\Sharpwell\\Sharpwell.exe";
    window_ = MainWindow::Create(GetModuleHandleA(nullptr));
    ASSERT_NE(window_, nullptr);
    window_->SetEndProcessHook([this] { ended_ = true; });
  }
  HWND Control(ControlId id) const { return window_->Control(id); }
  HWND Programs() const { return Control(ControlId::lvwPrograms); }
  HWND Compat() const { return Control(ControlId::lvwCompat); }
  void Command(PopupMenu menu, int position) {
    SendMessageA(window_->Hwnd(), WM_COMMAND, GetMenuItemID(window_->Menu(menu), position), 0);
  }
  void TrayCallback(UINT mouseEvent) { SendMessageA(Control(ControlId::pcbIcon16), 0x200, 0, mouseEvent); }

  SeededRegistry registry_;
  std::unique_ptr<MainWindow> window_;  // destroyed before the registry is put back
  bool ended_ = false;
};
}  // namespace

TEST_F(MainWindowTest, ControlsColumnsFocusOrderAndStatusBarAsLaidOutAtTheScreensDpi) {
  const double tpp = TwipsPerPixel(ScreenDpi());
  RECT client{};
  GetClientRect(window_->Hwnd(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(kClientArea.width, tpp));
  EXPECT_EQ(client.bottom, TwipsToPixels(kClientArea.height, tpp));
  for (const ControlLayout& control : kControlLayout) {
    if (control.id == ControlId::SBar) continue;  // docked to the bottom edge instead
    SCOPED_TRACE(std::string(control.name));
    EXPECT_EQ(PlacementInParent(Control(control.id)), ToPixels(control.twips, tpp, tpp));
  }
  for (int i = 0; i < static_cast<int>(kProgramsColumns.size()); ++i)
    EXPECT_EQ(ListView_GetColumnWidth(Programs(), i), TwipsToPixels(kProgramsColumns[i].widthTwips, tpp));
  EXPECT_EQ(TextOf(window_->Hwnd()), "Sharpwell");

  window_->Show();
  EXPECT_EQ(GetFocus(), Programs());
  const HWND order[] = {Programs(), Compat(), Control(ControlId::chkMonitor), Programs()};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(GetNextDlgTabItem(window_->Hwnd(), order[i], FALSE), order[i + 1]);

  // Resizing docks the status bar to the new bottom edge, the progress bar over its second panel.
  SetWindowPos(window_->Hwnd(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
  const PixelRect bar = PlacementInParent(FindWindowExA(window_->Hwnd(), nullptr, PROGRESS_CLASSA, nullptr));
  const PixelRect statusRect = PlacementInParent(Control(ControlId::SBar));
  GetClientRect(window_->Hwnd(), &client);
  EXPECT_EQ(statusRect.top + statusRect.height, client.bottom);
  RECT panel2{};
  SendMessageA(Control(ControlId::SBar), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&panel2));
  EXPECT_EQ(bar, (PixelRect{statusRect.left + panel2.left, statusRect.top + 2, panel2.right - panel2.left,
                            statusRect.height - 3}));
}

TEST_F(MainWindowTest, DropsKeysClicksAndMenuCommandsReachTheirLists) {
  window_->Show();
  Drop(window_->DropTarget(ControlId::lvwPrograms),
       {kNoManifest, kAware, fixtures::FixturePath("x86", "dpi_false.exe")});
  PressKey(Programs(), 'A', true);
  EXPECT_EQ(SendMessageA(Programs(), LVM_GETSELECTEDCOUNT, 0, 0), 3);  // each dropped file listed
  HWND header = reinterpret_cast<HWND>(SendMessageA(Programs(), LVM_GETHEADER, 0, 0));
  RECT name{};
  SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&name));
  ClickAt(header, Centre(name), false);
  EXPECT_EQ(CellText(Programs(), 0, 0), "dpi_false.exe");  // sorted by name
  MenuCloser closer;
  EXPECT_EQ(Drop(window_->DropTarget(ControlId::lvwCompat), {kUnaware, kNoManifest}),
            static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(LayersValue(kNoManifest), "HIGHDPIAWARE");
  RECT row{LVIR_LABEL, 0, 0, 0};
  SendMessageA(Compat(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  ClickAt(Compat(), Centre(row), true);
  EXPECT_EQ(closer.Only(), window_->Menu(PopupMenu::Compat));

  PressKey(Compat(), VK_DELETE, false);  // deletes the row the right click selected
  ASSERT_EQ(ListView_GetItemCount(Compat()), 1);
  EXPECT_EQ(LowerCase(CellText(Compat(), 0, 0)), "dpi_false.exe");

  ListView_SetItemState(Compat(), 0, LVIS_SELECTED, LVIS_SELECTED);
  Command(PopupMenu::Compat, 1);  // "&Run as Administrator"
  EXPECT_EQ(LayersValue(kUnaware), "HIGHDPIAWARE RUNASADMIN");
  CheckMenuItem(window_->Menu(PopupMenu::Compat), 0, MF_BYPOSITION | MF_CHECKED);  // as the row shows it
  Command(PopupMenu::Compat, 0);  // "&High DPI aware"
  EXPECT_EQ(LayersValue(kUnaware), " RUNASADMIN");  // the word goes, the blank before the next stays
  Command(PopupMenu::Compat, 4);  // "&Delete (reset to default)"
  EXPECT_EQ(ListView_GetItemCount(Compat()), 0);
}

TEST_F(MainWindowTest, TrayIconReleasesShowTheWindowOrTheMenuAndTrayExitTakesTheIconDown) {
  MenuCloser closer;
  TrayCallback(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(window_->Hwnd()));
  EXPECT_EQ(GetMenuDefaultItem(window_->Menu(PopupMenu::Tray), TRUE, 0), 0u);  // "&Show" in bold
  // Under Wine a focus change that arrives late may close the menu before it is seen;
  // a release that does not reach the menu's handler never shows one.
  for (int attempt = 0; attempt < 3 && !closer.Only(); ++attempt, PumpMessages())
    TrayCallback(WM_RBUTTONUP);
  EXPECT_EQ(closer.Only(), window_->Menu(PopupMenu::Tray));
  EXPECT_FALSE(ended_);

  EXPECT_EQ(platform::tray::RecordSize(), sizeof(void*) == 8 ? 504u : 488u);  // up to the balloon fields
  SendMessageA(Control(ControlId::chkMonitor), BM_CLICK, 0, 0);
  const auto owner = reinterpret_cast<std::uintptr_t>(Control(ControlId::pcbIcon16));
  EXPECT_TRUE(TrayIconIsUp(owner));
  Command(PopupMenu::Tray, 2);  // "&Exit"
  EXPECT_TRUE(ended_);
  EXPECT_FALSE(TrayIconIsUp(owner));
  SendMessageA(Control(ControlId::chkMonitor), BM_CLICK, 0, 0);  // takes the Run value away again
}

TEST_F(MainWindowTest, ClosingHidesOnlyFromTheTitleBarWhileMonitoring) {
  const std::tuple<UINT, WPARAM, bool> cases[] = {
      {WM_SYSCOMMAND, SC_CLOSE, false}, {WM_CLOSE, 0, true}, {WM_ENDSESSION, TRUE, true}};
  for (const auto& [message, wParam, ends] : cases) {
    SCOPED_TRACE(message);
    ended_ = false;
    window_->Show();
    SendMessageA(Control(ControlId::chkMonitor), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(window_->Hwnd(), message, wParam, 0);
    EXPECT_EQ(ended_, ends);
    EXPECT_EQ(IsWindowVisible(window_->Hwnd()) != FALSE, ends);  // hidden, or left to end
  }
}

TEST(IconApiTest, AProgramsIconIsDrawnOpaqueInItsOwnColoursAtTheAskedSize) {
  EXPECT_FALSE(platform::ExtractSmallIcon(kIconic, 1));
  // The fixture's icon: a dark grey frame around blue (BGRA D0 80 30 FF).
  platform::Icon icon = platform::ExtractSmallIcon(kIconic, 0);
  ASSERT_TRUE(icon);
  Picture picture = platform::RenderIcon(icon, 24, 24);
  ASSERT_EQ(picture.pixels.size(), 24u * 24u);
  // The icon has no alpha channel: its mask makes the drawn pixels opaque, so an image
  // list with alpha shows them instead of nothing.
  EXPECT_EQ(picture.pixels[12 * 24 + 12], 0xFF3080D0u);
  EXPECT_EQ(picture.pixels[0] & 0x00FFFFFFu, 0x202020u);
}
