// The two lists' events over the real window under Wine: keys and mouse buttons sent
// as window messages to the real list views (their LVN_ and NM_ notifications come from
// the controls themselves), sorting by a header click, and file lists handed to the
// registered drop targets as real data objects, with the message boxes answered.
#include "common/FixturePath.h"
#include "compat/LayersKey.h"
#include "compat/modRegistry.h"
#include "platform/CurrentError.h"
#include "shell/frmSharpwell.h"
#include "platform/modSharpwell.h"
#include "shell/window/DragDrop.h"
#include "shell/window/MainWindow.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {
using wine_session::ShownMessage;

std::string Fixture(const char* arch, const char* name) { return fixtures::FixturePath(arch, name); }
const std::string kUnaware64 = Fixture("x64", "dpi_false.exe");
const std::string kUnaware86 = Fixture("x86", "dpi_false.exe");
const std::string kNoManifest64 = Fixture("x64", "no_manifest.exe");
const std::string kAware64 = Fixture("x64", "dpi_true_lower.exe");
const std::string kAware86 = Fixture("x86", "dpi_true_lower.exe");

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}
std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string CellText(HWND list, int row, int column) {
  char text[512] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<std::string> ColumnTexts(HWND list, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < RowCount(list); ++row) texts.push_back(CellText(list, row, column));
  return texts;
}

bool RowSelected(HWND list, int row) {
  return SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
}

// row -1: every row.
void SetRowSelected(HWND list, int row, bool selected) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  for (int row = 0; row < RowCount(list); ++row)
    if (RowSelected(list, row)) rows.push_back(row);
  return rows;
}

// The row of the programs list whose "Path" cell names `path`, or -1.
int RowWithPath(HWND programs, const std::string& path) {
  for (int row = 0; row < RowCount(programs); ++row)
    if (Lower(CellText(programs, row, 3)) == Lower(path)) return row;
  return -1;
}

// A key press as the list sees it, with Ctrl and Shift down in this thread's key state.
void PressKey(HWND list, int key, bool ctrl, bool shift) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  SendMessageA(list, WM_KEYDOWN, key, 1);
  state[VK_CONTROL] = state[VK_SHIFT] = 0;
  SetKeyboardState(state);
}

void PumpMessages() {
  MSG message;
  for (int round = 0; round < 5; ++round) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(20);
  }
}

// A right click at a point of the list: the button's release is queued first, so that
// the list's own tracking of the press sees it and reports a click.
void RightClickAt(HWND list, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageA(list, WM_RBUTTONUP, 0, where);
  SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, where);
  PumpMessages();
}

POINT RowCentre(HWND list, int row) {
  RECT r{};
  r.left = LVIR_LABEL;
  SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickHeader(HWND list, int column) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
  const LPARAM where = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessageA(header, WM_LBUTTONUP, 0, where);
  PumpMessages();
}

// Drags `data` over `target` and drops it there, with `allowed` effects; returns the
// effects the target answered at entry and at the drop.
std::pair<DWORD, DWORD> DropOn(IDropTarget* target, IDataObject* data, DWORD allowed) {
  POINTL at{10, 10};
  DWORD entered = allowed;
  target->DragEnter(data, MK_LBUTTON, at, &entered);
  DWORD dropped = allowed;
  target->Drop(data, 0, at, &dropped);
  return {entered, dropped};
}

class ListInteractionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modSharpwell::AppProductName = "Sharpwell";
    modSharpwell::AppExePath = "C:\\Program Files\\Sharpwell\\Sharpwell.exe";
    for (const std::string& path : {kUnaware64, kUnaware86, kNoManifest64})
      DeleteRegValue(RegistryPath::Layers, Upper(path));
    CurrentError::Clear();
    window_ = MainWindow::Create(GetModuleHandleA(nullptr));
    ASSERT_NE(window_, nullptr) << CurrentError::Description();
    window_->SetEndProcessHook([] {});
    window_->Form().Catalogue.GetIcon(kDefaultIconKey);
    window_->Show();
    programs_ = window_->Control(ControlId::lvwPrograms);
    compat_ = window_->Control(ControlId::lvwCompat);
  }
  void TearDown() override {
    window_.reset();
    for (const std::string& path : {kUnaware64, kUnaware86, kNoManifest64})
      DeleteRegValue(RegistryPath::Layers, Upper(path));
  }

  frmSharpwell& Form() { return window_->Form(); }
  std::string LayersValue(const std::string& path) {
    return GetRegValue(RegistryPath::Layers, Upper(path)).ToText();
  }

  std::unique_ptr<MainWindow> window_;
  HWND programs_ = nullptr;
  HWND compat_ = nullptr;
};
}  // namespace

