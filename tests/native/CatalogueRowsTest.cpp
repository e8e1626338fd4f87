// AddProgram over real executables on the mapped drive, and the icon fill that follows.
#include "native/FormFixture.h"

using CatalogueRowsTest = FormFixture;

TEST_F(CatalogueRowsTest, ResultsOfAskingForTheCompatibilityList) {
  const struct {
    const char *path, *again;  // the same program, written another way
    AddResult first, second;
    const char* verdict;  // nullptr: no row
  } cases[] = {
      {apps::Missing, apps::Missing, NotLoaded, NotLoaded, nullptr},
      {"C:\\Apps", "C:\\Apps", NotLoaded, NotLoaded, nullptr},  // a folder
      {apps::Console, apps::Console, Listed, Listed, "N/A"},
      {apps::Aware, "c:\\APPS\\aware.EXE", Listed, Listed, "Yes"},
      {apps::Legacy, "C:\\APPS\\LEGACY.EXE", AddedToCompatList, AlreadyInCompatList, "No"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(form.Catalogue.AddProgram(c.path, true), c.first);
    EXPECT_EQ(form.Catalogue.DoesFileExist(c.again), c.verdict != nullptr);
    EXPECT_EQ(form.Catalogue.AddProgram(c.again, true), c.second);
    const int row = lvwPrograms.FindRow(Key(c.path)).value_or(0);  // 0: no row, no cell
    EXPECT_EQ(lvwPrograms.SubItem(row, 1).value_or("-"), c.verdict ? c.verdict : "-");
  }
  EXPECT_EQ(Column(lvwPrograms, 3), (std::vector<std::string>{Key(apps::Console), Key(apps::Aware),
                                                             Key(apps::Legacy)}));
  // Only the program that is not DPI aware went on the compatibility list.
  ASSERT_EQ(Keys(lvwCompat), std::vector<std::string>{Key(apps::Legacy)});
  EXPECT_EQ(lvwCompat.SubItem(1, 1), "HIGHDPIAWARE");
  EXPECT_EQ(EnumRegValues(RegistryPath::Layers), std::vector<std::string>{Upper(apps::Legacy)});

  // A listed program is not read again, and its deleted value is not written again.
  std::filesystem::remove(drive.Path("Apps/Legacy.exe"));
  DeleteRegValue(RegistryPath::Layers, Upper(apps::Legacy));
  EXPECT_EQ(form.Catalogue.AddProgram(apps::Legacy, true), AlreadyInCompatList);
  EXPECT_EQ(form.Catalogue.AddProgram(apps::Legacy), Listed);
  EXPECT_TRUE(Layer(apps::Legacy).IsNone());
  EXPECT_FALSE(form.Catalogue.DoesFileExist("C:\\NoFolder\\Legacy.exe"));
}

TEST_F(CatalogueRowsTest, OneRowAndOneLayersValuePerPathInEveryLetterCaseOfTheCodePage) {
  platform::standin::SetActiveCodePage(1252);
  const std::string mixed = "C:\\Apps\\\xDCn\xEF\\A.exe", upper = "C:\\APPS\\\xDCN\xCF\\A.EXE";
  CopyFixture("x64", "dpi_false.exe", mixed);
  EXPECT_EQ(form.Catalogue.AddProgram(mixed, true), AddedToCompatList);
  EXPECT_EQ(form.Catalogue.AddProgram(upper, true), AlreadyInCompatList);
  EXPECT_EQ(Keys(lvwCompat), std::vector<std::string>{"c:\\apps\\\xFCn\xEF\\a.exe"});
  EXPECT_EQ(EnumRegValues(RegistryPath::Layers), std::vector<std::string>{upper});
}

namespace {
constexpr std::uint32_t kPainterColour = 0xFF00FF00, kShell0 = 0xFF0000FF, kShell2 = 0xFFFF0000;
std::uint32_t PixelOf(const ImageList& images, const std::string& key) {
  std::optional<Picture> picture = images.Image(key);
  return picture && !picture->pixels.empty() ? picture->pixels[0] : 0;
}
}  // namespace

// The default icon text alone takes index 2; rows take their own image once there is one.
// The fill is restarted by each program added while the window is visible.
TEST_F(CatalogueRowsTest, GetIconAndTheIconFill) {
  platform::standin::SetIcon(kDefaultIconKey, 0, kShell0);
  platform::standin::SetIcon(kDefaultIconKey, 2, kShell2);
  platform::standin::SetIcon(apps::Painter, 0, kPainterColour);
  const std::string otherCase = "c:\\windows\\system32\\shell32.dll";
  EXPECT_TRUE(form.Catalogue.GetIcon(kDefaultIconKey));
  EXPECT_TRUE(form.Catalogue.GetIcon(otherCase));
  EXPECT_EQ(PixelOf(imlIcons, kDefaultIconKey), kShell2);
  EXPECT_EQ(PixelOf(imlIcons, otherCase), kShell0);
  EXPECT_EQ(imlIcons.Image(otherCase)->width, 16);
  EXPECT_FALSE(form.Catalogue.GetIcon(apps::Legacy));  // no icon in the file

  form.Catalogue.AddProgram(apps::Painter);
  form.Catalogue.AddProgram(apps::Legacy);
  AddCompatRow(apps::Painter, "HIGHDPIAWARE");
  AddCompatRow(apps::Missing, "HIGHDPIAWARE");  // not in the catalogue
  EXPECT_EQ(tmrGetIcons.Armings(), 0);
  tmrGetIcons.SetEnabled(true);
  form.tmrGetIcons_Timer();
  EXPECT_FALSE(tmrGetIcons.Enabled());
  EXPECT_EQ(PixelOf(imlIcons, Key(apps::Painter)), kPainterColour);
  EXPECT_EQ(lvwPrograms.SmallIcon(1), Key(apps::Painter));
  EXPECT_EQ(lvwPrograms.SmallIcon(2), kDefaultIconKey);
  EXPECT_EQ(lvwCompat.SmallIcon(1), Key(apps::Painter));
  EXPECT_EQ(lvwCompat.SmallIcon(2), kDefaultIconKey);

  // A row still waiting is tried again at the next pass.
  platform::standin::SetIcon(apps::Legacy, 0, kShell0);
  form.tmrGetIcons_Timer();
  EXPECT_EQ(lvwPrograms.SmallIcon(2), Key(apps::Legacy));
  window.Show();
  form.Catalogue.AddProgram(apps::Aware);
  form.Catalogue.AddProgram(apps::Missing);  // returns before the restart
  EXPECT_EQ(tmrGetIcons.Armings(), 2);
  EXPECT_TRUE(tmrGetIcons.Enabled());
}
