// One discovery tick over the real window, registry and processes under Wine: each
// source (a compatibility entry, a UserAssist name, a running program) reaches the real
// list views. Which rows discovery makes is checked over the in-memory controls.
#include "common/FixturePath.h"
#include "platform/AsciiCase.h"

#include "windows/WineSession.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {
using CatalogueUnderWineTest = wine_session::MainWindowTestBase;
using wine_session::CellText;
using wine_session::RowCount;

// The row of `list` whose column `column` shows `text`, or -1.
int RowShowing(HWND list, int column, const std::string& text) {
  for (int row = 0; row < RowCount(list); ++row)
    if (CellText(list, row, column) == text) return row;
  return -1;
}

int ImageOf(HWND list, int row) {
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  ListView_GetItem(list, &item);
  return item.iImage;
}
}  // namespace

TEST_F(CatalogueUnderWineTest, OneTickListsTheThreeSourcesInTheRealListViews) {
  const std::string iconic = fixtures::FixturePath("x64", "gui_icon.exe");
  const std::string console = fixtures::FixturePath("x86", "console_true.exe");
  const std::string running = fixtures::FixturePath("x64", "dpi_false.exe");
  registry_.AddLayer(UpperCase(iconic), "~ HIGHDPIAWARE WIN7RTM");
  registry_.AddRecent(console);
  wine_session::Child process(wine_session::Quoted(running) + " /exit-after 300");
  ASSERT_NE(wine_session::WaitForTopLevel(process.Id(), "SharpwellFixtureWindow", 10000), nullptr);

  Form().Form_Load(true);  // shows the window and arms the discovery timer
  Form().tmrLoad_Timer();  // the tick itself

  const HWND programs = Control(ControlId::lvwPrograms), compat = Control(ControlId::lvwCompat);
  for (const std::string& path : {iconic, console, running})
    EXPECT_GE(RowShowing(programs, 3, LowerCase(path)), 0) << path;
  const int flagged = RowShowing(compat, 0, "gui_icon.exe");
  ASSERT_GE(flagged, 0);
  EXPECT_EQ(CellText(compat, flagged, 1), "~ HIGHDPIAWARE WIN7RTM");

  // The program's own icon in both lists; the default one for a program without one.
  const int icon = ImageOf(programs, RowShowing(programs, 3, LowerCase(iconic)));
  EXPECT_NE(icon, ImageOf(programs, RowShowing(programs, 3, LowerCase(running))));
  EXPECT_EQ(ImageOf(compat, flagged), icon);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(programs, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  EXPECT_LT(icon, ImageList_GetImageCount(images));

  char status[64] = {};
  SendMessageA(Control(ControlId::SBar), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
  EXPECT_STREQ(status, "Ready");
}