TEST_F(ListInteractionTest, CtrlASelectsAllAndDeleteEmptiesOnlyTheCompatibilityList) {
  for (const std::string& path : {kUnaware64, kNoManifest64, kAware64}) Form().Catalogue.AddProgram(path);
  ASSERT_EQ(RowCount(programs_), 3);
  PressKey(programs_, 'A', true, true);  // Ctrl+Shift+A
  EXPECT_TRUE(SelectedRows(programs_).empty());
  PressKey(programs_, 'A', true, false);
  EXPECT_EQ(SelectedRows(programs_).size(), 3u);
  PressKey(programs_, VK_DELETE, false, false);
  EXPECT_EQ(RowCount(programs_), 3);

  for (const std::string& path : {kUnaware64, kNoManifest64, kUnaware86})
    ASSERT_EQ(Form().Catalogue.AddProgram(path, true), AddedToCompatList);
  PressKey(compat_, 'A', true, false);
  EXPECT_EQ(SelectedRows(compat_), (std::vector<int>{0, 1, 2}));
  SetRowSelected(compat_, -1, false);
  SetRowSelected(compat_, 0, true);
  SetRowSelected(compat_, 2, true);
  PressKey(compat_, VK_DELETE, true, true);  // with Ctrl and Shift held all the same
  ASSERT_EQ(RowCount(compat_), 1);
  EXPECT_EQ(Lower(CellText(compat_, 0, 0)), "no_manifest.exe");
  EXPECT_EQ(LayersValue(kUnaware64), "");
  EXPECT_EQ(LayersValue(kUnaware86), "");
  EXPECT_EQ(LayersValue(kNoManifest64), "HIGHDPIAWARE");
}

TEST_F(ListInteractionTest, RightClickOpensTheMenuCheckedByTheCurrentRowsFlags) {
  wine_session::PopupMenuCloser closer;
  HMENU menu = window_->Menu(PopupMenu::Compat);
  auto dpiChecked = [menu] { return (GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED) != 0; };

  RightClickAt(compat_, POINT{20, 40});  // an empty list
  EXPECT_TRUE(closer.Shown().empty());

  Form().Catalogue.AddProgram(kUnaware64, true);
  Form().Catalogue.AddProgram(kNoManifest64, true);
  ASSERT_EQ(RowCount(compat_), 2);
  // The second row's flags as another program left them.
  LVITEMA flags{};
  flags.iSubItem = 1;
  char runAsAdmin[] = "RUNASADMIN";
  flags.pszText = runAsAdmin;
  SendMessageA(compat_, LVM_SETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&flags));

  RightClickAt(compat_, RowCentre(compat_, 0));
  ASSERT_EQ(closer.Shown().size(), 1u);
  EXPECT_EQ(closer.Shown()[0], menu);
  EXPECT_TRUE(dpiChecked());

  RightClickAt(compat_, RowCentre(compat_, 1));
  ASSERT_EQ(closer.Shown().size(), 2u);
  EXPECT_FALSE(dpiChecked());

  // Below the rows: the selection goes, the current row stays unselected, no menu.
  RECT client{};
  GetClientRect(compat_, &client);
  RightClickAt(compat_, POINT{20, client.bottom - 4});
  EXPECT_EQ(closer.Shown().size(), 2u);
  EXPECT_TRUE(SelectedRows(compat_).empty());
}

TEST_F(ListInteractionTest, AHeaderClickSortsOnceByThatColumn) {
  for (const std::string& path : {kUnaware86, kAware64, kAware86, kNoManifest64}) Form().Catalogue.AddProgram(path);
  ClickHeader(programs_, 2);  // "Bits"
  const std::vector<std::string> byBits{"x64", "x64", "x86", "x86"};
  EXPECT_EQ(ColumnTexts(programs_, 2), byBits);
  ClickHeader(programs_, 0);  // "Name"
  std::vector<std::string> names = ColumnTexts(programs_, 0);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                             [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); }));
  ClickHeader(programs_, 2);
  ClickHeader(programs_, 2);  // again: the same order, not reversed
  EXPECT_EQ(ColumnTexts(programs_, 2), byBits);
  // Sorting is not kept: a row added now goes to the end.
  Form().Catalogue.AddProgram(kUnaware64);
  EXPECT_EQ(ColumnTexts(programs_, 2).back(), "x64");
}

