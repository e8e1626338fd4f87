#pragma once
// One main window over the in-memory controls, with drive C: mapped to a fresh folder
// that holds copies of the generated test executables under Windows-like paths. Every
// stand-in (registry, processes, icons, clock, notification area) starts empty.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "compat/CompatFlags.h"
#include "compat/LayersKey.h"
#include "platform/ProgramText.h"
#include "common/FixturePath.h"
#include "common/TempFolder.h"
#include "compat/modRegistry.h"
#include "platform/RegistryApi.h"
#include "platform/standin/Clock.h"
#include "platform/standin/CodePage.h"
#include "platform/standin/HostPath.h"
#include "platform/standin/IconTable.h"
#include "platform/standin/ProcessTable.h"
#include "platform/standin/RegistryStore.h"
#include "platform/standin/TrayArea.h"
#include "platform/Layout.h"
#include "platform/TextApi.h"
#include "platform/modSharpwell.h"
#include "MemoryMainWindow.h"

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

struct Copy {
  const char* path;
  const char* arch;
  const char* fixture;
};
inline constexpr Copy kCopies[] = {
    {Legacy, "x64", "dpi_false.exe"},     {Old32, "x86", "dpi_false.exe"},
    {Aware, "x64", "dpi_true_lower.exe"}, {Console, "x64", "console_true.exe"},
    {Painter, "x64", "gui_icon.exe"},     {AppSvchost, "x64", "dpi_false.exe"},
    {SysSvchost, "x64", "dpi_false.exe"}, {Notepad, "x64", "dpi_false.exe"},
};
}  // namespace apps

inline constexpr const char* kLayersSubKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
inline constexpr const char* kAppExePath = "C:\\Program Files\\Sharpwell\\Sharpwell.exe";

class FormFixture : public ::testing::Test, protected MemoryMainWindow {
 protected:
  void SetUp() override {
    ResetStandIns();
    platform::standin::SetDriveRoot('C', drive.Path());
    for (const apps::Copy& copy : apps::kCopies) {
      std::filesystem::path host = HostPath(copy.path);
      std::filesystem::create_directories(host.parent_path());
      std::filesystem::copy_file(fixtures::FixturePath(copy.arch, copy.fixture), host);
    }
    modSharpwell::AppExePath = kAppExePath;
    modSharpwell::AppProductName = "Sharpwell";
  }

  void TearDown() override {
    ResetStandIns();
    platform::standin::SetDriveRoot('C', "");
    EXPECT_EQ(platform::standin::OpenSnapshotCount(), 0u);
    EXPECT_EQ(platform::standin::OpenProcessCount(), 0u);
    EXPECT_EQ(platform::standin::OpenIconCount(), 0u);
    EXPECT_EQ(platform::standin::OpenRegistryHandles(), 0u);
  }

  static void ResetStandIns() {
    platform::standin::ResetRegistry();
    platform::standin::ResetProcessTable();
    platform::standin::ResetIconTable();
    platform::standin::SetClock(std::nullopt);
    platform::standin::SetActiveCodePage(65001);
    platform::standin::Tray() = {};
  }

  // "C:\Apps\Tool.exe" -> <drive folder>/Apps/Tool.exe
  std::string HostPath(std::string windowsPath) const {
    std::string rest = windowsPath.substr(3);
    for (char& c : rest)
      if (c == '\\') c = '/';
    return drive.Path() + "/" + rest;
  }

  // The path as rows key it, and as the Layers value is named.
  static std::string Key(const std::string& path) { return platform::LowerCasePath(path); }
  static std::string Upper(const std::string& path) { return platform::UpperCasePath(path); }

  static RegistryData Layer(const std::string& name) {
    return GetRegValue(RegistryPath::Layers, name);
  }
  // The stored type of a Layers value, none when it is missing.
  static std::optional<std::uint32_t> LayerType(const std::string& name) {
    platform::RegistryKey key;
    std::uint32_t type = 0, size = 0;
    if (platform::RegOpenKeyExA(platform::reg::kCurrentUser, kLayersSubKey, 0,
                                platform::reg::kQueryValue | platform::reg::kWow64Key64,
                                key.Receive()) != 0 ||
        platform::RegQueryValueExA(key.Get(), name, &type, nullptr, &size) != 0)
      return std::nullopt;
    return type;
  }

  // Keys of the rows of a list, in order; and one column of it.
  static std::vector<std::string> Keys(const ListView& list) {
    std::vector<std::string> keys;
    for (int i = 1; i <= list.Count(); ++i) keys.push_back(list.Key(i).value_or("?"));
    return keys;
  }
  static std::vector<std::string> Column(const ListView& list, int subItem) {
    std::vector<std::string> cells;
    for (int i = 1; i <= list.Count(); ++i)
      cells.push_back((subItem == 0 ? list.Text(i) : list.SubItem(i, subItem)).value_or("?"));
    return cells;
  }
  static std::vector<int> SelectedRows(const ListView& list) {
    std::vector<int> rows;
    for (int i = 1; i <= list.Count(); ++i)
      if (list.Selected(i) == true) rows.push_back(i);
    return rows;
  }

  // A compatibility row as discovery would make it, with its value stored.
  int AddCompatRow(const std::string& path, const std::string& flags) {
    int row = lvwCompat.AddRow(Key(path), ::GetFileName(Key(path)), kDefaultIconKey)
                  .value();
    lvwCompat.SetSubItem(row, 1, flags);
    return row;
  }

  TempFolder drive;
};
