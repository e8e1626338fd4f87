// The compatibility list's commands: each change goes to the row's Flags cell and, with
// the same text, to the Layers value named by the upper-case path.
#include "native/FormFixture.h"

using CompatCommandsTest = FormFixture;

TEST_F(CompatCommandsTest, AddingAndRemovingAFlagStoresTheCellText) {
  struct Case {
    const char* flags;
    bool add;
    const char* flag;
    const char* expected;  // nullptr: nothing changes and nothing is written
  };
  // The text rules themselves are CompatFlagsTest's; here: what reaches cell and value.
  const Case cases[] = {
      {"", true, "HIGHDPIAWARE", "HIGHDPIAWARE"},
      {"RUNASADMIN HIGHDPIAWARE", true, "HIGHDPIAWARE", nullptr},
      {"HIGHDPIAWARE", false, "HIGHDPIAWARE", ""},
      {"A  B", false, "RUNASADMIN", "A B"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.add ? "+" : "-") + c.flag + " on '" + c.flags + "'");
    platform::standin::ResetRegistry();
    lvwCompat.Clear();
    const int row = AddCompatRow(apps::Legacy, c.flags);
    if (c.add)
      form.Compat.AddCompatFlag(row, c.flag);
    else
      form.Compat.RemoveCompatFlag(row, c.flag);
    EXPECT_EQ(lvwCompat.SubItem(row, 1), c.expected ? c.expected : c.flags);
    if (c.expected) {
      EXPECT_EQ(Layer(Upper(apps::Legacy)).Text(), c.expected);
      EXPECT_EQ(LayerType(Upper(apps::Legacy)), platform::reg::kSz);
    } else {
      EXPECT_TRUE(Layer(Upper(apps::Legacy)).IsNone());
    }
  }
}

TEST_F(CompatCommandsTest, FlagCommandsToggleTheirCheckAndActOnEverySelectedRow) {
  AddCompatRow(apps::Legacy, "HIGHDPIAWARE");
  AddCompatRow(apps::Aware, "");
  AddCompatRow(apps::Console, "RUNASADMIN");  // not selected
  lvwCompat.SetSelected(1, true);
  lvwCompat.SetSelected(2, true);

  form.mnuCompatDPI_Click();  // checked: added to the row that lacks it only
  EXPECT_TRUE(mnuCompatDPI.Checked());
  EXPECT_EQ(Column(lvwCompat, 1), (std::vector<std::string>{"HIGHDPIAWARE", "HIGHDPIAWARE", "RUNASADMIN"}));
  EXPECT_TRUE(Layer(Upper(apps::Legacy)).IsNone());
  EXPECT_EQ(Layer(Upper(apps::Aware)).Text(), "HIGHDPIAWARE");

  form.mnuCompatDPI_Click();  // unchecked: removed from both
  EXPECT_FALSE(mnuCompatDPI.Checked());
  EXPECT_EQ(Column(lvwCompat, 1), (std::vector<std::string>{"", "", "RUNASADMIN"}));
  EXPECT_EQ(Layer(Upper(apps::Legacy)).Text(), "");

  // Run as Administrator alternates on its own check, whatever the rows hold.
  form.mnuCompatAdmin_Click();
  form.mnuCompatAdmin_Click();
  form.mnuCompatAdmin_Click();
  EXPECT_TRUE(mnuCompatAdmin.Checked());
  EXPECT_EQ(Column(lvwCompat, 1), (std::vector<std::string>{"RUNASADMIN", "RUNASADMIN", "RUNASADMIN"}));
  EXPECT_TRUE(Layer(Upper(apps::Console)).IsNone());
}

TEST_F(CompatCommandsTest, EditProposesTheStoredValueAndStoresTheAnswerAsTyped) {
  AddCompatRow(apps::Legacy, "HIGHDPIAWARE");
  AddCompatRow(apps::Aware, "HIGHDPIAWARE");
  SetRegValue(RegistryPath::Layers, Upper(apps::Aware), "RUNASADMIN");
  lvwCompat.SetSelected(1, true);
  lvwCompat.SetCurrentRow(2);  // only the current row is edited
  window.inputAnswers = {"", "  highdpiaware Custom "};

  form.mnuCompatEdit_Click();  // cancelled
  ASSERT_EQ(window.inputRequests.size(), 1u);
  EXPECT_EQ(window.inputRequests[0].prompt, "Enter the desired compatibility flags:");
  EXPECT_EQ(window.inputRequests[0].title, "Sharpwell");
  EXPECT_EQ(window.inputRequests[0].proposed, "RUNASADMIN");
  EXPECT_EQ(lvwCompat.SubItem(2, 1), "HIGHDPIAWARE");
  EXPECT_EQ(Layer(Upper(apps::Aware)).Text(), "RUNASADMIN");

  form.mnuCompatEdit_Click();
  EXPECT_EQ(lvwCompat.SubItem(2, 1), "  highdpiaware Custom ");
  EXPECT_EQ(Layer(Upper(apps::Aware)).Text(), "  highdpiaware Custom ");
  EXPECT_EQ(lvwCompat.SubItem(1, 1), "HIGHDPIAWARE");

  // A row with no stored value proposes an empty text.
  lvwCompat.SetCurrentRow(1);
  form.mnuCompatEdit_Click();
  EXPECT_EQ(window.inputRequests.back().proposed, "");
}

TEST_F(CompatCommandsTest, DeleteRemovesExactlyTheSelectedValuesAndRows) {
  const char* paths[] = {apps::Legacy, apps::Old32, apps::Aware, apps::Console, apps::Painter};
  for (const char* path : paths) {
    AddCompatRow(path, "HIGHDPIAWARE");
    SetRegValue(RegistryPath::Layers, Upper(path), "HIGHDPIAWARE");
    form.Catalogue.AddProgram(path);
  }
  lvwCompat.SetSelected(2, true);
  lvwCompat.SetSelected(4, true);

  form.mnuCompatDelete_Click();
  EXPECT_EQ(Keys(lvwCompat),
            (std::vector<std::string>{Key(apps::Legacy), Key(apps::Aware), Key(apps::Painter)}));
  EXPECT_EQ(EnumRegValues(RegistryPath::Layers),
            (std::vector<std::string>{Upper(apps::Legacy), Upper(apps::Aware), Upper(apps::Painter)}));
  EXPECT_EQ(lvwPrograms.Count(), 5);
}