TEST_F(ListInteractionTest, FilesDroppedOnTheCompatibilityListAreAddedOrRefused) {
  wine_session::MessageBoxAnswerer answerer;
  IDropTarget* target = window_->DropTarget(ControlId::lvwCompat);
  ASSERT_NE(target, nullptr);
  const std::string folder = fixtures::FixturePath("x64");
  ComPtr<IDataObject> data = MakeFileListData({folder, kAware64, kUnaware64, kUnaware64});
  auto [entered, dropped] = DropOn(target, data.Get(), DROPEFFECT_LINK | DROPEFFECT_COPY);
  EXPECT_EQ(entered, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_LINK));

  std::vector<ShownMessage> shown = answerer.Shown();
  ASSERT_EQ(shown.size(), 2u);  // the second drop of the same program passes silently
  EXPECT_EQ(shown[0].title, "Sharpwell");
  EXPECT_EQ(shown[0].text, "''" + folder + "'' does not appear to be a valid Windows application.");
  EXPECT_TRUE(shown[0].exclamation);
  EXPECT_EQ(shown[1].text, "''" + kAware64 + "'' is already high DPI compatible.");
  EXPECT_TRUE(shown[1].information);

  ASSERT_EQ(RowCount(compat_), 1);
  EXPECT_EQ(CellText(compat_, 0, 1), "HIGHDPIAWARE");
  EXPECT_EQ(LayersValue(kUnaware64), "HIGHDPIAWARE");
  EXPECT_EQ(LayersValue(kAware64), "");
  EXPECT_GE(RowWithPath(programs_, kAware64), 0);  // still put in the catalogue

  // Data without a file list is taken all the same (so that the drop handler runs and
  // enables the icon timer), and adds nothing.
  ComPtr<IDataObject> empty = MakeFileListData({});
  auto [emptyEntered, emptyDropped] = DropOn(target, empty.Get(), DROPEFFECT_LINK | DROPEFFECT_COPY);
  EXPECT_EQ(emptyEntered, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(emptyDropped, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(answerer.Shown().size(), 2u);
  EXPECT_EQ(RowCount(compat_), 1);
}

TEST_F(ListInteractionTest, FilesDroppedOnTheProgramsListAreSelectedBesideTheOldSelection) {
  wine_session::MessageBoxAnswerer answerer;
  Form().Catalogue.AddProgram(kNoManifest64);
  Form().Catalogue.AddProgram(kAware64);
  SetRowSelected(programs_, 0, true);
  const std::string missing = fixtures::FixturePath("x64", "No Such Program.exe");
  ComPtr<IDataObject> data = MakeFileListData({Upper(kUnaware64), missing, Upper(kAware64)});
  DropOn(window_->DropTarget(ControlId::lvwPrograms), data.Get(), DROPEFFECT_COPY);

  std::vector<ShownMessage> shown = answerer.Shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "''" + missing + "'' does not appear to be a valid Windows application.");
  EXPECT_TRUE(shown[0].exclamation);
  const int added = RowWithPath(programs_, kUnaware64);
  ASSERT_GE(added, 0);
  EXPECT_EQ(CellText(programs_, added, 3), Lower(kUnaware64));  // listed under the lower-case path
  std::vector<int> expected{0, 1, added};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(SelectedRows(programs_), expected);
  EXPECT_EQ(RowCount(programs_), 3);
}

TEST_F(ListInteractionTest, RowsDraggedToTheCompatibilityListCarryOnlyTheUnawarePrograms) {
  wine_session::MessageBoxAnswerer answerer;
  for (const std::string& path : {kUnaware64, kAware64, kUnaware86, Fixture("x64", "console_true.exe")})
    Form().Catalogue.AddProgram(path);
  SetRowSelected(programs_, -1, true);
  std::uint32_t effects = 0;
  std::vector<std::string> files = Form().lvwPrograms_OLEStartDrag(effects);
  EXPECT_EQ(effects, static_cast<std::uint32_t>(DROPEFFECT_LINK));
  ComPtr<IDataObject> data = MakeFileListData(files);
  EXPECT_EQ(ReadFileList(data.Get()), (std::vector<std::string>{Lower(kUnaware64), Lower(kUnaware86)}));
  auto [entered, dropped] = DropOn(window_->DropTarget(ControlId::lvwCompat), data.Get(), effects);
  EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_TRUE(answerer.Shown().empty());
  EXPECT_EQ(RowCount(compat_), 2);
  EXPECT_EQ(LayersValue(kUnaware86), "HIGHDPIAWARE");

  // Only aware rows selected: nothing is offered, and no list takes the drag.
  SetRowSelected(programs_, -1, false);
  SetRowSelected(programs_, RowWithPath(programs_, kAware64), true);
  files = Form().lvwPrograms_OLEStartDrag(effects);
  EXPECT_EQ(effects, 8u);
  ComPtr<IDataObject> nothing = MakeFileListData(files);
  EXPECT_TRUE(ReadFileList(nothing.Get()).empty());
  DWORD allowed = effects;
  POINTL at{10, 10};
  window_->DropTarget(ControlId::lvwCompat)->DragEnter(nothing.Get(), MK_LBUTTON, at, &allowed);
  window_->DropTarget(ControlId::lvwCompat)->DragLeave();
  EXPECT_EQ(allowed, static_cast<DWORD>(DROPEFFECT_NONE));
}
