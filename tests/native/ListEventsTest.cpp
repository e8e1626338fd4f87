// The two lists' events: keys, the right-button menu, sorting, dragging and dropping.
#include <tuple>

#include "native/FormFixture.h"

class ListEventsTest : public FormFixture {
 protected:
  void ListPrograms(std::initializer_list<const char*> paths) {
    for (const char* path : paths) ASSERT_NE(form.Catalogue.AddProgram(path), NotLoaded) << path;
  }
};

// Ctrl+A with no other shift key selects every row; Delete removes exactly the selected
// rows and their Layers values, never catalogue rows.
TEST_F(ListEventsTest, CtrlASelectsAllAndDeleteActsOnlyOnTheCompatibilityList) {
  const auto paths = {apps::Legacy, apps::Old32, apps::Aware};
  ListPrograms(paths);
  for (const char* path : paths) AddCompatRow(path, "HIGHDPIAWARE", true);
  // Key codes as Windows sends them ('A'; 0x2E is Delete), not the program's names for them.
  for (int shift : {0, 3}) {
    form.lvwPrograms_KeyDown('A', shift);
    form.lvwCompat_KeyDown('A', shift);
  }
  EXPECT_TRUE(SelectedRows(lvwPrograms).empty());
  EXPECT_TRUE(SelectedRows(lvwCompat).empty());
  form.lvwPrograms_KeyDown('A', keys::CtrlOnly);
  EXPECT_EQ(SelectedRows(lvwPrograms), (std::vector<int>{1, 2, 3}));
  form.lvwPrograms_KeyDown(0x2E, 0);

  form.lvwCompat_KeyDown('A', keys::CtrlOnly);
  lvwCompat.SetSelected(2, false);
  form.lvwCompat_KeyDown(0x2E, 1);  // Delete, with Shift held as well
  EXPECT_EQ(Keys(lvwCompat), std::vector<std::string>{Key(apps::Old32)});
  EXPECT_EQ(EnumRegValues(RegistryPath::Layers), std::vector<std::string>{Upper(apps::Old32)});
  EXPECT_EQ(lvwPrograms.Count(), 3);
}

TEST_F(ListEventsTest, RightClickShowsTheMenuCheckedFromTheCurrentSelectedRow) {
  form.lvwCompat_MouseUp(keys::RightButton);  // empty list
  AddCompatRow(apps::Legacy, "RUNASADMIN HIGHDPIAWARE");
  AddCompatRow(apps::Aware, "highdpiaware");
  lvwCompat.SetSelected(1, true);
  lvwCompat.SetSelected(2, true);
  // {current row, button, check expected}: the left button shows nothing.
  for (const auto& [current, button, check] : {std::tuple{1, 2, true}, {2, 2, false}, {1, 1, false}}) {
    lvwCompat.SetCurrentRow(current);
    mnuCompatDPI.SetChecked(!check);
    form.lvwCompat_MouseUp(button);
    EXPECT_EQ(mnuCompatDPI.Checked(), button == 2 ? check : !check) << current << button;
  }
  lvwCompat.SetSelected(1, false);  // the current row is no longer selected
  form.lvwCompat_MouseUp(keys::RightButton);
  EXPECT_EQ(window.popups, (std::vector<PopupMenu>{PopupMenu::Compat, PopupMenu::Compat}));
}

TEST_F(ListEventsTest, AColumnClickSortsOnceByThatColumn) {
  ListPrograms({apps::Legacy, apps::Old32, apps::Aware});
  form.lvwPrograms_ColumnClick(3);  // "Bits": x64 rows keep their order before x86
  EXPECT_EQ(Keys(lvwPrograms), (std::vector<std::string>{Key(apps::Legacy), Key(apps::Aware),
                                                         Key(apps::Old32)}));
  ListPrograms({apps::Console});  // rows added later are not kept in order
  EXPECT_EQ(Keys(lvwPrograms).back(), Key(apps::Console));
  form.lvwPrograms_ColumnClick(1);
  EXPECT_EQ(Column(lvwPrograms, 0),
            (std::vector<std::string>{"aware.exe", "console.exe", "legacy.exe", "old32.exe"}));
}

TEST_F(ListEventsTest, DraggingOffersTheSelectedNoRowsInListOrder) {
  ListPrograms({apps::Legacy, apps::Aware, apps::Old32, apps::Console});
  std::uint32_t effects = 0;
  for (int row : {1, 2, 3}) lvwPrograms.SetSelected(row, true);
  EXPECT_EQ(form.lvwPrograms_OLEStartDrag(effects),
            (std::vector<std::string>{Key(apps::Legacy), Key(apps::Old32)}));
  EXPECT_EQ(effects, 4u);
}

TEST_F(ListEventsTest, DropsOnTheCompatibilityListAddOrExplainInOrder) {
  form.lvwCompat_OLEDragDrop({"C:\\Apps", apps::Aware, apps::Legacy, apps::Legacy});
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[0].text, "''C:\\Apps'' does not appear to be a valid Windows application.");
  EXPECT_EQ(window.messages[0].style, 48u);
  EXPECT_EQ(window.messages[1].text, "''C:\\Apps\\Aware.exe'' is already high DPI compatible.");
  EXPECT_EQ(window.messages[1].style, 64u);
  EXPECT_EQ(Keys(lvwCompat), std::vector<std::string>{Key(apps::Legacy)});
  EXPECT_EQ(Layer(apps::Legacy).Text(), "HIGHDPIAWARE");
  EXPECT_TRUE(tmrGetIcons.Enabled());
}

TEST_F(ListEventsTest, DropsOnTheCatalogueSelectAndRevealTheirRows) {
  ListPrograms({apps::Legacy, apps::Aware, apps::Console});
  lvwPrograms.SetSelected(1, true);
  form.lvwPrograms_OLEDragDrop({"C:\\APPS\\Aware.EXE", "C:\\Apps\\NotThere.EXE", apps::Old32});
  EXPECT_EQ(SelectedRows(lvwPrograms), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(lvwPrograms.LastEnsuredVisible(), 4);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text.substr(0, 24), "''C:\\Apps\\NotThere.EXE''");
  EXPECT_TRUE(lvwCompat.Count() == 0 && tmrGetIcons.Enabled());
}
