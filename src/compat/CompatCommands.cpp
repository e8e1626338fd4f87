// frmSharpwell: the compatibility list's context-menu commands. Every change is
// written to the registry at once, under the row key in upper case, with exactly the
// text put into the row's Flags cell.
#include "catalogue/CatalogueText.h"
#include "compat/CompatFlags.h"
#include "compat/LayersKey.h"
#include "compat/modRegistry.h"
#include "shell/frmSharpwell.h"
#include "platform/modSharpwell.h"

namespace {
constexpr int kFlagsColumn = 1;
}

void frmSharpwell::AddCompatFlag(int row, const std::string& flag) {
  std::optional<std::string> flags = c_.lvwCompat.SubItem(row, kFlagsColumn);
  std::optional<std::string> added = AddFlagToText(flags.value_or(""), flag);
  if (!added) return;  // present already: nothing changes, nothing is written
  c_.lvwCompat.SetSubItem(row, kFlagsColumn, *added);
  SetLayersValue(platform::UpperCasePath(c_.lvwCompat.Key(row).value_or("")), *added);
}

void frmSharpwell::RemoveCompatFlag(int row, const std::string& flag) {
  std::string removed = RemoveFlagFromText(c_.lvwCompat.SubItem(row, kFlagsColumn).value_or(""), flag);
  c_.lvwCompat.SetSubItem(row, kFlagsColumn, removed);
  SetLayersValue(platform::UpperCasePath(c_.lvwCompat.Key(row).value_or("")), removed);
}

void frmSharpwell::ToggleFlagOnSelectedRows(MenuItem& item, const std::string& flag) {
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

void frmSharpwell::mnuCompatDPI_Click() { ToggleFlagOnSelectedRows(c_.mnuCompatDPI, kHighDpiAwareFlag); }

void frmSharpwell::mnuCompatAdmin_Click() {
  ToggleFlagOnSelectedRows(c_.mnuCompatAdmin, kRunAsAdminFlag);
}

void frmSharpwell::mnuCompatEdit_Click() {
  std::optional<int> row = c_.lvwCompat.CurrentRow();
  if (!row) return;
  const std::string valueName = platform::UpperCasePath(c_.lvwCompat.Key(*row).value_or(""));
  std::string stored = GetRegValue(RegistryPath::Layers, valueName).ToText();
  std::string answer = c_.window.InputBox("Enter the desired compatibility flags:",
                                          modSharpwell::AppProductName, stored);
  if (answer.empty()) return;  // cleared or cancelled: nothing changes
  SetLayersValue(valueName, answer);
  c_.lvwCompat.SetSubItem(*row, kFlagsColumn, answer);
}

void frmSharpwell::mnuCompatDelete_Click() {
  // From the last row to the first, so that removing a row moves none still to come.
  for (int row = c_.lvwCompat.Count(); row >= 1; --row) {
    if (c_.lvwCompat.Selected(row) != true) continue;
    DeleteLayersValue(platform::UpperCasePath(c_.lvwCompat.Key(row).value_or("")));
    c_.lvwCompat.RemoveRow(row);
  }
}
