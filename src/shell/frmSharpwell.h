#pragma once
// frmSharpwell: the main window's behaviour, over its controls as interfaces. It owns
// the subsystems (the compatibility list, the catalogue, the foreground monitor), hands
// each event to the one it belongs to and sequences what spans several. The real window
// (shell/window) forwards its messages here; tests drive the same handlers over the
// in-memory controls.
#include <cstdint>
#include <string>

#include <vector>

#include "catalogue/Catalogue.h"
#include "compat/CompatList.h"
#include "monitor/ForegroundMonitor.h"
#include "platform/FormControls.h"
#include "platform/Layout.h"
#include "platform/ListControls.h"
#include "shell/clsListView.h"

// The controls of the main window, owned by whoever built the window.
struct FormParts {
  ListView& lvwPrograms;
  ListView& lvwCompat;
  ImageList& imlIcons;
  StatusBar& SBar;
  ProgressBar& PBar;
  Timer& tmrLoad;
  Timer& tmrGetIcons;
  Timer& tmrMonitor;
  CheckBox& chkMonitor;
  Label& lblInstructions;
  Label& lblDPI;
  MenuItem& mnuCompatDPI;
  MenuItem& mnuCompatAdmin;
  FormWindow& window;
};

namespace TimerInterval {
inline constexpr std::uint32_t LoadAtStart = 1;
inline constexpr std::uint32_t LoadHidden = 30000;
inline constexpr std::uint32_t LoadWhenShown = 500;
inline constexpr std::uint32_t GetIcons = 100;
inline constexpr std::uint32_t Monitor = 8000;
}  // namespace TimerInterval

namespace RegistryPath {
inline constexpr const char* WindowMetrics = "HKCU\\Control Panel\\Desktop\\WindowMetrics";
}  // namespace RegistryPath

class frmSharpwell {
 public:
  // UnloadMode: how the close was asked for.
  static constexpr int UnloadFromTitleBar = 0;  // title bar or system menu
  static constexpr int UnloadFromCode = 1;
  static constexpr int UnloadByWindows = 2;      // logging off or shutting down
  static constexpr int UnloadByTaskManager = 3;  // a close from another program

  explicit frmSharpwell(const FormParts& parts);
  frmSharpwell(const frmSharpwell&) = delete;
  frmSharpwell& operator=(const frmSharpwell&) = delete;

  // Load handler; only whether the command line is empty matters.
  void Form_Load(bool commandLineEmpty);
  // Close request; returns Cancel (true keeps the window loaded).
  bool Form_QueryUnload(int UnloadMode);
  void mnuTrayShow_Click();
  void mnuTrayExit_Click();
  // The notification-area callback: the mouse event that happened on the icon.
  void pcbIcon16_MouseMove(std::uint32_t mouseMessage);
  void ShowSystemDpi();

  // Discovery, the one tick of tmrLoad: the compatibility list, then (when the window
  // is shown) the scan of programs, then the first monitor tick.
  void tmrLoad_Timer();
  // The foreground monitor's tick, then the system DPI line when something new is in
  // front.
  void tmrMonitor_Timer();

  // The other events go to the subsystem they belong to.
  void chkMonitor_Click() { Monitor.chkMonitor_Click(); }
  void tmrGetIcons_Timer() { Catalogue.tmrGetIcons_Timer(); }
  void mnuCompatDPI_Click() { Compat.mnuCompatDPI_Click(); }
  void mnuCompatAdmin_Click() { Compat.mnuCompatAdmin_Click(); }
  void mnuCompatEdit_Click() { Compat.mnuCompatEdit_Click(); }
  void mnuCompatDelete_Click() { Compat.mnuCompatDelete_Click(); }
  void lvwCompat_KeyDown(int KeyCode, int Shift) { Compat.lvwCompat_KeyDown(KeyCode, Shift); }
  void lvwCompat_MouseUp(int Button) { Compat.lvwCompat_MouseUp(Button); }
  void lvwPrograms_KeyDown(int KeyCode, int Shift) {
    Catalogue.lvwPrograms_KeyDown(KeyCode, Shift);
  }
  void lvwPrograms_ColumnClick(int columnPosition) {
    Catalogue.lvwPrograms_ColumnClick(columnPosition);
  }
  std::vector<std::string> lvwPrograms_OLEStartDrag(std::uint32_t& effects) {
    return Catalogue.lvwPrograms_OLEStartDrag(effects);
  }
  void lvwCompat_OLEDragDrop(const std::vector<std::string>& files) {
    Catalogue.lvwCompat_OLEDragDrop(files);
  }
  void lvwPrograms_OLEDragDrop(const std::vector<std::string>& files) {
    Catalogue.lvwPrograms_OLEDragDrop(files);
  }

  bool ScanPending = false;
  compat::CompatList Compat;
  catalogue::Catalogue Catalogue;
  monitor::ForegroundMonitor Monitor;

 private:
  FormParts c_;
  clsListView ProgramsView;
  clsListView CompatView;
};

// The system DPI line: caption, tool tip and colour for a DPI value.
struct DpiLine {
  std::string caption;
  std::string toolTip;
  Colour colour;
};
DpiLine DescribeSystemDpi(std::int32_t dpi);
