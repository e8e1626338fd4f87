#pragma once
// catalogue::Catalogue: "All detected programs:" (lvwPrograms) and what fills it:
// AddProgram, the scan of programs at start-up, the programs' icons, the status bar's
// progress, and the list's own events, dragging programs out of it and dropping files
// onto either list among them.
#include <cstdint>
#include <string>
#include <vector>

#include "compat/CompatList.h"
#include "inspect/clsExeReader.h"
#include "inspect/clsFile.h"
#include "platform/FormControls.h"
#include "platform/ListControls.h"

// The result of AddProgram.
enum AddResult : std::int16_t {
  NotLoaded = 0,            // new to the catalogue, and its file could not be loaded
  Listed = 1,               // in the catalogue; the compatibility list was left alone
  AlreadyInCompatList = 2,  // not DPI aware, and already on the compatibility list
  AddedToCompatList = 3,    // not DPI aware, and put on the compatibility list now
};

namespace catalogue {

// The controls the catalogue works with, owned by the window.
struct CatalogueParts {
  ListView& lvwPrograms;
  ImageList& imlIcons;
  StatusBar& SBar;
  ProgressBar& PBar;
  Timer& tmrGetIcons;
  FormWindow& window;
};

class Catalogue {
 public:
  Catalogue(const CatalogueParts& parts, compat::CompatList& compatList)
      : c_(parts), compat_(compatList) {}
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;

  // The one way a program becomes a row; with AddToCompatList, a program that is not
  // DPI aware also goes on the compatibility list.
  AddResult AddProgram(std::string Path, bool AddToCompatList = false);
  bool DoesFileExist(const std::string& Filename);

  // The scan of programs: those of the compatibility list, the running processes and
  // Explorer's list of recently run programs; then their icons.
  void ScanForPrograms();
  void SetStatus(const std::string& text, float maximum);
  void UpdateProgress(float value);
  std::string GetProcessPath(std::uint32_t processId);
  std::string GetProcessPathFromList(std::uint32_t processId);

  // Program icons.
  bool GetIcon(const std::string& Path);
  void tmrGetIcons_Timer();

  // The row of `path` becomes the only selected row and is scrolled into view, but only
  // when the old selection could be taken away and the program has a row.
  void SelectProgram(const std::string& path);

  // The lists' events that add to or read from the catalogue.
  void lvwPrograms_KeyDown(int KeyCode, int Shift);
  void lvwPrograms_ColumnClick(int columnPosition);
  // The lower-case paths of the selected "No" rows; the allowed effects go to `effects`.
  std::vector<std::string> lvwPrograms_OLEStartDrag(std::uint32_t& effects);
  void lvwCompat_OLEDragDrop(const std::vector<std::string>& files);
  void lvwPrograms_OLEDragDrop(const std::vector<std::string>& files);

 private:
  // True when the row's "DPI aware" cell shows the verdict No.
  bool ShowsNotDpiAware(int row) const;

  CatalogueParts c_;
  compat::CompatList& compat_;
  clsExeReader ExeReader;
  clsFile FileAccess;
};

}  // namespace catalogue
