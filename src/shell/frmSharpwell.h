#pragma once
// frmSharpwell: the main window's behaviour, over its controls as interfaces. The real
// window (shell/window) forwards its messages here; tests drive the same handlers over
// the in-memory controls.
#include <cstdint>
#include <string>

#include "shell/FormControls.h"
#include "shell/ListControls.h"
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
inline constexpr const char* Run = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* WindowMetrics = "HKCU\\Control Panel\\Desktop\\WindowMetrics";
inline constexpr const char* Layers =
    "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
}  // namespace RegistryPath

class frmSharpwell {
 public:
  static constexpr const char* DefaultIconKey = "C:\\Windows\\system32\\shell32.dll";
  static constexpr int UnloadFromTitleBar = 0;
  static constexpr int UnloadFromCode = 1;

  explicit frmSharpwell(const FormParts& parts);
  frmSharpwell(const frmSharpwell&) = delete;
  frmSharpwell& operator=(const frmSharpwell&) = delete;

  // Load handler; only whether the command line is empty matters.
  void Form_Load(bool commandLineEmpty);
  // Close request; returns Cancel (true keeps the window loaded).
  bool Form_QueryUnload(int UnloadMode);
  void mnuTrayShow_Click();
  void mnuTrayExit_Click();
  void chkMonitor_Click();
  // The notification-area callback: the mouse event that happened on the icon.
  void pcbIcon16_MouseMove(std::uint32_t mouseMessage);
  void ShowSystemDpi();

  bool ScanPending = false;
  clsListView ProgramsView;
  clsListView CompatView;

 private:
  FormParts c_;
};

// The system DPI line: caption, tool tip and colour for a DPI value.
struct DpiLine {
  std::string caption;
  std::string toolTip;
  Colour colour;
};
DpiLine DescribeSystemDpi(std::int32_t dpi);
