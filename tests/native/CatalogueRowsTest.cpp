// AddProgram over real executables on the mapped drive, and the icon fill that follows.
#include <filesystem>

#include "native/FormFixture.h"

using CatalogueRowsTest = FormFixture;

TEST_F(CatalogueRowsTest, OneRowPerPathWhateverItsCaseAndAListedProgramIsNotReadAgain) {
  window.Show();
  EXPECT_EQ(form.Catalogue.AddProgram("C:\\Apps\\LEGACY.EXE"), Listed);
  // With the file gone, only the key lookup can still answer 1.
  std::filesystem::remove(HostPath(apps::Legacy));
  EXPECT_EQ(form.Catalogue.AddProgram("c:\\apps\\legacy.exe"), Listed);

  ASSERT_EQ(Keys(lvwPrograms), std::vector<std::string>{"c:\\apps\\legacy.exe"});
  EXPECT_EQ(lvwPrograms.Text(1), "legacy.exe");
  EXPECT_EQ(lvwPrograms.SubItem(1, 1), "No");
  EXPECT_EQ(lvwPrograms.SubItem(1, 2), "x64");
  EXPECT_EQ(lvwPrograms.SubItem(1, 3), "c:\\apps\\legacy.exe");
  EXPECT_EQ(lvwPrograms.SmallIcon(1), kDefaultIconKey);
}

// Letter case beyond ASCII, in the active code page: one row and one Layers value,
// named by the path in upper case, however the path is written.
TEST_F(CatalogueRowsTest, OneRowAndOneLayersValuePerPathInEveryLetterCase) {
  const struct {
    unsigned codePage;
    const char *mixed, *upper, *lower;
  } cases[] = {
      {65001, "C:\\Apps\\\xC3\x9Cn\xC3\xAF\\A.exe", "C:\\APPS\\\xC3\x9CN\xC3\x8F\\A.EXE",
       "c:\\apps\\\xC3\xBCn\xC3\xAF\\a.exe"},
      {1252, "C:\\Apps\\\xDCn\xEF\\A.exe", "C:\\APPS\\\xDCN\xCF\\A.EXE", "c:\\apps\\\xFCn\xEF\\a.exe"},
  };
  window.Show();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codePage);
    platform::standin::SetActiveCodePage(c.codePage);
    std::filesystem::create_directories(std::filesystem::path(HostPath(c.mixed)).parent_path());
    std::filesystem::copy_file(fixtures::FixturePath("x64", "dpi_false.exe"), HostPath(c.mixed));
    EXPECT_EQ(form.Catalogue.AddProgram(c.mixed, true), AddedToCompatList);
    EXPECT_EQ(form.Catalogue.AddProgram(c.upper, true), AlreadyInCompatList);
    EXPECT_EQ(Keys(lvwCompat).back(), c.lower);
    EXPECT_EQ(EnumRegValues(RegistryPath::Layers).back(), c.upper);
  }
  EXPECT_EQ(lvwPrograms.Count(), 2);
  EXPECT_EQ(EnumRegValues(RegistryPath::Layers).size(), 2u);
}

