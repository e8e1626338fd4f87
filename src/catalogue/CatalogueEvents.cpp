// The catalogue list's events: keys, the one-time sort, dragging programs out of it,
// and files dropped onto either list.
#include "catalogue/Catalogue.h"
#include "platform/CurrentError.h"
#include "platform/TextApi.h"

namespace catalogue {

namespace {
constexpr std::uint32_t kDropEffectLink = 4;
constexpr std::uint32_t kDropEffectNone = 8;  // none of the system's effects: no target accepts

std::string Quoted(const std::string& path) { return "''" + path + "''"; }
}  // namespace

void Catalogue::lvwPrograms_KeyDown(int KeyCode, int Shift) {
  if (KeyCode == keys::A && Shift == keys::CtrlOnly) c_.lvwPrograms.SelectAll();
}

void Catalogue::lvwPrograms_ColumnClick(int columnPosition) {
  c_.lvwPrograms.SortOnce(columnPosition - 1);
}

std::vector<std::string> Catalogue::lvwPrograms_OLEStartDrag(std::uint32_t& effects) {
  std::vector<std::string> files;
  const int count = c_.lvwPrograms.Count();
  for (int row = 1; row <= count; ++row) {
    if (c_.lvwPrograms.Selected(row) == true && ShowsNotDpiAware(row))
      files.push_back(c_.lvwPrograms.Key(row).value_or(""));
  }
  effects = files.empty() ? kDropEffectNone : kDropEffectLink;
  return files;
}

void Catalogue::lvwCompat_OLEDragDrop(const std::vector<std::string>& files) {
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

void Catalogue::lvwPrograms_OLEDragDrop(const std::vector<std::string>& files) {
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

void Catalogue::SelectProgram(const std::string& path) {
  CurrentError::Clear();
  bool deselected = c_.lvwPrograms.DeselectSelectedRow();
  std::optional<int> row = c_.lvwPrograms.FindRow(platform::LowerCasePath(path));
  if (row) c_.lvwPrograms.SetSelectedRow(*row);
  if (deselected && row && !CurrentError::IsSet()) {
    c_.lvwPrograms.SetSelected(*row, true);
    c_.lvwPrograms.EnsureVisible(*row);
  }
}

}  // namespace catalogue
