#pragma once
// frmSharpwell: the main window's behaviour, over its controls as interfaces. The real
// window (shell/window) forwards its messages here; tests drive the same handlers over
// the in-memory controls.
#include <cstdint>
#include <string>

#include <optional>
#include <vector>

#include "compat/LayersKey.h"
#include "inspect/clsExeReader.h"
#include "inspect/clsFile.h"
#include "platform/FormControls.h"
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
inline constexpr const char* Run = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* WindowMetrics = "HKCU\\Control Panel\\Desktop\\WindowMetrics";
inline constexpr const char* Layers = kLayersKeyPath;
}  // namespace RegistryPath

// The result of AddProgram.
enum AddResult : std::int16_t {
  NotLoaded = 0,            // new to the catalogue, and its file could not be loaded
  Listed = 1,               // in the catalogue; the compatibility list was left alone
  AlreadyInCompatList = 2,  // not DPI aware, and already on the compatibility list
  AddedToCompatList = 3,    // not DPI aware, and put on the compatibility list now
};

// A row of one of the two lists.
struct RowRef {
  ListView* list = nullptr;
  int position = 0;
};

class frmSharpwell {
 public:
  static constexpr const char* DefaultIconKey = "C:\\Windows\\system32\\shell32.dll";
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
  void chkMonitor_Click();
  // The notification-area callback: the mouse event that happened on the icon.
  void pcbIcon16_MouseMove(std::uint32_t mouseMessage);
  void ShowSystemDpi();

  // The catalogue: the one way a program becomes a row.
  AddResult AddProgram(std::string Path, bool AddToCompatList = false);
  bool DoesFileExist(const std::string& Filename);

  // Discovery: the one tick of tmrLoad, and what it shares with the monitor.
  void tmrLoad_Timer();
  void SetStatus(const std::string& text, float maximum);
  void UpdateProgress(float value);
  std::string GetProcessPath(std::uint32_t processId);
  std::string GetProcessPathFromList(std::uint32_t processId);

  // Program icons.
  bool GetIcon(const std::string& Path);
  void tmrGetIcons_Timer();

  // The compatibility list's commands.
  void AddCompatFlag(int row, const std::string& flag);
  void RemoveCompatFlag(int row, const std::string& flag);
  void mnuCompatDPI_Click();
  void mnuCompatAdmin_Click();
  void mnuCompatEdit_Click();
  void mnuCompatDelete_Click();

  // The lists' events.
  void lvwCompat_KeyDown(int KeyCode, int Shift);
  void lvwPrograms_KeyDown(int KeyCode, int Shift);
  void lvwCompat_MouseUp(int Button);
  void lvwPrograms_ColumnClick(int columnPosition);
  // The lower-case paths of the selected "No" rows; the allowed effects go to `effects`.
  std::vector<std::string> lvwPrograms_OLEStartDrag(std::uint32_t& effects);
  void lvwCompat_OLEDragDrop(const std::vector<std::string>& files);
  void lvwPrograms_OLEDragDrop(const std::vector<std::string>& files);

  // The foreground monitor.
  void tmrMonitor_Timer();

  bool ScanPending = false;
  clsListView ProgramsView;
  clsListView CompatView;
  clsExeReader ExeReader;
  clsFile FileAccess;
  std::optional<RowRef> CurrentItem;
  std::uintptr_t ForegroundWindow = 0;
  std::uintptr_t LastForegroundWindow = 0;
  std::uint32_t ForegroundProcessId = 0;
  std::string ForegroundPath;

 private:
  void SelectAll(ListView& list);
  void ToggleFlagOnSelectedRows(MenuItem& item, const std::string& flag);
  void FollowForegroundProgram();

  FormParts c_;
};

// The system DPI line: caption, tool tip and colour for a DPI value.
struct DpiLine {
  std::string caption;
  std::string toolTip;
  Colour colour;
};
DpiLine DescribeSystemDpi(std::int32_t dpi);
