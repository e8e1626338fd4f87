#pragma once
// The main window with every control in memory and the form over them: what the
// command line runs discovery on without a window, and what tests drive. The lists
// have the real window's columns.
#include "platform/memory/MemoryControls.h"
#include "platform/memory/MemoryForm.h"
#include "shell/frmSharpwell.h"

struct MemoryMainWindow {
  MemoryMainWindow();
  MemoryMainWindow(const MemoryMainWindow&) = delete;
  MemoryMainWindow& operator=(const MemoryMainWindow&) = delete;

  MemoryImageList imlIcons;
  MemoryListView lvwPrograms{imlIcons};
  MemoryListView lvwCompat{imlIcons};
  MemoryStatusBar SBar;
  MemoryProgressBar PBar;
  MemoryTimer tmrLoad{TimerInterval::LoadAtStart};
  MemoryTimer tmrGetIcons{TimerInterval::GetIcons};
  MemoryTimer tmrMonitor{TimerInterval::Monitor};
  MemoryCheckBox chkMonitor;
  MemoryLabel lblInstructions, lblDPI;
  MemoryMenuItem mnuCompatDPI, mnuCompatAdmin;
  MemoryFormWindow window;
  frmSharpwell form{FormParts{lvwPrograms, lvwCompat, imlIcons, SBar, PBar, tmrLoad, tmrGetIcons,
                              tmrMonitor, chkMonitor, lblInstructions, lblDPI, mnuCompatDPI,
                              mnuCompatAdmin, window}};
};
