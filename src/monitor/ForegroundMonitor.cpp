#include "monitor/ForegroundMonitor.h"

#include "compat/modRegistry.h"
#include "monitor/modTrayIcon.h"
#include "platform/ProcessApi.h"
#include "platform/ProgramText.h"
#include "platform/TextApi.h"
#include "platform/modSharpwell.h"

namespace monitor {

namespace {
constexpr std::uint32_t kBalloonTimeout = 5;
}

bool ForegroundMonitor::StartsWithWindows() const {
  std::string run = GetRegValue(RegistryPath::Run, modSharpwell::AppProductName).ToText();
  return platform::LowerCasePath(run).find(platform::LowerCasePath(modSharpwell::AppExePath)) !=
         std::string::npos;
}

void ForegroundMonitor::chkMonitor_Click() {
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

Tick ForegroundMonitor::tmrMonitor_Timer() {
  ForegroundWindow = platform::GetForegroundWindow();
  if (ForegroundWindow == LastForegroundWindow) return Tick::SameWindow;
  LastForegroundWindow = ForegroundWindow;
  if (ForegroundWindow == c_.window.Handle()) return Tick::NewWindow;

  ForegroundProcessId = platform::GetWindowThreadProcessId(ForegroundWindow);
  ForegroundPath = catalogue_.GetProcessPath(ForegroundProcessId);
  catalogue_.SelectProgram(ForegroundPath);
  if (c_.chkMonitor.Checked()) {
    const std::string& name = modSharpwell::AppProductName;
    modTrayIcon::AddTrayIcon(c_.window.IconOwnerHandle(), c_.window.IconHandle(), name);
    if (catalogue_.AddProgram(ForegroundPath, true) == AddedToCompatList)
      modTrayIcon::ShowTrayBalloon(
          name,
          platform::FromUtf8("\xE2\x80\x9C") + GetFileName(ForegroundPath) +
              platform::FromUtf8("\xE2\x80\x9D has been added to the HighDPIAware list, so it "
                                 "should appear clearly the next time you open it."),
          kBalloonTimeout, platform::tray::kUserIcon, true, true);
  }
  return Tick::NewWindow;
}

}  // namespace monitor
