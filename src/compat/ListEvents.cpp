// frmSharpwell: the event handlers of the two lists: keys, the right-button menu, the
// one-time sort, and dragging programs onto the compatibility list.
#include "catalogue/CatalogueText.h"
#include "compat/CompatFlags.h"
#include "inspect/InspectExecutable.h"
#include "shell/frmSharpwell.h"

namespace {
constexpr int kKeyA = 65;
constexpr int kKeyDelete = 46;
constexpr int kShiftCtrlOnly = 2;
constexpr int kRightButton = 2;
constexpr std::uint32_t kDropEffectLink = 4;
constexpr std::uint32_t kDropEffectNone = 8;  // none of the system's effects: no target accepts

std::string Quoted(const std::string& path) { return "''" + path + "''"; }
}  // namespace

void frmSharpwell::SelectAll(ListView& list) {
  const int count = list.Count();
  for (int row = 1; row <= count; ++row) list.SetSelected(row, true);
}

void frmSharpwell::lvwCompat_KeyDown(int KeyCode, int Shift) {
  if (KeyCode == kKeyA && Shift == kShiftCtrlOnly)
    SelectAll(c_.lvwCompat);
  else if (KeyCode == kKeyDelete)
    mnuCompatDelete_Click();
}

void frmSharpwell::lvwPrograms_KeyDown(int KeyCode, int Shift) {
  if (KeyCode == kKeyA && Shift == kShiftCtrlOnly) SelectAll(c_.lvwPrograms);
}

void frmSharpwell::lvwCompat_MouseUp(int Button) {
  if (Button != kRightButton) return;
  std::optional<int> row = c_.lvwCompat.CurrentRow();
  if (!row || c_.lvwCompat.Selected(*row) != true) return;
  // The check shows the current row's flags; the command then acts on every selected row.
  c_.mnuCompatDPI.SetChecked(
      FlagPresent(c_.lvwCompat.SubItem(*row, 1).value_or(""), kHighDpiAwareFlag));
  c_.window.ShowPopupMenu(PopupMenu::Compat);
}

void frmSharpwell::lvwPrograms_ColumnClick(int columnPosition) {
  c_.lvwPrograms.SortOnce(columnPosition - 1);
}

std::vector<std::string> frmSharpwell::lvwPrograms_OLEStartDrag(std::uint32_t& effects) {
  std::vector<std::string> files;
  const int count = c_.lvwPrograms.Count();
  for (int row = 1; row <= count; ++row) {
    if (c_.lvwPrograms.Selected(row) == true &&
        c_.lvwPrograms.SubItem(row, 1) == DpiAwareText::No)
      files.push_back(c_.lvwPrograms.Key(row).value_or(""));
  }
  effects = files.empty() ? kDropEffectNone : kDropEffectLink;
  return files;
}

void frmSharpwell::lvwCompat_OLEDragDrop(const std::vector<std::string>& files) {
  for (const std::string& path : files) {
    switch (AddProgram(path, true)) {
      case NotLoaded:
        c_.window.MsgBox(Quoted(path) + " does not appear to be a valid Windows application.",
                         MsgBoxStyle::Exclamation);
        break;
      case Listed:
        c_.window.MsgBox(Quoted(path) + " is already high DPI compatible.",
                         MsgBoxStyle::Information);
        break;
      default: break;  // already there, or added with its registry value
    }
  }
  c_.tmrGetIcons.SetEnabled(true);
}

void frmSharpwell::lvwPrograms_OLEDragDrop(const std::vector<std::string>& files) {
  for (const std::string& dropped : files) {
    const std::string path = platform::LowerCasePath(dropped);
    if (AddProgram(path) == NotLoaded) {
      c_.window.MsgBox(Quoted(dropped) + " does not appear to be a valid Windows application.",
                       MsgBoxStyle::Exclamation);
      continue;
    }
    if (std::optional<int> row = c_.lvwPrograms.FindRow(path)) {
      c_.lvwPrograms.SetSelected(*row, true);
      c_.lvwPrograms.EnsureVisible(*row);
    }
  }
  c_.tmrGetIcons.SetEnabled(true);
}
