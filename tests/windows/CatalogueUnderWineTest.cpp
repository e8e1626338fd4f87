// The catalogue over the real window, the real registry and real processes (under
// Wine): Wine's HKCU is seeded with compatibility entries and a UserAssist list that
// name copies of the generated executables, one copy runs as a process, and one
// discovery tick fills both real list views. The lists are then read back through the
// list-view messages and the flag commands are checked against the registry.
#include "platform/ProgramText.h"
#include "compat/modRegistry.h"
#include "platform/CurrentError.h"
#include "platform/modSharpwell.h"
#include "shell/window/MainWindow.h"

#include "common/FixturePath.h"
#include "windows/SeededRegistry.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {
constexpr const char* kLayers = SeededRegistry::kLayers;
constexpr const char* kLayersSubKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
// "prüfung 試験\grüße.exe": only ASCII letters change case in paths, so these are
// already in their lower-case form apart from the capital G.
const std::string kNonAsciiFolder = "pr\xC3\xBC" "fung \xE8\xA9\xA6\xE9\xA8\x93";
const std::string kNonAsciiFile = "Gr\xC3\xBC\xC3\x9F" "e.exe";

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// A Layers value read with the system's own call, independent of the program's reader.
std::optional<std::string> ReadLayersValue(const std::string& name) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kLayersSubKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
    return std::nullopt;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::string(data);  // the stored text up to its terminating zero
}

// One row of a report list view as the user sees it.
struct ShownRow {
  std::vector<std::string> cells;
  int image = -1;
  bool selected = false;
};

std::string CellText(HWND list, int index, int column) {
  char text[1040] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<ShownRow> ReadList(HWND list, int columns) {
  std::vector<ShownRow> rows;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    ShownRow row;
    for (int c = 0; c < columns; ++c) row.cells.push_back(CellText(list, i, c));
    LVITEMA item{};
    item.mask = LVIF_IMAGE | LVIF_STATE;
    item.iItem = i;
    item.stateMask = LVIS_SELECTED;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    row.image = item.iImage;
    row.selected = (item.state & LVIS_SELECTED) != 0;
    rows.push_back(row);
  }
  return rows;
}

