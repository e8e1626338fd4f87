#include "shell/frmSharpwell.h"

#include <algorithm>
#include <cstdlib>

#include "compat/modRegistry.h"
#include "monitor/modTrayIcon.h"
#include "platform/CurrentError.h"
#include "shell/AppText.h"

namespace {
void Arm(Timer& timer, std::uint32_t interval) {
  timer.SetInterval(interval);
  timer.SetEnabled(true);
}
}  // namespace

frmSharpwell::frmSharpwell(const FormParts& parts)
    : Compat({parts.lvwCompat, parts.mnuCompatDPI, parts.mnuCompatAdmin, parts.window}),
      Catalogue({parts.lvwPrograms, parts.imlIcons, parts.SBar, parts.PBar, parts.tmrGetIcons,
                 parts.window},
                Compat),
      Monitor({parts.chkMonitor, parts.window}, Catalogue),
      c_(parts) {
  c_.chkMonitor.OnClick([this] { chkMonitor_Click(); });
}

void frmSharpwell::Form_Load(bool commandLineEmpty) {
  // The default program icon, before any row can name it.
  Catalogue.GetIcon(kDefaultIconKey);
  CompatView.BindTo(c_.lvwCompat);
  ProgramsView.BindTo(c_.lvwPrograms);
  CompatView.FullRowSelect(true);
  ProgramsView.FullRowSelect(true);
  c_.lblInstructions.SetCaption(AppText::Instructions);

  if (commandLineEmpty) {
    c_.window.Show();
    if (Monitor.StartsWithWindows()) c_.chkMonitor.SetChecked(true);
    Arm(c_.tmrLoad, TimerInterval::LoadAtStart);
  } else {
    // Started with Windows: stay hidden; the icon comes with the first monitor tick.
    c_.chkMonitor.SetChecked(true);
    Arm(c_.tmrLoad, TimerInterval::LoadHidden);
  }
  CurrentError::Clear();
}

bool frmSharpwell::Form_QueryUnload(int UnloadMode) {
  if (UnloadMode == UnloadFromTitleBar && c_.chkMonitor.Checked()) {
    c_.window.Hide();
    return true;
  }
  c_.lvwPrograms.Clear();
  c_.lvwCompat.Clear();
  c_.imlIcons.Clear();
  modTrayIcon::RemoveTrayIcon(c_.window.IconOwnerHandle());
  c_.window.EndProcess();
  return false;
}

void frmSharpwell::tmrLoad_Timer() {
  c_.tmrLoad.SetEnabled(false);
  Catalogue.SetStatus("Reading compatibility list...", 100);
  Compat.ReadCompatList();
  // The scan of programs waits for the window to be shown.
  ScanPending = !c_.window.Visible();
  if (!ScanPending) Catalogue.ScanForPrograms();
  Catalogue.SetStatus("Ready", 100);
  tmrMonitor_Timer();
  c_.tmrMonitor.SetEnabled(true);
}

void frmSharpwell::tmrMonitor_Timer() {
  if (Monitor.tmrMonitor_Timer() == monitor::Tick::NewWindow && c_.window.Visible())
    ShowSystemDpi();
}

void frmSharpwell::mnuTrayExit_Click() { Form_QueryUnload(UnloadFromCode); }

void frmSharpwell::mnuTrayShow_Click() {
  c_.window.Activate();
  c_.window.Show();
  c_.window.Restore();
  if (ScanPending) {
    Arm(c_.tmrLoad, TimerInterval::LoadWhenShown);
  } else {
    // Restart the icon fill, for programs added while the window was hidden.
    c_.tmrGetIcons.Restart();
  }
}

void frmSharpwell::pcbIcon16_MouseMove(std::uint32_t mouseMessage) {
  if (mouseMessage == modTrayIcon::kLeftButtonUp) {
    mnuTrayShow_Click();
  } else if (mouseMessage == modTrayIcon::kRightButtonUp) {
    c_.window.Activate();
    c_.window.ShowPopupMenu(PopupMenu::Tray);
  }
}

DpiLine DescribeSystemDpi(std::int32_t dpi) {
  DpiLine line;
  line.caption = "Current system resolution: " + std::to_string(dpi) + " DPI";
  if (dpi != 96) {
    line.toolTip = "This program is probably needed on your system becuase you are running >96 DPI";
    line.colour = {0, 150, 0};
  } else {
    line.toolTip =
        "Your system DPI setting is 96 DPI, so program may NOT be needed unless you have a high "
        "per-monitor DPI setting enabled.";
    line.colour = {255, 0, 0};
  }
  return line;
}

namespace {
// A value taken as a whole number: a stored number as it is, a text by its leading
// digits, a missing value as 0.
std::int32_t WholeNumber(const RegistryData& data) {
  if (auto number = data.Number()) return *number;
  return static_cast<std::int32_t>(std::strtol(data.ToText().c_str(), nullptr, 10));
}
}  // namespace

void frmSharpwell::ShowSystemDpi() {
  DpiLine line = DescribeSystemDpi(WholeNumber(GetRegValue(RegistryPath::WindowMetrics, "AppliedDPI")));
  c_.lblDPI.SetCaption(line.caption);
  c_.lblDPI.SetToolTip(line.toolTip);
  c_.lblDPI.SetForeColour(line.colour);
}
