// The real window's events reach frmSharpwell's handlers under Wine, each path once:
// list keys and clicks, menu commands, drops, the tray callback, the monitor box and the
// ways of closing.
#include "common/FixturePath.h"
#include "windows/WineSession.h"

#include "shell/window/DragDrop.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {
using namespace wine_session;

const std::string kUnaware = fixtures::FixturePath("x64", "dpi_false.exe");
const std::string kNoManifest = fixtures::FixturePath("x64", "no_manifest.exe");
const std::string kAware = fixtures::FixturePath("x64", "dpi_true_lower.exe");

void PumpMessages() {
  MSG message;
  for (int round = 0; round < 5; ++round, Sleep(20))
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// A key press as the list sees it, with Ctrl down in this thread's key state.
void PressKey(HWND list, int key, bool ctrl) {
  BYTE state[256] = {};
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(state);
  SendMessageA(list, WM_KEYDOWN, key, 1);
  state[VK_CONTROL] = 0;
  SetKeyboardState(state);
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

// Drops `paths` on `target` and gives the effect it answered.
DWORD Drop(IDropTarget* target, const std::vector<std::string>& paths) {
  ComPtr<IDataObject> data = MakeFileListData(paths);
  DWORD effect = DROPEFFECT_LINK | DROPEFFECT_COPY;
  POINTL at{10, 10};
  target->DragEnter(data.Get(), MK_LBUTTON, at, &effect);
  target->Drop(data.Get(), 0, at, &effect);
  return effect;
}

class WindowWiringTest : public wine_session::MainWindowTestBase {
 protected:
  HWND Programs() const { return Control(ControlId::lvwPrograms); }
  HWND Compat() const { return Control(ControlId::lvwCompat); }
  void Command(PopupMenu menu, int position) {
    SendMessageA(window_->Hwnd(), WM_COMMAND, GetMenuItemID(window_->Menu(menu), position), 0);
  }
  void TrayCallback(UINT mouseEvent) { SendMessageA(Control(ControlId::pcbIcon16), 0x200, 0, mouseEvent); }
};
}  // namespace

TEST_F(WindowWiringTest, ListKeysClicksAndHeaderClicksReachTheirLists) {
  window_->Show();
  for (const std::string& path : {kNoManifest, kAware, fixtures::FixturePath("x86", "dpi_false.exe")})
    Form().Catalogue.AddProgram(path);
  PressKey(Programs(), 'A', true);
  EXPECT_EQ(SendMessageA(Programs(), LVM_GETSELECTEDCOUNT, 0, 0), 3);
  HWND header = reinterpret_cast<HWND>(SendMessageA(Programs(), LVM_GETHEADER, 0, 0));
  RECT name{};
  SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&name));
  ClickAt(header, Centre(name), false);
  EXPECT_EQ(CellText(Programs(), 0, 0), "dpi_false.exe");  // sorted by name
  ModalCloser closer;
  ASSERT_EQ(Form().Catalogue.AddProgram(kUnaware, true), AddedToCompatList);
  ASSERT_EQ(Form().Catalogue.AddProgram(kNoManifest, true), AddedToCompatList);
  RECT row{LVIR_LABEL, 0, 0, 0};
  SendMessageA(Compat(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  ClickAt(Compat(), Centre(row), true);
  ASSERT_EQ(closer.Seen().size(), 1u);
  EXPECT_EQ(closer.Seen()[0].menu, window_->Menu(PopupMenu::Compat));
  ClickAt(Programs(), POINT{20, 40}, true);  // the catalogue has no menu
  EXPECT_EQ(closer.Seen().size(), 1u);

  PressKey(Compat(), VK_DELETE, false);  // deletes the row the right click selected
  ASSERT_EQ(RowCount(Compat()), 1);
  EXPECT_EQ(LowerCase(CellText(Compat(), 0, 0)), "dpi_false.exe");
  EXPECT_EQ(LayersValue(kNoManifest), "");
}

TEST_F(WindowWiringTest, CompatibilityMenuCommandsReachTheirHandlers) {
  Form().Catalogue.AddProgram(kUnaware, true);
  ListView_SetItemState(Compat(), 0, LVIS_SELECTED, LVIS_SELECTED);
  Command(PopupMenu::Compat, 1);  // "&Run as Administrator"
  EXPECT_EQ(LayersValue(kUnaware), "HIGHDPIAWARE RUNASADMIN");
  CheckMenuItem(window_->Menu(PopupMenu::Compat), 0, MF_BYPOSITION | MF_CHECKED);  // as the row shows it
  Command(PopupMenu::Compat, 0);  // "&High DPI aware"
  EXPECT_EQ(LayersValue(kUnaware), " RUNASADMIN");  // the word goes, the blank before the next stays
  Command(PopupMenu::Compat, 4);  // "&Delete (reset to default)"
  EXPECT_EQ(RowCount(Compat()), 0);
  EXPECT_EQ(LayersValue(kUnaware), "");
}

TEST_F(WindowWiringTest, FilesDroppedOnEitherListReachItsHandler) {
  ModalCloser closer;
  const std::string folder = fixtures::FixturePath("x64");
  EXPECT_EQ(Drop(window_->DropTarget(ControlId::lvwCompat), {folder, kUnaware}),
            static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(closer.Seen().size(), 1u);  // the folder is refused
  EXPECT_EQ(LayersValue(kUnaware), "HIGHDPIAWARE");

  Drop(window_->DropTarget(ControlId::lvwPrograms), {UpperCase(kAware)});
  EXPECT_EQ(RowCount(Programs()), 2);
  ASSERT_EQ(SendMessageA(Programs(), LVM_GETSELECTEDCOUNT, 0, 0), 1);  // the dropped program
  const int selected = static_cast<int>(SendMessageA(Programs(), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  EXPECT_EQ(CellText(Programs(), selected, 3), LowerCase(kAware));
}

TEST_F(WindowWiringTest, TrayIconReleasesShowTheWindowOrTheMenuAndTrayExitTakesTheIconDown) {
  ModalCloser closer;
  TrayCallback(WM_RBUTTONDOWN);
  TrayCallback(WM_LBUTTONDOWN);
  EXPECT_FALSE(IsWindowVisible(window_->Hwnd()));
  TrayCallback(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(window_->Hwnd()));
  EXPECT_TRUE(closer.Seen().empty());
  EXPECT_EQ(GetMenuDefaultItem(window_->Menu(PopupMenu::Tray), TRUE, 0), 0u);  // "&Show" in bold
  // Under Wine a focus change that arrives late may close the menu before it is seen;
  // a release that does not reach the menu's handler never shows one.
  for (int attempt = 0; attempt < 3 && closer.Seen().empty(); ++attempt, PumpMessages())
    TrayCallback(WM_RBUTTONUP);
  ASSERT_EQ(closer.Seen().size(), 1u);
  EXPECT_EQ(closer.Seen()[0].menu, window_->Menu(PopupMenu::Tray));
  EXPECT_FALSE(ended_);

  // The 8-bit record with the balloon fields and no later ones, whatever the SDK adds.
  EXPECT_EQ(platform::tray::RecordSize(), sizeof(void*) == 8 ? 504u : 488u);
  SendMessageA(Control(ControlId::chkMonitor), BM_CLICK, 0, 0);
  const auto owner = reinterpret_cast<std::uintptr_t>(Control(ControlId::pcbIcon16));
  EXPECT_TRUE(TrayIconIsUp(owner));
  Command(PopupMenu::Tray, 2);  // "&Exit"
  EXPECT_TRUE(ended_);
  EXPECT_FALSE(TrayIconIsUp(owner));
  SendMessageA(Control(ControlId::chkMonitor), BM_CLICK, 0, 0);  // takes the Run value away again
}

// While monitoring only a close from the title bar or the system menu hides the window;
// a close from another program or the end of the session ends it.
TEST_F(WindowWiringTest, ClosingHidesOnlyFromTheTitleBarWhileMonitoring) {
  const struct {
    UINT message;
    WPARAM wParam;
    bool ends;
  } cases[] = {{WM_SYSCOMMAND, SC_CLOSE, false}, {WM_CLOSE, 0, true}, {WM_ENDSESSION, TRUE, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ended_ = false;
    window_->Show();
    SendMessageA(Control(ControlId::chkMonitor), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(window_->Hwnd(), c.message, c.wParam, 0);
    EXPECT_EQ(ended_, c.ends);
    EXPECT_EQ(IsWindowVisible(window_->Hwnd()) != FALSE, c.ends);  // hidden, or left to end
  }
}