// A started copy of a window fixture, ended and released with the object.
class RunningProgram {
 public:
  explicit RunningProgram(const std::string& path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // It ends by itself too, should the test program die before ending it.
    std::string line = "\"" + path + "\" /exit-after 300";
    started_ = CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &info_) != FALSE;
    if (started_) WaitForInputIdle(info_.hProcess, 10000);
  }
  ~RunningProgram() {
    if (!started_) return;
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  bool Started() const { return started_; }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

// Everything one discovery run works on: copies of the test executables in a folder of
// their own, the registry entries naming them, one running copy and the real window.
class Scene {
 public:
  Scene() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "sharpwell-catalogue-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    char longPath[MAX_PATH] = {};
    GetLongPathNameA(folder.c_str(), longPath, MAX_PATH);  // the form processes report
    folder_ = std::string(longPath) + "\\";
  }

  ~Scene() {
    window.reset();
    running.reset();
    for (const std::string& path : files_) DeleteFileA(path.c_str());
    if (nonAscii) RemoveDirectoryA((folder_ + kNonAsciiFolder).c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // Copies fixtures/ARCH/FIXTURE to NAME in the scene's folder; returns the copy's path.
  std::string Copy(const char* arch, const char* fixture, const std::string& name) {
    const std::string path = folder_ + name;
    if (!CopyFileA(fixtures::FixturePath(arch, fixture).c_str(), path.c_str(), FALSE))
      ADD_FAILURE() << "cannot copy " << fixture << " to " << path << ": " << GetLastError();
    files_.push_back(path);
    return path;
  }
  const std::string& Folder() const { return folder_; }

  SeededRegistry registry;
  std::unique_ptr<RunningProgram> running;
  std::unique_ptr<MainWindow> window;
  bool nonAscii = false;

 private:
  std::string folder_;
  std::vector<std::string> files_;
};

class CatalogueUnderWineTest : public ::testing::Test {
 protected:
  // The paths of the copies, in the case they were written.
  struct Paths {
    std::string legacy, classic, aware, console, iconic, running, newcomer, skipped, gone, nonAscii;
  };

  static void SetUpTestSuite() {
    scene_ = std::make_unique<Scene>();
    Scene& s = *scene_;
    Paths& p = paths_;
    p.legacy = s.Copy("x64", "dpi_false.exe", "Legacy Tool.EXE");
    p.classic = s.Copy("x64", "dpi_false.exe", "classic.exe");
    p.aware = s.Copy("x64", "dpi_true_lower.exe", "aware.exe");
    p.console = s.Copy("x86", "console_true.exe", "console.exe");
    p.iconic = s.Copy("x64", "gui_icon.exe", "iconic.exe");
    p.running = s.Copy("x64", "dpi_false.exe", "running.exe");
    p.newcomer = s.Copy("x64", "dpi_false.exe", "newcomer.exe");
    p.skipped = s.Copy("x64", "dpi_false.exe", "skipped.exe");
    p.gone = s.Folder() + "gone.exe";  // named by both lists, never created

    // The compatibility list: as the program writes names (upper case), as other tools
    // may (any case), with flags of other tools around the program's own.
    s.registry.AddLayer(Upper(p.legacy), "~ WIN7RTM");
    s.registry.AddLayer(p.classic, "~ HIGHDPIAWARE WIN7RTM");
    s.registry.AddLayer(Upper(p.iconic), "HIGHDPIAWARE");
    s.registry.AddLayer(Upper(p.gone), "HIGHDPIAWARE");

    // Explorer's recent programs: drive paths in ROT13, some also on the compatibility
    // list in another case, and names of other forms that must add nothing.
    for (const std::string& path : {p.aware, p.console, Upper(p.iconic), Lower(p.classic), p.newcomer, p.gone})
      s.registry.AddRecent(path);
    std::string forwardSlashes = p.skipped;
    std::replace(forwardSlashes.begin(), forwardSlashes.end(), '\\', '/');
    s.registry.AddRecent(forwardSlashes);  // opens on Windows, but is not of the drive form
    s.registry.AddRecent("{6D809377-6AF0-444B-8957-A3773F02200E}\\" + p.skipped.substr(3));
    s.registry.AddRecent("UEME_CTLSESSION");
    s.registry.AddRecent("UEME_CTLCUACount:ctor");

    if (GetACP() == CP_UTF8) {
      CreateDirectoryA((s.Folder() + kNonAsciiFolder).c_str(), nullptr);
      s.nonAscii = true;
      p.nonAscii = s.Copy("x64", "dpi_false.exe", kNonAsciiFolder + "\\" + kNonAsciiFile);
      s.registry.AddRecent(p.nonAscii);
    }

    s.running = std::make_unique<RunningProgram>(p.running);

    modSharpwell::AppProductName = "Sharpwell";
    modSharpwell::AppExePath = "C:\\Program Files\\Sharpwell\\Sharpwell.exe";
    CurrentError::Clear();
    s.window = MainWindow::Create(GetModuleHandleA(nullptr));
    if (!s.window) return;
    s.window->SetEndProcessHook([] {});
    s.window->Form().Form_Load(true);  // shows the window and arms the discovery timer
    s.window->Form().tmrLoad_Timer();  // the tick itself, which disarms the timer first
  }

  static void TearDownTestSuite() { scene_.reset(); }

  void SetUp() override {
    ASSERT_NE(scene_->window, nullptr) << "the main window could not be created";
    ASSERT_TRUE(scene_->running && scene_->running->Started()) << "the running fixture did not start";
  }

  static MainWindow& Window() { return *scene_->window; }
  static frmSharpwell& Form() { return scene_->window->Form(); }
  static HWND Programs() { return scene_->window->Control(ControlId::lvwPrograms); }
  static HWND Compat() { return scene_->window->Control(ControlId::lvwCompat); }

  // Catalogue rows by their "Path" column.
  static std::map<std::string, ShownRow> ProgramRows() {
    std::map<std::string, ShownRow> rows;
    for (ShownRow& row : ReadList(Programs(), 4)) rows[row.cells[3]] = row;
    return rows;
  }
  // Catalogue rows of programs in the scene's folder.
  static int ProgramRowsInFolder() {
    const std::string folder = Lower(scene_->Folder());
    int count = 0;
    for (const auto& [path, row] : ProgramRows()) count += path.starts_with(folder) ? 1 : 0;
    return count;
  }
  // The compatibility row showing `name`, as its position (0-based) and contents.
  static std::optional<std::pair<int, ShownRow>> CompatRow(const std::string& name) {
    std::vector<ShownRow> rows = ReadList(Compat(), 2);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
      if (rows[i].cells[0] == name) return std::make_pair(i, rows[i]);
    return std::nullopt;
  }
  // Selects exactly the compatibility rows showing the given names.
  static void SelectCompatRows(const std::vector<std::string>& names) {
    LVITEMA none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageA(Compat(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    for (const std::string& name : names) {
      std::optional<std::pair<int, ShownRow>> row = CompatRow(name);
      ASSERT_TRUE(row) << name;
      LVITEMA item{};
      item.state = LVIS_SELECTED;
      item.stateMask = LVIS_SELECTED;
      SendMessageA(Compat(), LVM_SETITEMSTATE, row->first, reinterpret_cast<LPARAM>(&item));
    }
  }
  // Sets a check mark of the compatibility menu (by position) so that the next command
  // turns it the other way.
  static void SetMenuCheck(UINT position, bool checked) {
    CheckMenuItem(Window().Menu(PopupMenu::Compat), position,
                  MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
  static std::string Flags(const std::string& name) {
    std::optional<std::pair<int, ShownRow>> row = CompatRow(name);
    return row ? row->second.cells[1] : "<no row>";
  }

  static std::unique_ptr<Scene> scene_;
  static Paths paths_;
};
std::unique_ptr<Scene> CatalogueUnderWineTest::scene_;
CatalogueUnderWineTest::Paths CatalogueUnderWineTest::paths_;
}  // namespace

TEST_F(CatalogueUnderWineTest, EachProgramOfTheThreeSourcesIsOneRowWithItsColumns) {
  const Paths& p = paths_;
  struct Expected {
    std::string path, name, dpi, bits;
  };
  const std::vector<Expected> expected = {
      {p.legacy, "legacy tool.exe", "No", "x64"},   // compatibility list, upper-case name
      {p.classic, "classic.exe", "No", "x64"},      // compatibility and recent lists
      {p.aware, "aware.exe", "Yes", "x64"},         // recent list
      {p.console, "console.exe", "N/A", "x86"},     // recent list, a 32-bit console program
      {p.iconic, "iconic.exe", "Yes", "x64"},       // both lists
      {p.running, "running.exe", "No", "x64"},      // running process only
      {p.newcomer, "newcomer.exe", "No", "x64"},    // recent list
  };
  std::map<std::string, ShownRow> rows = ProgramRows();
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.path);
    auto found = rows.find(Lower(e.path));
    ASSERT_NE(found, rows.end());
    EXPECT_EQ(found->second.cells, (std::vector<std::string>{e.name, e.dpi, e.bits, Lower(e.path)}));
  }
  // Nothing else from the folder: no duplicates, no stale or skipped names.
  EXPECT_EQ(ProgramRowsInFolder(), static_cast<int>(expected.size()) + (scene_->nonAscii ? 1 : 0));
  EXPECT_FALSE(rows.contains(Lower(p.gone)));
  EXPECT_FALSE(rows.contains(Lower(p.skipped)));
}

TEST_F(CatalogueUnderWineTest, CompatibilityListShowsEveryEntryWithItsFlagsAndTheTickEndsReady) {
  EXPECT_EQ(Flags("legacy tool.exe"), "~ WIN7RTM");
  EXPECT_EQ(Flags("classic.exe"), "~ HIGHDPIAWARE WIN7RTM");
  EXPECT_EQ(Flags("iconic.exe"), "HIGHDPIAWARE");
  EXPECT_EQ(Flags("gone.exe"), "HIGHDPIAWARE");  // listed although its file is missing

  char status[64] = {};
  SendMessageA(Window().Control(ControlId::SBar), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
  EXPECT_STREQ(status, "Ready");
}

TEST_F(CatalogueUnderWineTest, ProgramsWithAnIconShowItInBothListsOthersKeepTheDefault) {
  std::map<std::string, ShownRow> rows = ProgramRows();
  ASSERT_TRUE(rows.contains(Lower(paths_.iconic)) && rows.contains(Lower(paths_.legacy)));
  const ShownRow& iconic = rows[Lower(paths_.iconic)];
  const ShownRow& legacy = rows[Lower(paths_.legacy)];  // a program without an icon
  std::optional<std::pair<int, ShownRow>> gone = CompatRow("gone.exe");
  ASSERT_TRUE(gone);
  const int defaultImage = gone->second.image;  // no program file, so the default icon
  EXPECT_GE(defaultImage, 0);
  EXPECT_EQ(legacy.image, defaultImage);
  EXPECT_NE(iconic.image, defaultImage);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(Programs(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  EXPECT_LT(iconic.image, ImageList_GetImageCount(images));
  // The compatibility row of the same program shows the catalogue's image.
  EXPECT_EQ(CompatRow("iconic.exe")->second.image, iconic.image);
  EXPECT_EQ(CompatRow("legacy tool.exe")->second.image, defaultImage);
}

TEST_F(CatalogueUnderWineTest, FlagCommandsChangeOnlyTheirOwnWordOnTheSelectedRows) {
  const std::string legacyName = Upper(paths_.legacy);
  SelectCompatRows({"legacy tool.exe", "classic.exe"});

  SetMenuCheck(0, false);
  Form().mnuCompatDPI_Click();  // on: added where missing, other words kept
  EXPECT_EQ(Flags("legacy tool.exe"), "~ WIN7RTM HIGHDPIAWARE");
  EXPECT_EQ(ReadLayersValue(legacyName), "~ WIN7RTM HIGHDPIAWARE");
  EXPECT_EQ(Flags("classic.exe"), "~ HIGHDPIAWARE WIN7RTM");
  EXPECT_EQ(ReadLayersValue(paths_.classic), "~ HIGHDPIAWARE WIN7RTM");

  Form().mnuCompatDPI_Click();  // off: removed from both, the blanks closed up
  EXPECT_EQ(Flags("legacy tool.exe"), "~ WIN7RTM");
  EXPECT_EQ(ReadLayersValue(legacyName), "~ WIN7RTM");
  EXPECT_EQ(Flags("classic.exe"), "~ WIN7RTM");
  EXPECT_EQ(ReadLayersValue(paths_.classic), "~ WIN7RTM");

  SelectCompatRows({"legacy tool.exe"});
  SetMenuCheck(1, false);
  Form().mnuCompatAdmin_Click();
  EXPECT_EQ(ReadLayersValue(legacyName), "~ WIN7RTM RUNASADMIN");
  EXPECT_EQ(Flags("classic.exe"), "~ WIN7RTM");  // not selected
  Form().mnuCompatAdmin_Click();
  EXPECT_EQ(ReadLayersValue(legacyName), "~ WIN7RTM");
}

TEST_F(CatalogueUnderWineTest, AddingAProgramThatIsNotAwareWritesItsUpperCasePathOnce) {
  const int compatRows = static_cast<int>(SendMessageA(Compat(), LVM_GETITEMCOUNT, 0, 0));
  // The running program was found by the process scan alone; it goes on the list now.
  EXPECT_EQ(Form().Catalogue.AddProgram(paths_.running, true), AddedToCompatList);
  EXPECT_EQ(Flags("running.exe"), "HIGHDPIAWARE");
  EXPECT_EQ(ReadLayersValue(paths_.running), "HIGHDPIAWARE");
  std::vector<std::string> names = EnumRegValues(kLayers);
  EXPECT_NE(std::find(names.begin(), names.end(), Upper(paths_.running)), names.end())
      << "the value is named by the upper-case path";

  EXPECT_EQ(Form().Catalogue.AddProgram(Upper(paths_.running), true), AlreadyInCompatList);
  EXPECT_EQ(Form().Catalogue.AddProgram(paths_.aware, true), Listed);    // declares DPI awareness
  EXPECT_EQ(Form().Catalogue.AddProgram(paths_.console, true), Listed);  // not a window program
  EXPECT_EQ(ReadLayersValue(paths_.aware), std::nullopt);
  EXPECT_EQ(ReadLayersValue(paths_.console), std::nullopt);
  EXPECT_EQ(SendMessageA(Compat(), LVM_GETITEMCOUNT, 0, 0), compatRows + 1);
}

TEST_F(CatalogueUnderWineTest, DeleteRemovesTheSelectedEntryFromListAndRegistryOnly) {
  const int programs = static_cast<int>(SendMessageA(Programs(), LVM_GETITEMCOUNT, 0, 0));
  ASSERT_TRUE(ReadLayersValue(Upper(paths_.gone)));
  SelectCompatRows({"gone.exe"});
  Form().mnuCompatDelete_Click();
  EXPECT_FALSE(CompatRow("gone.exe"));
  EXPECT_EQ(ReadLayersValue(Upper(paths_.gone)), std::nullopt);
  EXPECT_TRUE(CompatRow("iconic.exe"));
  EXPECT_EQ(ReadLayersValue(Upper(paths_.iconic)), "HIGHDPIAWARE");
  EXPECT_EQ(SendMessageA(Programs(), LVM_GETITEMCOUNT, 0, 0), programs);
}

TEST_F(CatalogueUnderWineTest, ASecondRunAddsOnlyNewEntriesAndKeepsTheFlagsShown) {
  const int programRows = ProgramRowsInFolder();
  const std::string classicFlags = Flags("classic.exe");
  const int compatRows = static_cast<int>(SendMessageA(Compat(), LVM_GETITEMCOUNT, 0, 0));
  // Meanwhile another tool changes one entry and adds another.
  SetRegValue(kLayers, paths_.classic, "CHANGED");
  SetRegValue(kLayers, paths_.aware, "RUNASADMIN");

  Form().tmrLoad_Timer();

  EXPECT_EQ(ProgramRowsInFolder(), programRows);
  EXPECT_EQ(Flags("classic.exe"), classicFlags);
  EXPECT_EQ(Flags("aware.exe"), "RUNASADMIN");
  EXPECT_EQ(SendMessageA(Compat(), LVM_GETITEMCOUNT, 0, 0), compatRows + 1);
}

TEST_F(CatalogueUnderWineTest, ProgramInAFolderWithNonAsciiCharactersIsListedAndFlagged) {
  if (!scene_->nonAscii) GTEST_SKIP() << "the UTF-8 code page is not active";
  const std::string path = paths_.nonAscii;
  std::map<std::string, ShownRow> rows = ProgramRows();
  auto found = rows.find(Lower(path));
  ASSERT_NE(found, rows.end()) << path;
  EXPECT_EQ(found->second.cells[0], "gr\xC3\xBC\xC3\x9F" "e.exe");
  EXPECT_EQ(found->second.cells[1], "No");

  EXPECT_EQ(Form().Catalogue.AddProgram(path, true), AddedToCompatList);
  EXPECT_EQ(ReadLayersValue(path), "HIGHDPIAWARE");
  EXPECT_EQ(Flags("gr\xC3\xBC\xC3\x9F" "e.exe"), "HIGHDPIAWARE");
}
