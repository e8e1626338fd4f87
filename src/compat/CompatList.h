#pragma once
// compat::CompatList: the compatibility list as the window shows it (lvwCompat), its
// context-menu commands and its keys. Every change is written to the Layers key at
// once, under the row key in upper case, with exactly the text put into the row's
// Flags cell.
#include <string>
#include <vector>

#include "platform/FormControls.h"
#include "platform/ListControls.h"

namespace compat {

// The controls the compatibility list works with, owned by the window.
struct CompatParts {
  ListView& lvwCompat;
  MenuItem& mnuCompatDPI;
  MenuItem& mnuCompatAdmin;
  FormWindow& window;
};

class CompatList {
 public:
  explicit CompatList(const CompatParts& parts) : c_(parts) {}
  CompatList(const CompatList&) = delete;
  CompatList& operator=(const CompatList&) = delete;

  // A row for every value of the Layers key, showing the stored flags. A row that is
  // there already (a second run) keeps its flags.
  void ReadCompatList();
  // The keys of the rows, top to bottom.
  std::vector<std::string> Keys() const;
  // Puts the program at `path` (lower case) on the list with the HIGHDPIAWARE flag, as
  // a row and a registry value; false, changing nothing, when it has a row already.
  bool AddHighDpiEntry(const std::string& path);
  // Each row still showing the default icon takes the image under its own key; the
  // image list refuses a key it does not hold, and the row keeps the default icon.
  void ShowProgramIcons();

  void AddCompatFlag(int row, const std::string& flag);
  void RemoveCompatFlag(int row, const std::string& flag);
  void mnuCompatDPI_Click();
  void mnuCompatAdmin_Click();
  void mnuCompatEdit_Click();
  void mnuCompatDelete_Click();
  void lvwCompat_KeyDown(int KeyCode, int Shift);
  void lvwCompat_MouseUp(int Button);

 private:
  void ToggleFlagOnSelectedRows(MenuItem& item, const std::string& flag);
  // Writes `flags` to the row's Flags cell and to its registry value.
  void StoreFlags(int row, const std::string& flags);

  CompatParts c_;
};

}  // namespace compat
