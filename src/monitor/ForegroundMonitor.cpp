// frmSharpwell: start with Windows (the chkMonitor box) and the foreground monitor,
// which follows the program in front and, while monitoring, puts every program that
// is not DPI aware on the compatibility list by itself.
#include "catalogue/CatalogueText.h"
#include "catalogue/ProgramText.h"
#include "compat/modRegistry.h"
#include "monitor/modTrayIcon.h"
#include "platform/CurrentError.h"
#include "platform/ProcessApi.h"
#include "shell/frmSharpwell.h"
#include "shell/modSharpwell.h"

namespace {
constexpr std::uint32_t kBalloonTimeout = 5;
}

void frmSharpwell::chkMonitor_Click() {
  const std::string& name = modSharpwell::AppProductName;
  if (c_.chkMonitor.Checked()) {
    SetRegValue(RegistryPath::Run, name, "\"" + modSharpwell::AppExePath + "\" /s");
    // While hidden (started with Windows) the first monitor tick puts the icon up.
    if (c_.window.Visible())
      modTrayIcon::AddTrayIcon(c_.window.IconOwnerHandle(), c_.window.IconHandle(), name);
  } else {
    DeleteRegValue(RegistryPath::Run, name);
    modTrayIcon::RemoveTrayIcon(c_.window.IconOwnerHandle());
  }
}

void frmSharpwell::FollowForegroundProgram() {
  // The row of the program in front becomes the only selected row, but only when the
  // old selection could be taken away and the program has a row.
  CurrentError::Clear();
  bool deselected = c_.lvwPrograms.DeselectSelectedRow();
  std::optional<int> row = c_.lvwPrograms.FindRow(platform::LowerCasePath(ForegroundPath));
  if (row) c_.lvwPrograms.SetSelectedRow(*row);
  if (deselected && row && !CurrentError::IsSet()) {
    c_.lvwPrograms.SetSelected(*row, true);
    c_.lvwPrograms.EnsureVisible(*row);
  }
}

void frmSharpwell::tmrMonitor_Timer() {
  ForegroundWindow = platform::GetForegroundWindow();
  if (ForegroundWindow == LastForegroundWindow) return;
  LastForegroundWindow = ForegroundWindow;

  if (ForegroundWindow != c_.window.Handle()) {
    ForegroundProcessId = platform::GetWindowThreadProcessId(ForegroundWindow);
    ForegroundPath = GetProcessPath(ForegroundProcessId);
    FollowForegroundProgram();
    if (c_.chkMonitor.Checked()) {
      const std::string& name = modSharpwell::AppProductName;
      modTrayIcon::AddTrayIcon(c_.window.IconOwnerHandle(), c_.window.IconHandle(), name);
      if (AddProgram(ForegroundPath, true) == AddedToCompatList)
        modTrayIcon::ShowTrayBalloon(
            name,
            platform::FromUtf8("\xE2\x80\x9C") + GetFileName(ForegroundPath) +
                platform::FromUtf8("\xE2\x80\x9D has been added to the HighDPIAware list, so it "
                                   "should appear clearly the next time you open it."),
            kBalloonTimeout, platform::tray::kUserIcon, true, true);
    }
  }
  if (c_.window.Visible()) ShowSystemDpi();
}
