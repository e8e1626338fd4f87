#pragma once
// One main window over the in-memory controls, with drive C: mapped to a fresh folder
// holding copies of the generated test executables. Every stand-in starts empty.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "MemoryMainWindow.h"
#include "common/FixturePath.h"
#include "common/TempFolder.h"
#include "compat/LayersKey.h"
#include "compat/modRegistry.h"
#include "platform/ProgramText.h"
#include "platform/TextApi.h"
#include "platform/modSharpwell.h"
#include "platform/standin/Clock.h"
#include "platform/standin/CodePage.h"
#include "platform/standin/HostPath.h"
#include "platform/standin/IconTable.h"
#include "platform/standin/ProcessTable.h"
#include "platform/standin/RegistryStore.h"
#include "platform/standin/TrayArea.h"

namespace apps {
// Programs on drive C: and the generated executable each one is a copy of.
inline constexpr const char* Legacy = "C:\\Apps\\Legacy.exe";    // graphical, "No"
inline constexpr const char* Old32 = "C:\\Apps\\Old32.exe";      // graphical, "No", x86
inline constexpr const char* Aware = "C:\\Apps\\Aware.exe";      // graphical, "Yes"
inline constexpr const char* Console = "C:\\Apps\\Console.exe";  // console, "N/A"
inline constexpr const char* Painter = "C:\\Apps\\Painter.exe";  // graphical, "Yes", icon resource
inline constexpr const char* AppSvchost = "C:\\Apps\\svchost.exe";
inline constexpr const char* SysSvchost = "C:\\Windows\\system32\\svchost.exe";
inline constexpr const char* Notepad = "C:\\Windows\\notepad.exe";
inline constexpr const char* Missing = "C:\\Apps\\Gone.exe";
}  // namespace apps

class FormFixture : public ::testing::Test, protected MemoryMainWindow {
 protected:
  void SetUp() override {
    ResetStandIns();
    platform::standin::SetDriveRoot('C', drive.Path());
    const char* unaware[] = {apps::Legacy, apps::AppSvchost, apps::SysSvchost, apps::Notepad};
    for (const char* path : unaware) CopyFixture("x64", "dpi_false.exe", path);
    CopyFixture("x86", "dpi_false.exe", apps::Old32);
    CopyFixture("x64", "dpi_true_lower.exe", apps::Aware);
    CopyFixture("x64", "console_true.exe", apps::Console);
    CopyFixture("x64", "gui_icon.exe", apps::Painter);
    modSharpwell::AppExePath = "C:\\Program Files\\Sharpwell\\Sharpwell.exe";
    modSharpwell::AppProductName = "Sharpwell";
  }

  void TearDown() override {
    ResetStandIns();
    platform::standin::SetDriveRoot('C', "");
    EXPECT_EQ(platform::standin::OpenSnapshotCount() + platform::standin::OpenProcessCount(), 0u);
    EXPECT_EQ(platform::standin::OpenIconCount() + platform::standin::OpenRegistryHandles(), 0u);
  }

  static void ResetStandIns() {
    platform::standin::ResetRegistry();
    platform::standin::ResetProcessTable();
    platform::standin::ResetIconTable();
    platform::standin::SetClock(std::nullopt);
    platform::standin::SetActiveCodePage(65001);
    platform::standin::Tray() = {};
  }

  // Copies a generated executable to "C:\Apps\Tool.exe", i.e. <drive folder>/Apps/Tool.exe.
  void CopyFixture(const char* arch, const char* fixture, std::string windowsPath) {
    for (char& c : windowsPath)
      if (c == '\\') c = '/';
    const std::filesystem::path host = drive.Path() + "/" + windowsPath.substr(3);
    std::filesystem::create_directories(host.parent_path());
    std::filesystem::copy_file(fixtures::FixturePath(arch, fixture), host);
  }

  static std::string Key(const std::string& path) { return platform::LowerCasePath(path); }
  static std::string Upper(const std::string& path) { return platform::UpperCasePath(path); }
  static RegistryData Layer(const std::string& path) {
    return GetRegValue(RegistryPath::Layers, Upper(path));
  }

  // One column of a list (-1: the row keys), in order; its selected rows.
  static std::vector<std::string> Column(const ListView& list, int subItem) {
    std::vector<std::string> cells;
    for (int i = 1; i <= list.Count(); ++i) {
      const auto cell = subItem < 0 ? list.Key(i) : subItem ? list.SubItem(i, subItem) : list.Text(i);
      cells.push_back(cell.value_or("?"));
    }
    return cells;
  }
  static std::vector<std::string> Keys(const ListView& list) { return Column(list, -1); }
  static std::vector<int> SelectedRows(const ListView& list) {
    std::vector<int> rows;
    for (int i = 1; i <= list.Count(); ++i)
      if (list.Selected(i) == true) rows.push_back(i);
    return rows;
  }

  // A compatibility row as discovery would make it; with `stored`, its Layers value too.
  int AddCompatRow(const std::string& path, const std::string& flags, bool stored = false) {
    int row = lvwCompat.AddRow(Key(path), ::GetFileName(Key(path)), kDefaultIconKey).value();
    lvwCompat.SetSubItem(row, 1, flags);
    if (stored) SetRegValue(RegistryPath::Layers, Upper(path), flags);
    return row;
  }

  TempFolder drive;
};
