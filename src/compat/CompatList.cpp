#include "compat/CompatList.h"

#include <optional>

#include "compat/CompatFlags.h"
#include "compat/LayersKey.h"
#include "compat/modRegistry.h"
#include "platform/Layout.h"
#include "platform/ProgramText.h"
#include "platform/TextApi.h"
#include "platform/modSharpwell.h"

namespace compat {

namespace {
// The value name of a row: its key in upper case.
std::string ValueName(const ListView& list, int row) {
  return platform::UpperCasePath(list.Key(row).value_or(""));
}
}  // namespace

void CompatList::ReadCompatList() {
  for (const std::string& value : EnumRegValues(RegistryPath::Layers)) {
    const std::string name = platform::LowerCasePath(value);
    if (std::optional<int> row = c_.lvwCompat.AddRow(name, GetFileName(name), kDefaultIconKey))
      c_.lvwCompat.SetSubItem(*row, CompatColumn::Flags,
                              GetRegValue(RegistryPath::Layers, name).ToText());
  }
}

std::vector<std::string> CompatList::Keys() const {
  std::vector<std::string> keys;
  const int count = c_.lvwCompat.Count();
  for (int row = 1; row <= count; ++row)
    if (std::optional<std::string> key = c_.lvwCompat.Key(row)) keys.push_back(*key);
  return keys;
}

bool CompatList::AddHighDpiEntry(const std::string& path) {
  if (c_.lvwCompat.FindRow(path)) return false;
  if (std::optional<int> row = c_.lvwCompat.AddRow(path, GetFileName(path), kDefaultIconKey))
    c_.lvwCompat.SetSubItem(*row, CompatColumn::Flags, kHighDpiAwareFlag);
  SetLayersValue(platform::UpperCasePath(path), kHighDpiAwareFlag);
  return true;
}

void CompatList::ShowProgramIcons() {
  const int entries = c_.lvwCompat.Count();
  for (int row = 1; row <= entries; ++row) {
    if (c_.lvwCompat.SmallIcon(row) != kDefaultIconKey) continue;
    if (std::optional<std::string> key = c_.lvwCompat.Key(row))
      c_.lvwCompat.SetSmallIcon(row, *key);
  }
}

void CompatList::StoreFlags(int row, const std::string& flags) {
  c_.lvwCompat.SetSubItem(row, CompatColumn::Flags, flags);
  SetLayersValue(ValueName(c_.lvwCompat, row), flags);
}

void CompatList::AddCompatFlag(int row, const std::string& flag) {
  std::optional<std::string> flags = c_.lvwCompat.SubItem(row, CompatColumn::Flags);
  std::optional<std::string> added = AddFlagToText(flags.value_or(""), flag);
  if (!added) return;  // present already: nothing changes, nothing is written
  StoreFlags(row, *added);
}

void CompatList::RemoveCompatFlag(int row, const std::string& flag) {
  StoreFlags(row, RemoveFlagFromText(
                      c_.lvwCompat.SubItem(row, CompatColumn::Flags).value_or(""), flag));
}

void CompatList::ToggleFlagOnSelectedRows(MenuItem& item, const std::string& flag) {
  item.SetChecked(!item.Checked());
  const bool add = item.Checked();
  const int count = c_.lvwCompat.Count();
  for (int row = 1; row <= count; ++row) {
    if (c_.lvwCompat.Selected(row) != true) continue;
    if (add)
      AddCompatFlag(row, flag);
    else
      RemoveCompatFlag(row, flag);
  }
}

void CompatList::mnuCompatDPI_Click() {
  ToggleFlagOnSelectedRows(c_.mnuCompatDPI, kHighDpiAwareFlag);
}

void CompatList::mnuCompatAdmin_Click() {
  ToggleFlagOnSelectedRows(c_.mnuCompatAdmin, kRunAsAdminFlag);
}

void CompatList::mnuCompatEdit_Click() {
  std::optional<int> row = c_.lvwCompat.CurrentRow();
  if (!row) return;
  const std::string valueName = ValueName(c_.lvwCompat, *row);
  std::string stored = GetRegValue(RegistryPath::Layers, valueName).ToText();
  std::string answer = c_.window.InputBox("Enter the desired compatibility flags:",
                                          modSharpwell::AppProductName, stored);
  if (answer.empty()) return;  // cleared or cancelled: nothing changes
  SetLayersValue(valueName, answer);
  c_.lvwCompat.SetSubItem(*row, CompatColumn::Flags, answer);
}

void CompatList::mnuCompatDelete_Click() {
  // From the last row to the first, so that removing a row moves none still to come.
  for (int row = c_.lvwCompat.Count(); row >= 1; --row) {
    if (c_.lvwCompat.Selected(row) != true) continue;
    DeleteLayersValue(ValueName(c_.lvwCompat, row));
    c_.lvwCompat.RemoveRow(row);
  }
}

void CompatList::lvwCompat_KeyDown(int KeyCode, int Shift) {
  if (KeyCode == keys::A && Shift == keys::CtrlOnly)
    c_.lvwCompat.SelectAll();
  else if (KeyCode == keys::Delete)
    mnuCompatDelete_Click();
}

void CompatList::lvwCompat_MouseUp(int Button) {
  if (Button != keys::RightButton) return;
  std::optional<int> row = c_.lvwCompat.CurrentRow();
  if (!row || c_.lvwCompat.Selected(*row) != true) return;
  // The check shows the current row's flags; the command then acts on every selected row.
  const std::string flags = c_.lvwCompat.SubItem(*row, CompatColumn::Flags).value_or("");
  c_.mnuCompatDPI.SetChecked(FlagPresent(flags, kHighDpiAwareFlag));
  c_.window.ShowPopupMenu(PopupMenu::Compat);
}

}  // namespace compat
