// The compatibility list's commands: each change goes to the row's Flags cell and, with
// the same text, to the Layers value named by the upper-case path.
#include "native/FormFixture.h"

using CompatCommandsTest = FormFixture;
using Texts = std::vector<std::string>;

TEST_F(CompatCommandsTest, FlagCommandsToggleTheirCheckAndActOnEverySelectedRow) {
  AddCompatRow(apps::Legacy, "HIGHDPIAWARE");
  AddCompatRow(apps::Aware, "A  B");
  AddCompatRow(apps::Console, "RUNASADMIN");  // not selected
  lvwCompat.SetSelected(1, true);
  lvwCompat.SetSelected(2, true);

  form.mnuCompatDPI_Click();  // checked: added to the row that lacks it only
  EXPECT_TRUE(mnuCompatDPI.Checked());
  EXPECT_EQ(Column(lvwCompat, 1), (Texts{"HIGHDPIAWARE", "A  B HIGHDPIAWARE", "RUNASADMIN"}));
  EXPECT_TRUE(Layer(apps::Legacy).IsNone());
  EXPECT_EQ(Layer(apps::Aware).Text(), "A  B HIGHDPIAWARE");

  form.mnuCompatDPI_Click();  // unchecked: removed from both
  EXPECT_FALSE(mnuCompatDPI.Checked());
  EXPECT_EQ(Column(lvwCompat, 1), (Texts{"", "A B", "RUNASADMIN"}));
  EXPECT_EQ(Layer(apps::Legacy).Text(), "");

  // Run as Administrator turns on its own check, whatever the rows hold.
  form.mnuCompatAdmin_Click();
  EXPECT_TRUE(mnuCompatAdmin.Checked());
  EXPECT_EQ(Column(lvwCompat, 1), (Texts{"RUNASADMIN", "A B RUNASADMIN", "RUNASADMIN"}));
  EXPECT_TRUE(Layer(apps::Console).IsNone());
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
  EXPECT_EQ(window.inputRequests[0].proposed, "RUNASADMIN");
  EXPECT_EQ(lvwCompat.SubItem(2, 1), "HIGHDPIAWARE");
  EXPECT_EQ(Layer(apps::Aware).Text(), "RUNASADMIN");

  form.mnuCompatEdit_Click();
  EXPECT_EQ(Column(lvwCompat, 1), (Texts{"HIGHDPIAWARE", "  highdpiaware Custom "}));
  EXPECT_EQ(Layer(apps::Aware).Text(), "  highdpiaware Custom ");
}