TEST_F(CatalogueRowsTest, ResultsOfAskingForTheCompatibilityList) {
  struct Case {
    const char* path;
    AddResult first, second;
    const char* verdict;  // nullptr: no row
  };
  const Case cases[] = {
      {apps::Missing, NotLoaded, NotLoaded, nullptr},
      {"C:\\Apps", NotLoaded, NotLoaded, nullptr},  // a folder
      {apps::Console, Listed, Listed, "N/A"},
      {apps::Aware, Listed, Listed, "Yes"},
      {apps::Legacy, AddedToCompatList, AlreadyInCompatList, "No"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(form.Catalogue.AddProgram(c.path, true), c.first);
    EXPECT_EQ(form.Catalogue.AddProgram(c.path, true), c.second);
    std::optional<int> row = lvwPrograms.FindRow(Key(c.path));
    EXPECT_EQ(row.has_value(), c.verdict != nullptr);
    if (row) {
      EXPECT_EQ(lvwPrograms.SubItem(*row, 1), c.verdict);
    }
  }
  // Only the program that is not DPI aware went on the compatibility list.
  ASSERT_EQ(Keys(lvwCompat), std::vector<std::string>{Key(apps::Legacy)});
  EXPECT_EQ(lvwCompat.Text(1), "legacy.exe");
  EXPECT_EQ(lvwCompat.SubItem(1, 1), "HIGHDPIAWARE");
  EXPECT_EQ(lvwCompat.SmallIcon(1), kDefaultIconKey);
  EXPECT_EQ(EnumRegValues(RegistryPath::Layers), std::vector<std::string>{Upper(apps::Legacy)});
  EXPECT_EQ(Layer(Upper(apps::Legacy)).Text(), "HIGHDPIAWARE");
  EXPECT_EQ(LayerType(Upper(apps::Legacy)), platform::reg::kSz);
}

TEST_F(CatalogueRowsTest, AListedEntryWhoseValueWasDeletedMeanwhileIsNotWrittenAgain) {
  ASSERT_EQ(form.Catalogue.AddProgram(apps::Legacy, true), AddedToCompatList);
  DeleteRegValue(RegistryPath::Layers, Upper(apps::Legacy));
  EXPECT_EQ(form.Catalogue.AddProgram(apps::Legacy, true), AlreadyInCompatList);
  EXPECT_TRUE(Layer(Upper(apps::Legacy)).IsNone());
}

TEST_F(CatalogueRowsTest, TheIconTimerIsRestartedOnlyWhileTheWindowIsVisible) {
  form.Catalogue.AddProgram(apps::Legacy);
  EXPECT_EQ(tmrGetIcons.Armings(), 0);
  EXPECT_FALSE(tmrGetIcons.Enabled());

  window.Show();
  tmrGetIcons.SetEnabled(true);
  const int before = tmrGetIcons.Armings();
  form.Catalogue.AddProgram(apps::Aware);
  form.Catalogue.AddProgram(apps::Missing);  // returns before the restart
  EXPECT_EQ(tmrGetIcons.Armings(), before + 1);
  EXPECT_TRUE(tmrGetIcons.Enabled());
}

TEST_F(CatalogueRowsTest, DoesFileExistIsTrueForFilesOnly) {
  EXPECT_TRUE(form.Catalogue.DoesFileExist("c:\\APPS\\legacy.EXE"));
  EXPECT_FALSE(form.Catalogue.DoesFileExist("C:\\Apps"));
  EXPECT_FALSE(form.Catalogue.DoesFileExist(apps::Missing));
  EXPECT_FALSE(form.Catalogue.DoesFileExist("C:\\NoFolder\\Legacy.exe"));
}

namespace {
constexpr std::uint32_t kPainterColour = 0xFF00FF00, kShell0 = 0xFF0000FF, kShell2 = 0xFFFF0000;
std::uint32_t PixelOf(const ImageList& images, const std::string& key) {
  std::optional<Picture> picture = images.Image(key);
  return picture && !picture->pixels.empty() ? picture->pixels[0] : 0;
}
}  // namespace

TEST_F(CatalogueRowsTest, GetIconTakesIndexTwoOnlyForTheExactDefaultIconText) {
  platform::standin::SetIcon(kDefaultIconKey, 0, kShell0);
  platform::standin::SetIcon(kDefaultIconKey, 2, kShell2);
  const std::string otherCase = "c:\\windows\\system32\\shell32.dll";

  EXPECT_TRUE(form.Catalogue.GetIcon(kDefaultIconKey));
  EXPECT_TRUE(form.Catalogue.GetIcon(otherCase));
  EXPECT_EQ(PixelOf(imlIcons, kDefaultIconKey), kShell2);
  EXPECT_EQ(PixelOf(imlIcons, otherCase), kShell0);
  EXPECT_EQ(imlIcons.Image(otherCase)->width, 16);
  EXPECT_FALSE(form.Catalogue.GetIcon(apps::Legacy));  // no icon in the file
}

TEST_F(CatalogueRowsTest, IconFillGivesRowsTheirOwnImageWhenTheCatalogueHasOne) {
  platform::standin::SetIcon(kDefaultIconKey, 2, kShell2);
  platform::standin::SetIcon(apps::Painter, 0, kPainterColour);
  form.Catalogue.GetIcon(kDefaultIconKey);
  form.Catalogue.AddProgram(apps::Painter);
  form.Catalogue.AddProgram(apps::Legacy);
  AddCompatRow(apps::Painter, "HIGHDPIAWARE");
  AddCompatRow(apps::Missing, "HIGHDPIAWARE");  // not in the catalogue
  tmrGetIcons.SetEnabled(true);

  form.tmrGetIcons_Timer();
  EXPECT_FALSE(tmrGetIcons.Enabled());
  EXPECT_EQ(SBar.Panel1Text(), "Ready");
  EXPECT_EQ(PixelOf(imlIcons, Key(apps::Painter)), kPainterColour);
  EXPECT_EQ(lvwPrograms.SmallIcon(1), Key(apps::Painter));
  EXPECT_EQ(lvwPrograms.SmallIcon(2), kDefaultIconKey);
  EXPECT_EQ(lvwCompat.SmallIcon(1), Key(apps::Painter));
  EXPECT_EQ(lvwCompat.SmallIcon(2), kDefaultIconKey);

  // A row still waiting is tried again at the next pass.
  platform::standin::SetIcon(apps::Legacy, 0, kShell0);
  form.tmrGetIcons_Timer();
  EXPECT_EQ(lvwPrograms.SmallIcon(2), Key(apps::Legacy));
  EXPECT_EQ(imlIcons.Count(), 3);
}
